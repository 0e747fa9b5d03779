#pragma once
// The one preview player of the process: shows one media file in a
// VideoArea, opened paused on its first picture, and lets the split dialog
// play, seek and read the position.
//
//     PreviewPlayer& player = PreviewPlayer::Instance();
//     player.Open(path, videoArea);   // paused on the first picture
//     player.Play();
//     player.Seek(5.0);               // any thread
//     double s = 0; player.GetPosition(s);  // any thread
//     player.CloseIfOpen();
//
// Open, Reopen, Close, CloseIfOpen, Play and Pause belong to the GUI thread; Seek
// and GetPosition may also be called from a worker thread meanwhile. Only
// Open waits, and only until libmpv has loaded or refused the file (at most
// kOpenWaitMs); seeking, playing and stopping run inside libmpv.

#include "MpvHandle.h"

#include <QMetaObject>
#include <QPointer>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

class QObject;

namespace kiv {

class VideoArea;

class PreviewPlayer {
public:
    static constexpr int kMaxPathLength = 1024;
    // How long Open waits for libmpv to load or refuse the file.
    static constexpr int kOpenWaitMs = 5000;

    // The process-wide player.
    static PreviewPlayer& Instance();

    PreviewPlayer(const PreviewPlayer&) = delete;
    PreviewPlayer& operator=(const PreviewPlayer&) = delete;

    // Whether the file starts again from its beginning when it ends.
    enum class Looping { Off, On };

    // Keeps the path (cut at kMaxPathLength bytes) and reopens. Returns 0
    // when the file cannot be opened or played (missing, unreadable, not
    // media, a playlist, no core); the player then stays open without
    // pictures. Returns 1 otherwise, also when libmpv is still loading the
    // file after kOpenWaitMs. A video stored turned (a phone's portrait
    // video) is shown upright, and every picture at its display aspect.
    int Open(const char* path, VideoArea* videoArea, Looping looping = Looping::Off);
    // Closes, then loads the kept file paused into videoArea, looping as
    // the last Open asked.
    void Reopen(VideoArea* videoArea);
    // Stops and unloads; the area shows nothing again. Nothing when closed.
    void Close();
    // Close when open. Returns 1.
    int CloseIfOpen();
    // Runs playback when open. Returns 1.
    int Play();
    // Holds playback on the current picture when open. Returns 1.
    int Pause();
    // Absolute seek in seconds (exact); false when closed or the file could
    // not be opened. Negative targets go to the start.
    bool Seek(double seconds);
    // The position in seconds; false, leaving seconds untouched, when
    // closed, not loaded (yet) or unknown.
    bool GetPosition(double& seconds) const;
    // The length of the loaded file in seconds; false, leaving seconds
    // untouched, when closed, not loaded (yet) or unknown.
    bool GetDuration(double& seconds) const;

    bool IsOpen() const;
    const char* FileName() const { return fileName_; }

private:
    enum class FileState { Closed, Loading, Loaded, Failed };

    PreviewPlayer();
    ~PreviewPlayer();

    bool EnsureHandle();
    // loadfile's options for the kept file: its upright filter, looping.
    std::string FileOptions() const;
    void Attach(VideoArea* videoArea);
    void Detach();
    void ProcessEvents();
    // Handles libmpv's news until the file is loaded or refused, or the
    // wait is over. False when the file was refused.
    bool WaitUntilLoaded();
    void HandleEvent(const struct mpv_event& event);
    // force: draw the current picture even without a new one (the area was
    // resized, or playback restarted after loading or seeking).
    void RenderFrame(bool force);
    void SendSeek(double seconds);

    static void OnWakeup(void* self);
    static void OnUpdate(void* self);

    char fileName_[kMaxPathLength + 1] = {};
    Looping looping_ = Looping::Off;
    MpvHandle mpv_;
    bool handleFailed_ = false;
    std::unique_ptr<QObject> guiContext_;
    QPointer<VideoArea> area_;
    QMetaObject::Connection resizeConnection_;
    // libmpv's "vo-configured": the file being shown has a picture.
    bool videoActive_ = false;
    // A new picture is waiting to be rendered into area_.
    bool pendingFrame_ = false;
    // The loaded file's playback has started: its pictures are shown.
    bool restarted_ = false;

    std::atomic<bool> eventsQueued_{false};
    std::atomic<bool> renderQueued_{false};

    // Shared with worker threads.
    mutable std::mutex mutex_;
    FileState state_ = FileState::Closed;
    std::uint64_t request_ = 0;         // number of the latest loadfile
    std::int64_t entryId_ = -1;         // its playlist entry, once replied
    bool replied_ = false;              // libmpv answered the loadfile
    bool entryStarted_ = false;         // its START_FILE was seen
    std::optional<double> pendingSeek_; // asked for while loading
};

} // namespace kiv
