#include "MediaDetector.h"

#include <chrono>
#include <sys/stat.h>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/log.h>
}

namespace kiv {

namespace {

constexpr auto kReadTimeLimit = std::chrono::seconds(10);

struct Deadline {
    std::chrono::steady_clock::time_point end;
};

int Interrupt(void* opaque) {
    auto* deadline = static_cast<Deadline*>(opaque);
    return std::chrono::steady_clock::now() > deadline->end ? 1 : 0;
}

double StreamSeconds(const AVFormatContext* format, const AVStream* stream) {
    if (stream->duration != AV_NOPTS_VALUE && stream->duration > 0)
        return static_cast<double>(stream->duration) * av_q2d(stream->time_base);
    if (format->duration != AV_NOPTS_VALUE && format->duration > 0)
        return static_cast<double>(format->duration) / AV_TIME_BASE;
    return 0;
}

} // namespace

int DetectMedia(const std::string& path, MediaFacts& facts) {
    facts = MediaFacts{};
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size == 0)
        return -1;

    av_log_set_level(AV_LOG_QUIET);
    AVFormatContext* format = avformat_alloc_context();
    if (!format)
        return -1;
    Deadline deadline{std::chrono::steady_clock::now() + kReadTimeLimit};
    format->interrupt_callback.callback = Interrupt;
    format->interrupt_callback.opaque = &deadline;

    int result = avformat_open_input(&format, path.c_str(), nullptr, nullptr);
    if (result < 0)
        return result; // avformat_open_input frees the context on failure
    result = avformat_find_stream_info(format, nullptr);
    if (result < 0) {
        avformat_close_input(&format);
        return result;
    }

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
        } else if (codec->codec_type == AVMEDIA_TYPE_AUDIO && !facts.hasAudio) {
            facts.hasAudio = 1;
            facts.audioDuration = StreamSeconds(format, stream);
            facts.audioBitrate = static_cast<double>(codec->bit_rate);
            facts.sampleRate = codec->sample_rate;
            facts.channels = codec->ch_layout.nb_channels;
        }
    }
    facts.duration =
        facts.videoDuration > facts.audioDuration ? facts.videoDuration : facts.audioDuration;
    avformat_close_input(&format);
    return 0;
}

} // namespace kiv
