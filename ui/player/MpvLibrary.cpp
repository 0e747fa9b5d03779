// libmpv on demand. The window program starts without libmpv: with it come
// some eighty libraries (filters, speech synthesis, sound servers, Vulkan)
// that take about 17 MB of memory in every run, while only the Split dialog
// plays anything. The program therefore does not link libmpv; these
// definitions of the libmpv entry points it calls load the library with
// dlopen on first use and forward to it. Without the library every call
// fails the way libmpv reports a failure, so the player reports that it
// cannot open a file.

#include <mpv/client.h>
#include <mpv/render.h>

#include <dlfcn.h>

namespace {

// The library's soname of libmpv 0.35 (Debian 12's libmpv2).
constexpr const char* kLibraryName = "libmpv.so.2";

void* Library() {
    // Loaded once, on the first call, and kept: libmpv is not unloadable.
    static void* const library = dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL);
    return library;
}

// The library's own definition of an entry point, or null.
template <typename Function> Function* Entry(const char* name) {
    void* library = Library();
    return library ? reinterpret_cast<Function*>(dlsym(library, name)) : nullptr;
}

} // namespace

// Each entry point resolves its target once and forwards its arguments;
// fallback is what it returns without the library.
#define KIV_MPV_FORWARD(name, fallback, ...)                                                       \
    static auto* const target = Entry<decltype(::name)>(#name);                                    \
    if (!target)                                                                                   \
        return fallback;                                                                           \
    return target(__VA_ARGS__);

extern "C" {

mpv_handle* mpv_create(void) {
    KIV_MPV_FORWARD(mpv_create, nullptr)
}

int mpv_initialize(mpv_handle* ctx) {
    KIV_MPV_FORWARD(mpv_initialize, MPV_ERROR_GENERIC, ctx)
}

void mpv_terminate_destroy(mpv_handle* ctx) {
    KIV_MPV_FORWARD(mpv_terminate_destroy, void(), ctx)
}

int mpv_set_option_string(mpv_handle* ctx, const char* name, const char* data) {
    KIV_MPV_FORWARD(mpv_set_option_string, MPV_ERROR_GENERIC, ctx, name, data)
}

int mpv_command_async(mpv_handle* ctx, uint64_t reply_userdata, const char** args) {
    KIV_MPV_FORWARD(mpv_command_async, MPV_ERROR_GENERIC, ctx, reply_userdata, args)
}

int mpv_set_property_async(mpv_handle* ctx, uint64_t reply_userdata, const char* name,
                           mpv_format format, void* data) {
    KIV_MPV_FORWARD(mpv_set_property_async, MPV_ERROR_GENERIC, ctx, reply_userdata, name, format,
                    data)
}

int mpv_get_property(mpv_handle* ctx, const char* name, mpv_format format, void* data) {
    KIV_MPV_FORWARD(mpv_get_property, MPV_ERROR_GENERIC, ctx, name, format, data)
}

int mpv_observe_property(mpv_handle* mpv, uint64_t reply_userdata, const char* name,
                         mpv_format format){
    KIV_MPV_FORWARD(mpv_observe_property, MPV_ERROR_GENERIC, mpv, reply_userdata, name, format)}

mpv_event* mpv_wait_event(mpv_handle* ctx, double timeout) {
    KIV_MPV_FORWARD(mpv_wait_event, nullptr, ctx, timeout)
}

void mpv_set_wakeup_callback(mpv_handle* ctx, void (*cb)(void* d), void* d) {
    KIV_MPV_FORWARD(mpv_set_wakeup_callback, void(), ctx, cb, d)
}

int mpv_render_context_create(mpv_render_context** res, mpv_handle* mpv, mpv_render_param* params) {
    KIV_MPV_FORWARD(mpv_render_context_create, MPV_ERROR_GENERIC, res, mpv, params)
}

void mpv_render_context_free(mpv_render_context* ctx) {
    KIV_MPV_FORWARD(mpv_render_context_free, void(), ctx)
}

void mpv_render_context_set_update_callback(mpv_render_context* ctx, mpv_render_update_fn callback,
                                            void* callback_ctx){
    KIV_MPV_FORWARD(mpv_render_context_set_update_callback, void(), ctx, callback, callback_ctx)}

uint64_t mpv_render_context_update(mpv_render_context* ctx) {
    KIV_MPV_FORWARD(mpv_render_context_update, 0, ctx)
}

int mpv_render_context_render(mpv_render_context* ctx, mpv_render_param* params) {
    KIV_MPV_FORWARD(mpv_render_context_render, MPV_ERROR_GENERIC, ctx, params)
}

} // extern "C"
