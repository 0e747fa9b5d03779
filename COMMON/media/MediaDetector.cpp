#include "media/MediaDetector.h"

#include "media/OpenedMedia.h"

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
    facts.duration =
        facts.videoDuration > facts.audioDuration ? facts.videoDuration : facts.audioDuration;
    return 0;
}

} // namespace kiv
