// The kinds without catalogue profiles (5, 11 to 21, 22) and the other
// variants of kind 9, from a source with video and from an audio-only one:
// the cases where the container and codec repairs matter.

#include "E2ESupport.h"
#include "FixedText.h"

#include <gtest/gtest.h>

namespace kiv::e2e {
namespace {

enum class Source { Video, Audio };

struct KindCase {
    const char* name;
    int kind;
    int variant;
    const char* videoCodec; // profile names, as the codec lists spell them
    const char* audioCodec;
    Source source;
    Expectation expected;
    int volume = 256;
};

MediaProfile ProfileFor(const KindCase& kindCase) {
    MediaProfile profile{};
    SetText(profile.ProfileName, kindCase.name);
    SetText(profile.VideoCodec, kindCase.videoCodec);
    SetText(profile.VideoBitrate, "512");
    SetText(profile.FrameRate, "25.00");
    SetText(profile.FrameSize, "320x240");
    SetText(profile.Aspect, "Original");
    SetText(profile.AudioCodec, kindCase.audioCodec);
    SetText(profile.AudioBitrate, "128");
    SetText(profile.SampleRate, "44100");
    profile.ChannelIndex = 1;
    profile.Volume = kindCase.volume;
    profile.Variant = kindCase.variant;
    return profile;
}

constexpr Source kV = Source::Video;
constexpr Source kA = Source::Audio;
const char* const kMov = kMovFamily;

// clang-format off
const KindCase kCases[] = {
    // audio-only kinds, from both sources
    {"Wma", 11, 0, "", "", kV, {"asf", "", "", 0, 0, "wmav2", 44100, 2}},
    {"WmaFromAudio", 11, 0, "", "", kA, {"asf", "", "", 0, 0, "wmav2", 44100, 2}},
    {"Mp3", 12, 0, "", "", kV, {"mp3", "", "", 0, 0, "mp3", 44100, 2}},
    {"Mp3FromAudioLouder", 12, 0, "", "", kA, {"mp3", "", "", 0, 0, "mp3", 44100, 2}, 512},
    {"Ogg", 13, 0, "", "", kV, {"ogg", "", "", 0, 0, "vorbis", 44100, 2}},
    {"OggFromAudio", 13, 0, "", "", kA, {"ogg", "", "", 0, 0, "vorbis", 44100, 2}},
    {"Aac", 14, 0, "", "", kV, {"aac", "", "", 0, 0, "aac", 44100, 2}},
    {"AacFromAudio", 14, 0, "", "", kA, {"aac", "", "", 0, 0, "aac", 44100, 2}},
    {"Mp2", 15, 0, "", "", kV, {"mp3", "", "", 0, 0, "mp2", 44100, 2}},
    {"Mp2FromAudio", 15, 0, "", "", kA, {"mp3", "", "", 0, 0, "mp2", 44100, 2}},
    {"M4a", 16, 0, "", "", kV, {kMov, "M4A ", "", 0, 0, "aac", 44100, 2}},
    {"M4aFromAudio", 16, 0, "", "", kA, {kMov, "M4A ", "", 0, 0, "aac", 44100, 2}},
    {"Ac3", 17, 0, "", "", kV, {"ac3", "", "", 0, 0, "ac3", 44100, 2}},
    {"Ac3FromAudio", 17, 0, "", "", kA, {"ac3", "", "", 0, 0, "ac3", 44100, 2}},
    {"AmrNarrow", 18, 0, "", "", kV, {"amr", "", "", 0, 0, "amr_nb", 8000, 1}},
    {"AmrNarrowFromAudio", 18, 0, "", "", kA, {"amr", "", "", 0, 0, "amr_nb", 8000, 1}},
    {"AmrWide", 19, 0, "", "", kV, {"amr", "", "", 0, 0, "amr_wb", 16000, 1}},
    {"AmrWideFromAudio", 19, 0, "", "", kA, {"amr", "", "", 0, 0, "amr_wb", 16000, 1}},
    {"Wav", 20, 0, "", "", kV, {"wav", "", "", 0, 0, "pcm_s16le", 44100, 2}},
    {"WavFromAudio", 20, 0, "", "", kA, {"wav", "", "", 0, 0, "pcm_s16le", 44100, 2}},
    {"Mmf", 21, 0, "", "", kV, {"mmf", "", "", 0, 0, "adpcm_yamaha", 44100, 1}},
    {"MmfFromAudio", 21, 0, "", "", kA, {"mmf", "", "", 0, 0, "adpcm_yamaha", 44100, 1}},
    // kind 5, every variant
    {"K5V0ThreeGpMp3BecomesAac", 5, 0, "h264", "mp3", kV, {kMov, "3gp6", "h264", 320, 240, "aac", 44100, 2}},
    {"K5V1ThreeG2", 5, 1, "mpeg4", "aac", kV, {kMov, "3g2a", "mpeg4", 320, 240, "aac", 44100, 2}},
    {"K5V2Avi", 5, 2, "h264", "mp2", kV, {"avi", "", "h264", 320, 240, "mp2", 44100, 2}},
    {"K5V3AviAac", 5, 3, "mpeg4", "aac", kV, {"avi", "", "mpeg4", 320, 240, "aac", 44100, 2}},
    {"K5V4Wmv", 5, 4, "h264", "aac", kV, {"asf", "", "h264", 320, 240, "aac", 44100, 2}},
    {"K5V5Mp4", 5, 5, "mpeg4", "mp3", kV, {kMov, "isom", "mpeg4", 320, 240, "mp3", 44100, 2}},
    {"K5V6Mp4", 5, 6, "h264", "aac", kV, {kMov, "isom", "h264", 320, 240, "aac", 44100, 2}},
    {"K5V7MpgAacBecomesMp2", 5, 7, "mpeg4", "aac", kV, {"mpeg", "", "mpeg4", 320, 240, "mp2", 44100, 2}},
    {"K5V8Mov", 5, 8, "h264", "mp3", kV, {kMov, "qt  ", "h264", 320, 240, "mp3", 44100, 2}},
    {"K5V9NoExtension", 5, 9, "mpeg4", "mp2", kV, {"avi", "", "mpeg4", 320, 240, "mp2", 44100, 2}},
    {"K5V0FromAudio", 5, 0, "h264", "mp3", kA, {kMov, "3gp4", "", 0, 0, "aac", 44100, 2}},
    {"K5V7FromAudio", 5, 7, "mpeg4", "aac", kA, {"mpeg", "", "", 0, 0, "mp2", 44100, 2}},
    // kind 9, the variants no catalogue profile uses
    {"K9V3Avi", 9, 3, "h263", "mp3", kV, {"avi", "", "h263", 176, 144, "mp3", 44100, 2}},
    {"K9V4Wmv", 9, 4, "mpeg4", "amr_nb", kV, {"asf", "", "mpeg4", 320, 240, "amr_nb", 8000, 1}},
    {"K9V5Mp4H263BecomesThreeGp", 9, 5, "h263", "aac", kV, {kMov, "3gp4", "h263", 176, 144, "aac", 44100, 2}},
    {"K9V6Mp4AmrBecomesThreeGp", 9, 6, "mpeg4", "amr_nb", kV, {kMov, "3gp4", "mpeg4", 320, 240, "amr_nb", 8000, 1}},
    {"K9V7MpgH263BecomesMpeg1", 9, 7, "h263", "mp3", kV, {"mpeg", "", "mpeg1video", 320, 240, "mp3", 44100, 2}},
    {"K9V8Mov", 9, 8, "h263", "amr_nb", kV, {kMov, "qt  ", "h263", 176, 144, "amr_nb", 8000, 1}},
    {"K9V9NoExtension", 9, 9, "h263", "aac", kV, {"avi", "", "h263", 176, 144, "aac", 44100, 2}},
    {"K9V0FromAudio", 9, 0, "h263", "amr_nb", kA, {kMov, "3gp4", "", 0, 0, "amr_nb", 8000, 1}},
    {"K9V9FromAudio", 9, 9, "mpeg4", "mp3", kA, {"avi", "", "", 0, 0, "mp3", 44100, 2}},
    // kind 22, source quality
    {"K22V0NoExtension", 22, 0, "mjpeg", "pcm_s16le", kV, {"avi", "", "mjpeg", 320, 240, "pcm_s16le", 44100, 2}},
    {"K22V1FlvMjpegBecomesFlv", 22, 1, "mjpeg", "mp3", kV, {"flv", "", "flv1", 320, 240, "mp3", 44100, 2}},
    {"K22V2Avi", 22, 2, "flv", "pcm_s16le", kV, {"avi", "", "flv1", 320, 240, "pcm_s16le", 44100, 2}},
    {"K22V3Mov", 22, 3, "mjpeg", "mp3", kV, {kMov, "qt  ", "mjpeg", 320, 240, "mp3", 44100, 2}},
    {"K22V1FromAudio", 22, 1, "mjpeg", "mp3", kA, {"flv", "", "", 0, 0, "mp3", 44100, 2}},
    {"K22V0FromAudio", 22, 0, "flv", "pcm_s16le", kA, {"avi", "", "", 0, 0, "pcm_s16le", 44100, 2}},
};
// clang-format on

class KindTest : public testing::TestWithParam<KindCase> {};

TEST_P(KindTest, ConvertsWithRepairs) {
    const KindCase& kindCase = GetParam();
    std::string source =
        kindCase.source == Source::Video ? test::VideoSource() : test::AudioSource();
    std::string folder = (test::ScratchFolder("kinds") / "").string() + kindCase.name;
    Conversion conversion = Convert(ProfileFor(kindCase), kindCase.kind, source, folder);
    ExpectOutput(conversion, kindCase.expected);
}

INSTANTIATE_TEST_SUITE_P(Kinds, KindTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<KindCase>& info) {
                             return info.param.name;
                         });

} // namespace
} // namespace kiv::e2e
