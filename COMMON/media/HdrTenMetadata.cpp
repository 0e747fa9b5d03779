#include "media/HdrTenMetadata.h"

#include <cmath>
#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/mastering_display_metadata.h>
}

namespace kiv {

namespace {

// The first picture turns up within this many packets of the file, or the
// stream is not worth waiting for.
constexpr int kMostPackets = 500;

int Units(AVRational value, int perUnit) {
    return static_cast<int>(std::lround(av_q2d(value) * perUnit));
}

void TakeMastering(const AVMasteringDisplayMetadata& display, HdrTenFacts& facts) {
    if (!display.has_primaries && !display.has_luminance)
        return;
    constexpr int kChroma = 50000;
    constexpr int kLuminance = 10000;
    // FFmpeg keeps the primaries in the order red, green, blue.
    int* const primaries[3] = {facts.red, facts.green, facts.blue};
    for (int c = 0; c < 3; ++c) {
        primaries[c][0] = Units(display.display_primaries[c][0], kChroma);
        primaries[c][1] = Units(display.display_primaries[c][1], kChroma);
    }
    facts.whitePoint[0] = Units(display.white_point[0], kChroma);
    facts.whitePoint[1] = Units(display.white_point[1], kChroma);
    facts.maxLuminance = Units(display.max_luminance, kLuminance);
    facts.minLuminance = Units(display.min_luminance, kLuminance);
    facts.hasMasteringDisplay = 1;
}

void TakeLightLevel(const AVContentLightMetadata& light, HdrTenFacts& facts) {
    facts.maxContentLight = static_cast<int>(light.MaxCLL);
    facts.maxAverageLight = static_cast<int>(light.MaxFALL);
    facts.hasLightLevel = 1;
}

struct CodecContextFree {
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct PacketFree {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct FrameFree {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};

void ReadFirstPicture(AVFormatContext* format, int streamIndex, HdrTenFacts& facts) {
    const AVCodecParameters* parameters = format->streams[streamIndex]->codecpar;
    const AVCodec* decoder = avcodec_find_decoder(parameters->codec_id);
    if (!decoder)
        return;
    std::unique_ptr<AVCodecContext, CodecContextFree> context(avcodec_alloc_context3(decoder));
    std::unique_ptr<AVPacket, PacketFree> packet(av_packet_alloc());
    std::unique_ptr<AVFrame, FrameFree> frame(av_frame_alloc());
    if (!context || !packet || !frame ||
        avcodec_parameters_to_context(context.get(), parameters) < 0)
        return;
    context->thread_count = 1; // the first picture comes out of the first packets
    if (avcodec_open2(context.get(), decoder, nullptr) < 0)
        return;
    for (int read = 0; read < kMostPackets && av_read_frame(format, packet.get()) >= 0; ++read) {
        bool ours = packet->stream_index == streamIndex;
        int sent = ours ? avcodec_send_packet(context.get(), packet.get()) : 0;
        av_packet_unref(packet.get());
        if (sent < 0 && sent != AVERROR(EAGAIN))
            return;
        if (!ours || avcodec_receive_frame(context.get(), frame.get()) < 0)
            continue;
        if (const AVFrameSideData* side =
                av_frame_get_side_data(frame.get(), AV_FRAME_DATA_MASTERING_DISPLAY_METADATA))
            TakeMastering(*reinterpret_cast<const AVMasteringDisplayMetadata*>(side->data), facts);
        if (const AVFrameSideData* side =
                av_frame_get_side_data(frame.get(), AV_FRAME_DATA_CONTENT_LIGHT_LEVEL))
            TakeLightLevel(*reinterpret_cast<const AVContentLightMetadata*>(side->data), facts);
        return;
    }
}

} // namespace

void ReadHdrTenMetadata(AVFormatContext* format, int streamIndex, bool firstPicture,
                        HdrTenFacts& facts) {
    const AVStream* stream = format->streams[streamIndex];
    std::size_t size = 0;
    if (const std::uint8_t* data =
            av_stream_get_side_data(stream, AV_PKT_DATA_MASTERING_DISPLAY_METADATA, &size))
        TakeMastering(*reinterpret_cast<const AVMasteringDisplayMetadata*>(data), facts);
    if (const std::uint8_t* data =
            av_stream_get_side_data(stream, AV_PKT_DATA_CONTENT_LIGHT_LEVEL, &size))
        TakeLightLevel(*reinterpret_cast<const AVContentLightMetadata*>(data), facts);
    if (firstPicture && !facts.hasMasteringDisplay && !facts.hasLightLevel)
        ReadFirstPicture(format, streamIndex, facts);
}

} // namespace kiv
