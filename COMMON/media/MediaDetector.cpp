#include "media/MediaDetector.h"

#include "media/OpenedMedia.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>

namespace kiv {

namespace {

double StreamSeconds(const AVFormatContext* format, const AVStream* stream) {
    if (stream->duration != AV_NOPTS_VALUE && stream->duration > 0)
        return static_cast<double>(stream->duration) * av_q2d(stream->time_base);
    if (format->duration != AV_NOPTS_VALUE && format->duration > 0)
        return static_cast<double>(format->duration) / AV_TIME_BASE;
    return 0;
}

// How long a file runs that does not say (written to a pipe, so its
// header was never completed): the end of its last packet, from reading its
// packets without decoding them. Gives up after a few seconds (a huge file
// on a slow disk), leaving 0.
constexpr auto kMeasureTimeLimit = std::chrono::seconds(5);

double MeasuredSeconds(AVFormatContext* format, int streamIndex) {
    const AVStream* stream = format->streams[streamIndex];
    const double base = av_q2d(stream->time_base);
    const std::int64_t start = stream->start_time != AV_NOPTS_VALUE ? stream->start_time : 0;
    const auto deadline = std::chrono::steady_clock::now() + kMeasureTimeLimit;
    AVPacket* packet = av_packet_alloc();
    if (!packet)
        return 0;
    std::int64_t end = 0;
    long long frames = 0; // a raw stream's packets carry no times: count them
    bool whole = false;
    while (std::chrono::steady_clock::now() < deadline) {
        const int result = av_read_frame(format, packet);
        if (result < 0) {
            whole = result == AVERROR_EOF;
            break;
        }
        const std::int64_t at = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
        if (packet->stream_index == streamIndex) {
            ++frames;
            if (at != AV_NOPTS_VALUE)
                end = std::max(end, at + std::max<std::int64_t>(packet->duration, 0) - start);
        }
        av_packet_unref(packet);
    }
    av_packet_free(&packet);
    if (!whole)
        return 0;
    if (end > 0)
        return static_cast<double>(end) * base;
    const AVRational rate = av_guess_frame_rate(format, format->streams[streamIndex], nullptr);
    return rate.num > 0 && rate.den > 0 ? static_cast<double>(frames) / av_q2d(rate) : 0;
}

template <std::size_t N> void CopyName(char (&field)[N], const char* name) {
    std::snprintf(field, N, "%s", name ? name : "");
}

} // namespace

int DetectMedia(const std::string& path, MediaFacts& facts) {
    facts = MediaFacts{};
    OpenedMedia media(path);
    AVFormatContext* format = media.Format();
    if (!format)
        return media.Result();

    for (unsigned i = 0; i < format->nb_streams; ++i) {
        const AVStream* stream = format->streams[i];
        const AVCodecParameters* codec = stream->codecpar;
        if (codec->codec_type == AVMEDIA_TYPE_VIDEO && !facts.hasVideo &&
            !(stream->disposition & AV_DISPOSITION_ATTACHED_PIC)) {
            facts.hasVideo = 1;
            AVRational rate = av_guess_frame_rate(format, const_cast<AVStream*>(stream), nullptr);
            facts.frameRate = rate.num > 0 && rate.den > 0 ? av_q2d(rate) : 0;
            facts.videoDuration = StreamSeconds(format, stream);
            facts.width = codec->width;
            facts.height = codec->height < 0 ? -codec->height : codec->height;
            facts.videoBitrate = static_cast<int>(codec->bit_rate);
            CopyName(facts.videoCodec, avcodec_get_name(codec->codec_id));
        } else if (codec->codec_type == AVMEDIA_TYPE_AUDIO && !facts.hasAudio) {
            facts.hasAudio = 1;
            facts.audioDuration = StreamSeconds(format, stream);
            facts.audioBitrate = static_cast<double>(codec->bit_rate);
            facts.sampleRate = codec->sample_rate;
            facts.channels = codec->ch_layout.nb_channels;
            CopyName(facts.audioCodec, avcodec_get_name(codec->codec_id));
        }
    }
    if (facts.videoDuration <= 0 && facts.audioDuration <= 0 &&
        (facts.hasVideo || facts.hasAudio)) {
        const int measured = av_find_best_stream(
            format, facts.hasVideo ? AVMEDIA_TYPE_VIDEO : AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
        if (measured >= 0) {
            const double seconds = MeasuredSeconds(format, measured);
            facts.videoDuration = facts.hasVideo ? seconds : 0;
            facts.audioDuration = facts.hasAudio ? seconds : 0;
        }
    }
    facts.duration =
        facts.videoDuration > facts.audioDuration ? facts.videoDuration : facts.audioDuration;
    return 0;
}

} // namespace kiv
