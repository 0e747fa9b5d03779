#pragma once
// A media file opened with libavformat and its streams read, within a time
// limit so that a stalled file cannot hang the caller; closed on scope exit.
// Used by the detector and the stream list of the media library.

#include "files/NonEmptyFile.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <string>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/display.h>
#include <libavutil/log.h>
}

namespace kiv {

class OpenedMedia {
public:
    // A missing, empty or non-regular file fails before anything is opened.
    explicit OpenedMedia(const std::string& path) {
        if (!IsNonEmptyFile(path))
            return;
        av_log_set_level(AV_LOG_QUIET);
        AVFormatContext* format = avformat_alloc_context();
        if (!format)
            return;
        deadline_ = std::chrono::steady_clock::now() + kReadTimeLimit;
        format->interrupt_callback.callback = Interrupt;
        format->interrupt_callback.opaque = this;
        result_ = avformat_open_input(&format, path.c_str(), nullptr, nullptr);
        if (result_ < 0)
            return; // avformat_open_input frees the context on failure
        result_ = avformat_find_stream_info(format, nullptr);
        if (result_ < 0) {
            avformat_close_input(&format);
            return;
        }
        format_ = format;
    }
    ~OpenedMedia() {
        if (format_)
            avformat_close_input(&format_);
    }
    OpenedMedia(const OpenedMedia&) = delete;
    OpenedMedia& operator=(const OpenedMedia&) = delete;

    // The opened file, or nullptr; then Result() says why (negative).
    AVFormatContext* Format() const { return format_; }
    int Result() const { return result_; }

private:
    static constexpr auto kReadTimeLimit = std::chrono::seconds(10);

    static int Interrupt(void* opaque) {
        auto* self = static_cast<OpenedMedia*>(opaque);
        return std::chrono::steady_clock::now() > self->deadline_ ? 1 : 0;
    }

    AVFormatContext* format_ = nullptr;
    int result_ = -1;
    std::chrono::steady_clock::time_point deadline_;
};

// The turn a player applies to the stored picture, in degrees as ffprobe
// reports it (a phone's portrait video: 90 or 270).
inline int RotationOf(const AVStream* stream) {
    const std::uint8_t* matrix =
        av_stream_get_side_data(stream, AV_PKT_DATA_DISPLAYMATRIX, nullptr);
    if (!matrix)
        return 0;
    double angle = av_display_rotation_get(reinterpret_cast<const std::int32_t*>(matrix));
    if (std::isnan(angle))
        return 0;
    int degrees = static_cast<int>(std::lround(angle)) % 360;
    return degrees < 0 ? degrees + 360 : degrees;
}

} // namespace kiv
