#include "media/MediaEnd.h"

#include "media/OpenedMedia.h"

#include <algorithm>
#include <chrono>
#include <cstdint>

namespace kiv {

namespace {

// From this far before the stated end: more than a key-frame interval of
// most encoders at their defaults, so the seek lands before the last packets.
constexpr double kTailSeconds = 12;
constexpr auto kReadTimeLimit = std::chrono::seconds(5);

double StartSeconds(const AVFormatContext* format) {
    return format->start_time != AV_NOPTS_VALUE
               ? static_cast<double>(format->start_time) / AV_TIME_BASE
               : 0;
}

} // namespace

MediaEnd ReadMediaEnd(const std::string& path) {
    MediaEnd end;
    OpenedMedia media(path);
    AVFormatContext* format = media.Format();
    if (!format || format->duration == AV_NOPTS_VALUE || format->duration <= 0)
        return end;
    end.statedSeconds = static_cast<double>(format->duration) / AV_TIME_BASE;
    const double start = StartSeconds(format);
    const double from = std::max(0.0, end.statedSeconds - kTailSeconds);
    // A file that cannot seek is read from its start, as far as time allows.
    if (from > 0)
        av_seek_frame(format, -1, static_cast<std::int64_t>((start + from) * AV_TIME_BASE),
                      AVSEEK_FLAG_BACKWARD);
    AVPacket* packet = av_packet_alloc();
    if (!packet)
        return end;
    const auto deadline = std::chrono::steady_clock::now() + kReadTimeLimit;
    bool whole = false;
    while (std::chrono::steady_clock::now() < deadline) {
        const int result = av_read_frame(format, packet);
        if (result < 0) {
            whole = result == AVERROR_EOF;
            break;
        }
        const AVStream* stream = format->streams[packet->stream_index];
        const std::int64_t at = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
        if (at != AV_NOPTS_VALUE) {
            const double seconds =
                static_cast<double>(at + std::max<std::int64_t>(packet->duration, 0)) *
                av_q2d(stream->time_base);
            end.readSeconds = std::max(end.readSeconds, seconds - start);
        }
        av_packet_unref(packet);
    }
    av_packet_free(&packet);
    end.readable = whole;
    return end;
}

} // namespace kiv
