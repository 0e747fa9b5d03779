#include "PreviewPlayer.h"

#include "FixedText.h"
#include "GuiThread.h"
#include "UprightFilter.h"
#include "VideoArea.h"

#include <QObject>

#include <mpv/client.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstring>

namespace kiv {

namespace {

constexpr std::uint64_t kVideoConfiguredId = 1;

// The playlist entry id from a loadfile reply, or -1.
std::int64_t PlaylistEntryId(const mpv_node& result) {
    if (result.format != MPV_FORMAT_NODE_MAP || !result.u.list)
        return -1;
    const mpv_node_list& map = *result.u.list;
    for (int i = 0; i < map.num; ++i) {
        if (std::strcmp(map.keys[i], "playlist_entry_id") == 0 &&
            map.values[i].format == MPV_FORMAT_INT64)
            return map.values[i].u.int64;
    }
    return -1;
}

} // namespace

PreviewPlayer& PreviewPlayer::Instance() {
    static PreviewPlayer player;
    return player;
}

PreviewPlayer::PreviewPlayer() = default;

PreviewPlayer::~PreviewPlayer() {
    // Callbacks stop before the core goes; queued calls die with guiContext_.
    mpv_.Destroy();
}

bool PreviewPlayer::EnsureHandle() {
    if (mpv_.IsCreated())
        return true;
    if (handleFailed_ || !mpv_.Create()) {
        handleFailed_ = true;
        return false;
    }
    // Made here, on the GUI thread: libmpv's news is handled in its thread.
    guiContext_ = std::make_unique<QObject>();
    mpv_.ObserveFlag(kVideoConfiguredId, "vo-configured");
    mpv_.SetCallbacks(&PreviewPlayer::OnWakeup, &PreviewPlayer::OnUpdate, this);
    return true;
}

int PreviewPlayer::Open(const char* path, VideoArea* videoArea, Looping looping) {
    SetText(fileName_, path ? std::string_view(path) : std::string_view());
    looping_ = looping;
    Reopen(videoArea);
    return WaitUntilLoaded() ? 1 : 0;
}

bool PreviewPlayer::WaitUntilLoaded() {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(kOpenWaitMs);
    for (;;) {
        {
            std::lock_guard lock(mutex_);
            if (state_ != FileState::Loading)
                return state_ == FileState::Loaded;
        }
        const double left = std::chrono::duration<double>(deadline - Clock::now()).count();
        if (left <= 0)
            return true; // still loading: it may yet play
        // libmpv's video output waits for new pictures to be rendered (those
        // of the file stopped before too), and that happens on this thread.
        if (renderQueued_)
            RenderFrame(false);
        // The same events the wakeup callback queues; whatever is taken here
        // is simply not there any more when that queued call runs.
        if (const mpv_event* event = mpv_.WaitEvent(std::min(left, 0.01)))
            HandleEvent(*event);
    }
}

void PreviewPlayer::Reopen(VideoArea* videoArea) {
    Close();
    std::uint64_t request = 0;
    {
        std::lock_guard lock(mutex_);
        // Without a core the player is open but nothing works, quietly.
        state_ = FileState::Failed;
        if (!EnsureHandle())
            return;
        state_ = FileState::Loading;
        request = ++request_;
        entryId_ = -1;
        replied_ = false;
        entryStarted_ = false;
        pendingSeek_.reset();
    }
    Attach(videoArea);
    mpv_.SetFlagAsync("pause", true);
    // Options for this file alone; libmpv restores the others' afterwards.
    const std::string options = FileOptions();
    if (!mpv_.CommandAsync(request, {"loadfile", fileName_, "replace", options.c_str()})) {
        std::lock_guard lock(mutex_);
        state_ = FileState::Failed;
    }
}

std::string PreviewPlayer::FileOptions() const {
    std::string options;
    // A filter chain holds commas, so it is bracketed as one value.
    if (const std::string filter = UprightFilter(VideoRotationOf(fileName_)); !filter.empty())
        options = "vf=[" + filter + "]";
    if (looping_ == Looping::On)
        options += std::string(options.empty() ? "" : ",") + "loop-file=inf";
    return options;
}

void PreviewPlayer::Close() {
    {
        std::lock_guard lock(mutex_);
        if (state_ == FileState::Closed)
            return;
        state_ = FileState::Closed;
        pendingSeek_.reset();
    }
    mpv_.CommandAsync(0, {"stop"});
    Detach();
}

int PreviewPlayer::CloseIfOpen() {
    if (IsOpen())
        Close();
    return 1;
}

int PreviewPlayer::Play() {
    if (IsOpen())
        mpv_.SetFlagAsync("pause", false);
    return 1;
}

int PreviewPlayer::Pause() {
    if (IsOpen())
        mpv_.SetFlagAsync("pause", true);
    return 1;
}

bool PreviewPlayer::Seek(double seconds) {
    {
        std::lock_guard lock(mutex_);
        if (state_ == FileState::Loading) {
            pendingSeek_ = seconds; // sent once the file is loaded
            return true;
        }
        if (state_ != FileState::Loaded)
            return false;
    }
    SendSeek(seconds);
    return true;
}

void PreviewPlayer::SendSeek(double seconds) {
    // A negative absolute target would count from the end in libmpv.
    if (!(seconds > 0))
        seconds = 0;
    char target[64] = {};
    std::to_chars(target, target + sizeof target - 1, seconds, std::chars_format::fixed, 6);
    mpv_.CommandAsync(0, {"seek", target, "absolute"});
}

bool PreviewPlayer::GetPosition(double& seconds) const {
    {
        std::lock_guard lock(mutex_);
        if (state_ != FileState::Loaded)
            return false;
    }
    return mpv_.GetDouble("time-pos", seconds);
}

bool PreviewPlayer::GetDuration(double& seconds) const {
    {
        std::lock_guard lock(mutex_);
        if (state_ != FileState::Loaded)
            return false;
    }
    return mpv_.GetDouble("duration", seconds);
}

bool PreviewPlayer::IsOpen() const {
    std::lock_guard lock(mutex_);
    return state_ != FileState::Closed;
}

void PreviewPlayer::Attach(VideoArea* videoArea) {
    area_ = videoArea;
    pendingFrame_ = false;
    restarted_ = false;
    if (videoArea) {
        videoArea->ClearFrame();
        resizeConnection_ = QObject::connect(videoArea, &VideoArea::resized, guiContext_.get(),
                                             [this] { RenderFrame(true); });
    }
}

void PreviewPlayer::Detach() {
    QObject::disconnect(resizeConnection_);
    if (area_)
        area_->ClearFrame();
    area_ = nullptr;
    pendingFrame_ = false;
}

void PreviewPlayer::OnWakeup(void* self) {
    auto* player = static_cast<PreviewPlayer*>(self);
    if (player->eventsQueued_.exchange(true))
        return;
    PostToGui(player->guiContext_.get(), [player] { player->ProcessEvents(); });
}

void PreviewPlayer::OnUpdate(void* self) {
    auto* player = static_cast<PreviewPlayer*>(self);
    if (player->renderQueued_.exchange(true))
        return;
    PostToGui(player->guiContext_.get(), [player] { player->RenderFrame(false); });
}

void PreviewPlayer::ProcessEvents() {
    eventsQueued_ = false;
    while (const mpv_event* event = mpv_.PollEvent())
        HandleEvent(*event);
}

void PreviewPlayer::HandleEvent(const mpv_event& event) {
    switch (event.event_id) {
    case MPV_EVENT_PROPERTY_CHANGE: {
        const auto* property = static_cast<const mpv_event_property*>(event.data);
        if (event.reply_userdata != kVideoConfiguredId)
            break;
        videoActive_ = property->format == MPV_FORMAT_FLAG && *static_cast<int*>(property->data);
        if (videoActive_)
            RenderFrame(false); // a picture may have come before this news
        else if (area_)
            area_->ClearFrame();
        break;
    }
    case MPV_EVENT_COMMAND_REPLY: {
        std::lock_guard lock(mutex_);
        if (event.reply_userdata == 0 || event.reply_userdata != request_ ||
            state_ != FileState::Loading)
            break;
        if (event.error < 0) {
            state_ = FileState::Failed;
            break;
        }
        const auto* command = static_cast<const mpv_event_command*>(event.data);
        entryId_ = PlaylistEntryId(command->result);
        replied_ = true;
        break;
    }
    case MPV_EVENT_START_FILE: {
        const auto* start = static_cast<const mpv_event_start_file*>(event.data);
        std::lock_guard lock(mutex_);
        // Without an id in the reply, the next file started is ours.
        if (state_ == FileState::Loading && replied_ &&
            (entryId_ < 0 || start->playlist_entry_id == entryId_)) {
            entryId_ = start->playlist_entry_id;
            entryStarted_ = true;
        }
        break;
    }
    case MPV_EVENT_PLAYBACK_RESTART: {
        // The first picture after loading or seeking is libmpv's current
        // one now; draw it even if its news went to an older picture.
        // Before the loaded file's first restart, libmpv may still hand out
        // the last picture of the file shown before: none is shown.
        bool loaded = false;
        {
            std::lock_guard lock(mutex_);
            loaded = state_ == FileState::Loaded;
        }
        restarted_ = restarted_ || loaded;
        RenderFrame(true);
        break;
    }
    case MPV_EVENT_FILE_LOADED: {
        std::optional<double> seek;
        {
            std::lock_guard lock(mutex_);
            if (state_ != FileState::Loading || !entryStarted_)
                break;
            state_ = FileState::Loaded;
            seek = pendingSeek_;
            pendingSeek_.reset();
        }
        if (seek)
            SendSeek(*seek);
        break;
    }
    case MPV_EVENT_END_FILE: {
        const auto* end = static_cast<const mpv_event_end_file*>(event.data);
        std::lock_guard lock(mutex_);
        if (!replied_ || entryId_ < 0 || end->playlist_entry_id != entryId_ ||
            state_ == FileState::Closed)
            break;
        // keep-open holds the end of a played file, so an end here means
        // the file could not be played. A playlist ends the same way, with
        // its entries queued after it: stop, so none of them plays.
        state_ = FileState::Failed;
        pendingSeek_.reset();
        if (end->reason == MPV_END_FILE_REASON_REDIRECT)
            mpv_.CommandAsync(0, {"stop"});
        break;
    }
    default:
        break;
    }
}

void PreviewPlayer::RenderFrame(bool force) {
    // libmpv's news first: whether a picture is shown depends on it.
    if (eventsQueued_)
        ProcessEvents();
    renderQueued_ = false;
    if (mpv_.HasNewFrame())
        pendingFrame_ = true;
    bool loaded = false;
    {
        std::lock_guard lock(mutex_);
        loaded = state_ == FileState::Loaded;
    }
    // A picture of the loaded file waits for the news that it has video.
    if (loaded && area_ && !videoActive_)
        return;
    const bool show = loaded && restarted_ && area_;
    if (!pendingFrame_ && !(force && show))
        return;
    pendingFrame_ = false;
    // libmpv's video output waits for every new picture to be rendered, so
    // one not to be shown (no area, a file stopped or still loading, the
    // entries of a refused playlist) is rendered aside.
    QImage aside;
    if (!show)
        aside = QImage(area_ ? area_->size() : QSize(16, 16), QImage::Format_RGB32);
    QImage& image = show ? area_->BeginFrame() : aside;
    if (image.isNull())
        return;
    if (mpv_.Render(image.width(), image.height(), static_cast<std::size_t>(image.bytesPerLine()),
                    image.bits()) &&
        show)
        area_->EndFrame();
}

} // namespace kiv
