#include "media/MediaStreams.h"

#include "media/OpenedMedia.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/display.h>
#include <libavutil/pixdesc.h>
}

namespace kiv {

namespace {

StreamType TypeOf(AVMediaType type) {
    switch (type) {
    case AVMEDIA_TYPE_VIDEO:
        return StreamType::Video;
    case AVMEDIA_TYPE_AUDIO:
        return StreamType::Audio;
    case AVMEDIA_TYPE_SUBTITLE:
        return StreamType::Subtitle;
    case AVMEDIA_TYPE_DATA:
        return StreamType::Data;
    case AVMEDIA_TYPE_ATTACHMENT:
        return StreamType::Attachment;
    default:
        return StreamType::Other;
    }
}

// The turn a player applies to the stored picture, in degrees as ffprobe
// reports it (a phone's portrait video: 90 or 270).
int RotationOf(const AVStream* stream) {
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

int BitsOf(const AVCodecParameters* codec) {
    const AVPixFmtDescriptor* pixels =
        av_pix_fmt_desc_get(static_cast<AVPixelFormat>(codec->format));
    int bits = codec->bits_per_raw_sample;
    if (pixels) {
        for (int c = 0; c < pixels->nb_components; ++c)
            bits = std::max(bits, pixels->comp[c].depth);
    }
    return bits;
}

} // namespace

int ListStreams(const std::string& path, StreamFacts* streams, int capacity) {
    OpenedMedia media(path);
    AVFormatContext* format = media.Format();
    if (!format)
        return media.Result() < 0 ? media.Result() : -1;
    int count = static_cast<int>(format->nb_streams);
    for (int i = 0; i < count && i < capacity && streams; ++i) {
        const AVStream* stream = format->streams[i];
        const AVCodecParameters* codec = stream->codecpar;
        StreamFacts& facts = streams[i];
        facts = StreamFacts{};
        facts.index = i;
        facts.type = static_cast<int>(TypeOf(codec->codec_type));
        std::snprintf(facts.codec, sizeof facts.codec, "%s", avcodec_get_name(codec->codec_id));
        facts.attachedPicture = (stream->disposition & AV_DISPOSITION_ATTACHED_PIC) ? 1 : 0;
        const AVCodecDescriptor* descriptor = avcodec_descriptor_get(codec->codec_id);
        facts.textSubtitle = descriptor && (descriptor->props & AV_CODEC_PROP_TEXT_SUB) ? 1 : 0;
        if (codec->codec_type == AVMEDIA_TYPE_VIDEO) {
            facts.bitsPerSample = BitsOf(codec);
            facts.hdr = codec->color_trc == AVCOL_TRC_SMPTE2084 ||
                                codec->color_trc == AVCOL_TRC_ARIB_STD_B67
                            ? 1
                            : 0;
            facts.rotation = RotationOf(stream);
        }
    }
    return count;
}

int ContainerHolds(const std::string& format, const std::string& codec) {
    const AVOutputFormat* muxer = av_guess_format(format.c_str(), nullptr, nullptr);
    const AVCodecDescriptor* descriptor = avcodec_descriptor_get_by_name(codec.c_str());
    if (!muxer || !descriptor)
        return -1;
    int answer = avformat_query_codec(muxer, descriptor->id, FF_COMPLIANCE_NORMAL);
    return answer < 0 ? -1 : (answer > 0 ? 1 : 0);
}

} // namespace kiv
