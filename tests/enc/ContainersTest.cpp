// enc's own extension-to-muxer table agrees with libavformat's choice.

#include "Containers.h"

#include <gtest/gtest.h>

extern "C" {
#include <libavformat/avformat.h>
}

namespace kiv::test {
namespace {

TEST(ContainersTest, EveryExtensionPicksTheMuxerLibavformatPicks) {
    for (const enc::ExtensionRow& row : enc::ExtensionTable()) {
        std::string name = "/out/clip" + std::string(row.extension);
        const AVOutputFormat* guessed = av_guess_format(nullptr, name.c_str(), nullptr);
        ASSERT_NE(guessed, nullptr) << name;
        EXPECT_EQ(std::string(guessed->name), row.format) << name;
        EXPECT_EQ(enc::FormatOfFileName(name), row.format);
    }
    EXPECT_EQ(enc::FormatOfFileName("/out/CLIP.AVI"), "avi");
    EXPECT_EQ(enc::FormatOfFileName("/out.d/clip"), "");
    EXPECT_EQ(enc::FormatOfFileName("/out/.avi"), "");
}

} // namespace
} // namespace kiv::test
