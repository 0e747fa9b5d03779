// The formats table says nothing FFmpeg 5.1 denies: every encoder, codec
// and muxer it names exists, and no container takes a codec its muxer
// refuses.

#include "CodecTable.h"

#include <gtest/gtest.h>

#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace kiv {
namespace {

std::string Name(const CodecRow& row) {
    return std::string(row.name) + "/" + std::string(row.encoder);
}

TEST(FormatTable, EveryNameIsOneFfmpegKnows) {
    for (const ContainerRow& container : ContainerRows()) {
        EXPECT_NE(av_guess_format(std::string(container.format).c_str(), nullptr, nullptr), nullptr)
            << container.format;
        for (std::string_view encoder :
             {container.video, container.audio, container.onlyVideo, container.onlyAudio}) {
            if (!encoder.empty()) {
                EXPECT_NE(avcodec_find_encoder_by_name(std::string(encoder).c_str()), nullptr)
                    << container.format << " " << encoder;
            }
        }
    }
    for (const CodecRow& row : CodecRows()) {
        if (row.encoder == "copy")
            continue;
        if (!row.encoder.empty()) {
            EXPECT_NE(avcodec_find_encoder_by_name(std::string(row.encoder).c_str()), nullptr)
                << Name(row);
        }
        EXPECT_NE(avcodec_descriptor_get_by_name(std::string(row.decoder).c_str()), nullptr)
            << Name(row);
    }
}

TEST(FormatTable, NoContainerTakesWhatItsMuxerRefuses) {
    int checked = 0;
    for (const CodecRow& row : CodecRows()) {
        const AVCodecDescriptor* codec =
            avcodec_descriptor_get_by_name(std::string(row.decoder).c_str());
        if (!codec)
            continue;
        for (const ContainerRow& container : ContainerRows()) {
            if (!Holds(row.takenBy, container.id))
                continue;
            const AVOutputFormat* muxer =
                av_guess_format(std::string(container.format).c_str(), nullptr, nullptr);
            ASSERT_NE(muxer, nullptr);
            // 0 is a refusal; a negative answer means FFmpeg cannot tell.
            EXPECT_NE(avformat_query_codec(muxer, codec->id, FF_COMPLIANCE_NORMAL), 0)
                << Name(row) << " in " << container.format;
            ++checked;
        }
    }
    EXPECT_GT(checked, 100);
}

} // namespace
} // namespace kiv
