// Every one of the 70 profiles of old converts for real through enc and
// FFmpeg, and the output is what the profile asks for.

#include "Catalogue.h"
#include "E2ESupport.h"
#include "FixedText.h"

#include <array>
#include <cstdio>
#include <gtest/gtest.h>
#include <string_view>

namespace kiv::e2e {
namespace {

struct CodecName {
    std::string_view profile;
    std::string_view decoder; // what libavformat reports for the output
};

// clang-format off
constexpr std::array<CodecName, 23> kDecoderNames = {{
    {"xvid", "mpeg4"}, {"divx", "mpeg4"}, {"mpeg4", "mpeg4"}, {"msmpeg4", "msmpeg4v3"},
    {"msmpeg4v2", "msmpeg4v2"}, {"h264", "h264"}, {"wmv1", "wmv1"}, {"wmv2", "wmv2"},
    {"h263", "h263"}, {"flv", "flv1"}, {"swf", "flv1"}, {"mjpeg", "mjpeg"},
    {"mpeg1video", "mpeg1video"}, {"mpeg2video", "mpeg2video"},
    {"mp3", "mp3"}, {"aac", "aac"}, {"wmav2", "wmav2"}, {"wmav1", "wmav1"}, {"ac3", "ac3"},
    {"mp2", "mp2"}, {"amr_nb", "amr_nb"}, {"pcm_s16le", "pcm_s16le"}, {"pcm_alaw", "pcm_alaw"},
}};
// clang-format on

struct Preset {
    std::string_view name;
    std::string_view videoCodec;
    int width;
    int height;
    int sampleRate;
};

constexpr std::array<Preset, 6> kPresets = {{
    {"pal-dvd", "mpeg2video", 720, 576, 48000},
    {"ntsc-dvd", "mpeg2video", 720, 480, 48000},
    {"pal-svcd", "mpeg2video", 480, 576, 44100},
    {"ntsc-svcd", "mpeg2video", 480, 480, 44100},
    {"pal-vcd", "mpeg1video", 352, 288, 44100},
    {"ntsc-vcd", "mpeg1video", 352, 240, 44100},
}};

std::string Decoder(std::string_view profileCodec) {
    for (const CodecName& row : kDecoderNames) {
        if (row.profile == profileCodec)
            return std::string(row.decoder);
    }
    return "unknown codec " + std::string(profileCodec);
}

struct Container {
    std::string format;
    std::string brand;
};

// The container each builder writes, by kind and variant.
Container ContainerOf(int kind, int variant) {
    switch (kind) {
    case 1:
        return {"avi", ""};
    case 2:
        return {"asf", ""};
    case 3:
        return {"mpeg", ""};
    case 4:
        return {kMovFamily, variant == 12 ? "qt  " : "isom"};
    case 6:
        return {variant == 0 ? "swf" : "flv", ""};
    case 7:
        return {kMovFamily, "qt  "};
    case 8:
        return {kMovFamily, "MSNV"};
    case 9:
        if (variant == 0)
            return {kMovFamily, "3gp4"};
        if (variant == 1)
            return {kMovFamily, "3g2a"};
        if (variant == 5 || variant == 6)
            return {kMovFamily, "isom"};
        return {"avi", ""};
    }
    return {"no container for kind " + std::to_string(kind), ""};
}

Expectation Expect(const MediaProfile& profile, int kind) {
    Container container = ContainerOf(kind, profile.Variant);
    Expectation expected;
    expected.format = container.format;
    expected.majorBrand = container.brand;
    std::string_view videoCodec = GetText(profile.VideoCodec);
    expected.videoCodec = Decoder(kind == 7 && profile.Variant == 1 ? "mpeg4" : videoCodec);
    if (GetText(profile.FrameSize) == "Original") {
        expected.width = 320;
        expected.height = 240;
    } else {
        std::sscanf(profile.FrameSize, "%dx%d", &expected.width, &expected.height);
    }
    expected.audioCodec = Decoder(GetText(profile.AudioCodec));
    expected.sampleRate = std::atoi(profile.SampleRate);
    expected.channels = profile.ChannelIndex + 1;
    for (const Preset& preset : kPresets) {
        if (preset.name == videoCodec) {
            expected.videoCodec = std::string(preset.videoCodec);
            expected.width = preset.width;
            expected.height = preset.height;
            expected.sampleRate = preset.sampleRate;
        }
    }
    if (expected.audioCodec == "amr_nb") {
        expected.sampleRate = 8000;
        expected.channels = 1;
    }
    return expected;
}

struct ProfileCase {
    int category;
    int profile;
};

std::vector<ProfileCase> AllProfiles() {
    std::vector<ProfileCase> cases;
    // Today's formats have their own test (ModernE2ETest.cpp).
    for (int category = 0; category < kClassicCategoryCount; ++category) {
        for (int profile = 0; profile < GetCategory(category)->ProfileCount; ++profile)
            cases.push_back({category, profile});
    }
    return cases;
}

std::string CaseName(const testing::TestParamInfo<ProfileCase>& info) {
    MediaProfile profile{};
    GetProfile(info.param.category, info.param.profile, profile);
    std::string name = "Profile" + std::to_string(info.index + 1) + "_";
    for (char c : GetText(profile.ProfileName))
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

class CatalogueProfileTest : public testing::TestWithParam<ProfileCase> {};

TEST_P(CatalogueProfileTest, ConvertsToWhatTheProfileAsks) {
    MediaProfile profile{};
    ASSERT_TRUE(GetProfile(GetParam().category, GetParam().profile, profile));
    int kind = GetCategory(GetParam().category)->Target;
    std::string folder = (test::ScratchFolder("profiles") / "").string() +
                         std::to_string(GetParam().category) + "-" +
                         std::to_string(GetParam().profile);
    Conversion conversion = Convert(profile, kind, test::VideoSource(), folder);
    SCOPED_TRACE(std::string("profile ") + profile.ProfileName);
    ExpectOutput(conversion, Expect(profile, kind));
}

INSTANTIATE_TEST_SUITE_P(Catalogue, CatalogueProfileTest, testing::ValuesIn(AllProfiles()),
                         CaseName);

TEST(CatalogueSizeTest, SeventyProfiles) {
    EXPECT_EQ(AllProfiles().size(), 70u);
}

} // namespace
} // namespace kiv::e2e
