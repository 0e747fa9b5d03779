#include "MpvHandle.h"

#include <mpv/client.h>
#include <mpv/render.h>

#include <clocale>
#include <vector>

namespace kiv {

namespace {

struct Option {
    const char* name;
    const char* value;
};

// Set before mpv_initialize.
constexpr Option kOptions[] = {
    {"vo", "libmpv"},
    // The usual Linux outputs, then none. Left to itself libmpv also tries
    // SDL, whose audio thread can hang the core when it is closed again on
    // a machine without sound (seen on a loaded two-core machine).
    {"ao", "pipewire,pulse,alsa,jack,null"},
    // No sound device (CI, containers): play into the null output instead
    // of refusing to start.
    {"audio-fallback-to-null", "yes"},
    // Stay on the last picture at the end of the file.
    {"keep-open", "yes"},
    {"hr-seek", "yes"},
    // The picture keeps its display aspect inside the area (black bars
    // beside or above it): a phone's portrait video stretched over a wide
    // area, or a result previewed at another shape than its own, would
    // show something the file does not hold.
    {"keepaspect", "yes"},
    // The software renderer aborts on a picture it has to turn by a quarter
    // turn; the player turns pictures with a filter instead (UprightFilter.h).
    {"video-rotate", "no"},
    {"config", "no"},
    {"input-default-bindings", "no"},
    {"osc", "no"},
    {"terminal", "no"},
    // Rendering happens on the GUI thread: hand out pictures when they are
    // due instead of early with render calls waiting for the display time
    // (measured: 26 ms median per render call without this, 0.3 ms with).
    {"video-timing-offset", "0"},
};

} // namespace

MpvHandle::~MpvHandle() {
    Destroy();
}

bool MpvHandle::Create() {
    if (handle_)
        return false;
    // libmpv parses numbers with the C library and refuses another locale.
    std::setlocale(LC_NUMERIC, "C");
    mpv_handle* handle = mpv_create();
    if (!handle)
        return false;
    for (const Option& option : kOptions)
        mpv_set_option_string(handle, option.name, option.value);
    if (mpv_initialize(handle) < 0) {
        mpv_terminate_destroy(handle);
        return false;
    }

    char apiType[] = MPV_RENDER_API_TYPE_SW;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_API_TYPE, apiType},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    mpv_render_context* render = nullptr;
    if (mpv_render_context_create(&render, handle, params) < 0) {
        mpv_terminate_destroy(handle);
        return false;
    }
    handle_ = handle;
    render_ = render;
    return true;
}

void MpvHandle::Destroy() {
    if (!handle_)
        return;
    SetCallbacks(nullptr, nullptr, nullptr);
    mpv_render_context_free(render_);
    render_ = nullptr;
    mpv_terminate_destroy(handle_);
    handle_ = nullptr;
}

void MpvHandle::SetCallbacks(Callback wakeup, Callback update, void* context) {
    if (!handle_)
        return;
    // libmpv calls both under its own locks, so once these return no old
    // callback is still running.
    mpv_set_wakeup_callback(handle_, wakeup, context);
    mpv_render_context_set_update_callback(render_, update, context);
}

bool MpvHandle::CommandAsync(std::uint64_t replyId, std::initializer_list<const char*> args) {
    if (!handle_)
        return false;
    std::vector<const char*> argv(args);
    argv.push_back(nullptr);
    return mpv_command_async(handle_, replyId, argv.data()) >= 0;
}

bool MpvHandle::SetFlagAsync(const char* property, bool value) {
    if (!handle_)
        return false;
    int flag = value ? 1 : 0;
    return mpv_set_property_async(handle_, 0, property, MPV_FORMAT_FLAG, &flag) >= 0;
}

bool MpvHandle::GetDouble(const char* property, double& value) const {
    if (!handle_)
        return false;
    double result = 0;
    if (mpv_get_property(handle_, property, MPV_FORMAT_DOUBLE, &result) < 0)
        return false;
    value = result;
    return true;
}

bool MpvHandle::ObserveFlag(std::uint64_t replyId, const char* property) {
    return handle_ && mpv_observe_property(handle_, replyId, property, MPV_FORMAT_FLAG) >= 0;
}

mpv_event* MpvHandle::PollEvent() {
    return WaitEvent(0);
}

mpv_event* MpvHandle::WaitEvent(double timeoutSeconds) {
    if (!handle_)
        return nullptr;
    mpv_event* event = mpv_wait_event(handle_, timeoutSeconds);
    return event->event_id == MPV_EVENT_NONE ? nullptr : event;
}

bool MpvHandle::HasNewFrame() {
    return render_ && (mpv_render_context_update(render_) & MPV_RENDER_UPDATE_FRAME) != 0;
}

bool MpvHandle::Render(int width, int height, std::size_t bytesPerLine, void* pixels) {
    if (!render_ || width <= 0 || height <= 0)
        return false;
    int size[2] = {width, height};
    char format[] = "bgr0";
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_SW_SIZE, size},
        {MPV_RENDER_PARAM_SW_FORMAT, format},
        {MPV_RENDER_PARAM_SW_STRIDE, &bytesPerLine},
        {MPV_RENDER_PARAM_SW_POINTER, pixels},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    return mpv_render_context_render(render_, params) >= 0;
}

} // namespace kiv
