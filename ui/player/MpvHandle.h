#pragma once
// One libmpv core with a software render context: created with the preview
// options, driven through asynchronous requests, and torn down in the order
// libmpv needs (render context first). No Qt in here.

#include <cstddef>
#include <cstdint>
#include <initializer_list>

struct mpv_handle;
struct mpv_render_context;
struct mpv_event;

namespace kiv {

class MpvHandle {
public:
    using Callback = void (*)(void* context);

    MpvHandle() = default;
    ~MpvHandle();
    MpvHandle(const MpvHandle&) = delete;
    MpvHandle& operator=(const MpvHandle&) = delete;

    // Creates and initialises the core and its render context. False when a
    // core is held already (which is kept) or libmpv refuses; then nothing
    // is held. Call on the GUI thread after the application object exists.
    bool Create();
    // Stops the callbacks, frees the render context, destroys the core.
    void Destroy();
    bool IsCreated() const { return handle_ != nullptr; }

    // wakeup: events are waiting (see waitEvent). update: a new picture
    // can be rendered. Both arrive on libmpv threads and must not call
    // libmpv; passing nullptr stops them, waiting for a running one.
    void SetCallbacks(Callback wakeup, Callback update, void* context);

    // Queued requests; false when the request could not be queued.
    bool CommandAsync(std::uint64_t replyId, std::initializer_list<const char*> args);
    bool SetFlagAsync(const char* property, bool value);
    // Synchronous read; false when the property is unavailable.
    bool GetDouble(const char* property, double& value) const;
    bool ObserveFlag(std::uint64_t replyId, const char* property);

    // The next event, or nullptr when there is none (never waits).
    mpv_event* PollEvent();
    // The next event, waiting up to timeoutSeconds for one; nullptr when
    // none came. Only one thread may take events at a time.
    mpv_event* WaitEvent(double timeoutSeconds);

    // Render thread only (the GUI thread here).
    bool HasNewFrame();
    // Renders the current picture as "bgr0" into pixels of the given size.
    bool Render(int width, int height, std::size_t bytesPerLine, void* pixels);

private:
    mpv_handle* handle_ = nullptr;
    mpv_render_context* render_ = nullptr;
};

} // namespace kiv
