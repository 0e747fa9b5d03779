#include "media/MediaStreams.h"

#include "media/HdrTenMetadata.h"
#include "media/OpenedMedia.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

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

// A file with several audio tracks may have one that holds nothing (a
// track left empty by the tool that made it). Such a track shows no packet
// in the stretch of the file where the others have theirs; reading stops
// once every audio track has shown one, or after a few hundred packets.
constexpr int kPacketsToRead = 800;

void MarkEmptyTracks(AVFormatContext* format, StreamFacts* streams, int count) {
    std::vector<int> seen(static_cast<std::size_t>(count), 0);
    int audio = 0;
    for (int i = 0; i < count; ++i)
        audio += streams[i].type == static_cast<int>(StreamType::Audio);
    if (audio < 2)
        return;
    AVPacket* packet = av_packet_alloc();
    if (!packet)
        return;
    int heard = 0;
    for (int read = 0; read < kPacketsToRead && heard < audio; ++read) {
        if (av_read_frame(format, packet) < 0)
            break;
        const int index = packet->stream_index;
        if (index >= 0 && index < count &&
            streams[index].type == static_cast<int>(StreamType::Audio) &&
            seen[static_cast<std::size_t>(index)]++ == 0)
            ++heard;
        av_packet_unref(packet);
    }
    av_packet_free(&packet);
    if (heard == 0)
        return; // no telling: the sound comes later everywhere
    for (int i = 0; i < count; ++i) {
        if (streams[i].type == static_cast<int>(StreamType::Audio) &&
            seen[static_cast<std::size_t>(i)] == 0)
            streams[i].emptyTrack = 1;
    }
}

FieldOrder FieldOrderOf(AVFieldOrder order) {
    switch (order) {
    case AV_FIELD_PROGRESSIVE:
        return FieldOrder::Progressive;
    // FFmpeg marks what it encodes from a top-field-first picture TB, and
    // from a bottom-field-first one BT (ffmpeg.c, any codec but MJPEG).
    case AV_FIELD_TT:
    case AV_FIELD_TB:
        return FieldOrder::TopFirst;
    case AV_FIELD_BB:
    case AV_FIELD_BT:
        return FieldOrder::BottomFirst;
    default:
        return FieldOrder::Unknown;
    }
}

double SecondsOf(const AVFormatContext* format, const AVStream* stream) {
    if (stream->duration != AV_NOPTS_VALUE && stream->duration > 0)
        return static_cast<double>(stream->duration) * av_q2d(stream->time_base);
    if (format->duration != AV_NOPTS_VALUE && format->duration > 0)
        return static_cast<double>(format->duration) / AV_TIME_BASE;
    return 0;
}

template <std::size_t N>
void CopyTag(char (&field)[N], const AVDictionary* file, const AVDictionary* stream,
             const char* key) {
    const AVDictionaryEntry* entry = av_dict_get(file, key, nullptr, 0);
    if (!entry)
        entry = av_dict_get(stream, key, nullptr, 0);
    std::snprintf(field, N, "%s", entry ? entry->value : "");
}

void ReadVideo(AVFormatContext* format, AVStream* stream, bool firstPictures, StreamFacts& facts) {
    const AVCodecParameters* codec = stream->codecpar;
    facts.bitsPerSample = BitsOf(codec);
    facts.hdr =
        codec->color_trc == AVCOL_TRC_SMPTE2084 || codec->color_trc == AVCOL_TRC_ARIB_STD_B67 ? 1
                                                                                              : 0;
    facts.rotation = RotationOf(stream);
    facts.width = codec->width;
    facts.height = codec->height;
    AVRational rate = av_guess_frame_rate(format, stream, nullptr);
    facts.frameRate = rate.num > 0 && rate.den > 0 ? av_q2d(rate) : 0;
    facts.fieldOrder = static_cast<int>(FieldOrderOf(codec->field_order));
    if (codec->color_trc == AVCOL_TRC_SMPTE2084 && !facts.attachedPicture)
        ReadHdrTenMetadata(format, stream->index, firstPictures, facts.hdrTen);
}

void ReadAudio(const AVFormatContext* format, const AVStream* stream, StreamFacts& facts) {
    facts.channels = stream->codecpar->ch_layout.nb_channels;
    av_channel_layout_describe(&stream->codecpar->ch_layout, facts.layout, sizeof facts.layout);
    CopyTag(facts.title, format->metadata, stream->metadata, "title");
    CopyTag(facts.artist, format->metadata, stream->metadata, "artist");
}

} // namespace

int ListStreams(const std::string& path, StreamFacts* streams, int capacity, bool firstPictures) {
    OpenedMedia media(path);
    AVFormatContext* format = media.Format();
    if (!format)
        return media.Result() < 0 ? media.Result() : -1;
    int count = static_cast<int>(format->nb_streams);
    for (int i = 0; i < count && i < capacity && streams; ++i) {
        AVStream* stream = format->streams[i];
        const AVCodecParameters* codec = stream->codecpar;
        StreamFacts& facts = streams[i];
        facts = StreamFacts{};
        facts.index = i;
        facts.type = static_cast<int>(TypeOf(codec->codec_type));
        std::snprintf(facts.codec, sizeof facts.codec, "%s", avcodec_get_name(codec->codec_id));
        facts.attachedPicture = (stream->disposition & AV_DISPOSITION_ATTACHED_PIC) ? 1 : 0;
        const AVCodecDescriptor* descriptor = avcodec_descriptor_get(codec->codec_id);
        facts.textSubtitle = descriptor && (descriptor->props & AV_CODEC_PROP_TEXT_SUB) ? 1 : 0;
        facts.defaultTrack = (stream->disposition & AV_DISPOSITION_DEFAULT) ? 1 : 0;
        facts.forcedTrack = (stream->disposition & AV_DISPOSITION_FORCED) ? 1 : 0;
        facts.seconds = SecondsOf(format, stream);
        CopyTag(facts.language, nullptr, stream->metadata, "language");
        CopyTag(facts.name, nullptr, stream->metadata, "title");
        if (codec->codec_type == AVMEDIA_TYPE_VIDEO)
            ReadVideo(format, stream, firstPictures, facts);
        else if (codec->codec_type == AVMEDIA_TYPE_AUDIO)
            ReadAudio(format, stream, facts);
    }
    if (streams && count <= capacity)
        MarkEmptyTracks(format, streams, count);
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
