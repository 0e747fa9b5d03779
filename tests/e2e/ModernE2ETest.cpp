// Today's formats convert real clips through enc and FFmpeg: every profile
// once, on the sources people have (a turned phone video, a 10-bit HDR
// clip, a 50 fps film with two audio tracks and a subtitle, a sound file),
// and the copies that cannot work fail with their reason.

#include "Catalogue.h"
#include "E2ESupport.h"
#include "FixedText.h"
#include "TestFiles.h"
#include "TestMedia.h"
#include "TestProcess.h"

#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>

namespace kiv::e2e {
namespace {

namespace fs = std::filesystem;

enum class Source { Plain, Phone, Hdr, Film, Sound, Windows, Silent };

const std::string kTwoSeconds = "duration=2";

// Made once in the shared media folder; all two seconds long.
std::string SourcePath(Source source) {
    fs::path folder = test::SharedMediaFolder();
    const std::vector<std::string> tone = {"-f", "lavfi", "-i",
                                           "sine=frequency=440:sample_rate=48000:" + kTwoSeconds};
    switch (source) {
    case Source::Plain:
        return test::VideoSource();
    case Source::Sound:
        return test::AudioSource();
    case Source::Phone: {
        // FFmpeg 5.1 turns the rotate tag into a display matrix only on a copy.
        fs::path stored = folder / "phone-stored.mp4";
        fs::path phone = folder / "phone-rot90.mp4";
        std::vector<std::string> make = {"-f", "lavfi", "-i",
                                         "testsrc2=size=640x360:rate=30:" + kTwoSeconds};
        make.insert(make.end(), tone.begin(), tone.end());
        make.insert(make.end(), {"-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p",
                                 "-c:a", "aac", "-ac", "2"});
        test::MakeMedia(stored, make);
        test::MakeMedia(phone,
                        {"-i", stored.string(), "-c", "copy", "-metadata:s:v:0", "rotate=90"});
        return phone.string();
    }
    case Source::Hdr: {
        fs::path path = folder / "hdr10.mkv";
        std::vector<std::string> make = {"-f", "lavfi", "-i",
                                         "testsrc2=size=320x180:rate=25:" + kTwoSeconds};
        make.insert(make.end(), tone.begin(), tone.end());
        make.insert(make.end(),
                    {"-c:v", "libx265", "-preset", "ultrafast", "-pix_fmt", "yuv420p10le",
                     "-color_primaries", "bt2020", "-color_trc", "smpte2084", "-colorspace",
                     "bt2020nc", "-x265-params", "log-level=error", "-c:a", "aac", "-ac", "2"});
        test::MakeMedia(path, make);
        return path.string();
    }
    case Source::Film: {
        fs::path subtitles = folder / "film.srt";
        if (!fs::exists(subtitles))
            test::WriteFile(subtitles, "1\n00:00:00,200 --> 00:00:01,500\nHello\n\n");
        fs::path path = folder / "film50.mkv";
        std::vector<std::string> make = {"-f", "lavfi", "-i",
                                         "testsrc2=size=320x180:rate=50:" + kTwoSeconds};
        make.insert(make.end(), tone.begin(), tone.end());
        make.insert(make.end(), {"-f",       "lavfi",
                                 "-i",       "sine=frequency=660:sample_rate=48000:" + kTwoSeconds,
                                 "-i",       subtitles.string(),
                                 "-map",     "0",
                                 "-map",     "1",
                                 "-map",     "2",
                                 "-map",     "3",
                                 "-c:v",     "libx264",
                                 "-preset",  "ultrafast",
                                 "-pix_fmt", "yuv420p",
                                 "-c:a",     "aac",
                                 "-ac",      "2",
                                 "-c:s",     "srt"});
        test::MakeMedia(path, make);
        return path.string();
    }
    case Source::Windows: {
        fs::path path = folder / "windows.wmv";
        std::vector<std::string> make = {"-f", "lavfi", "-i",
                                         "testsrc2=size=320x240:rate=25:" + kTwoSeconds};
        make.insert(make.end(), tone.begin(), tone.end());
        make.insert(make.end(), {"-c:v", "wmv2", "-c:a", "wmav2"});
        test::MakeMedia(path, make);
        return path.string();
    }
    case Source::Silent: {
        fs::path path = folder / "silent.mp4";
        test::MakeMedia(path, {"-f", "lavfi", "-i", "testsrc2=size=160x120:rate=25:" + kTwoSeconds,
                               "-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p"});
        return path.string();
    }
    }
    return {};
}

struct Streams {
    double frameRate = 0; // 0: no video
    double aspect = 0;    // shown width / height
    int rotation = 0;     // the display matrix a copy keeps
    int bits = 8;         // per component
    int audioTracks = 0;
    std::string subtitle; // codec of the first subtitle, empty for none
    int subtitleTracks = 0;
};

struct ModernCase {
    const char* name;
    int category;
    int profile;
    Source source;
    Expectation expected; // container, codecs, size, sample rate, channels
    Streams streams;
    const char* failure = nullptr; // the reason a conversion fails with
    const char* note = nullptr;    // a line enc says about a stream it leaves out
};

constexpr double k169 = 16.0 / 9;
constexpr double k916 = 9.0 / 16;
const char* const kMov = kMovFamily;
const char* const kMkv = "matroska,webm";

// clang-format off
const ModernCase kCases[] = {
    {"H264SameSizeKeeps50FpsTwoTracksAndTheSubtitle", 9, 0, Source::Film,
     {kMov, "isom", "h264", 320, 180, "aac", 48000, 2}, {50, k169, 0, 8, 2, "mov_text", 1}},
    {"H264FullHdTurnsThePhoneVideoUpright", 9, 1, Source::Phone,
     {kMov, "isom", "h264", 360, 640, "aac", 48000, 2}, {30, k916, 0, 8, 1, "", 0}},
    {"H264HdNeverEnlargesAndMapsHdrTo8Bits", 9, 2, Source::Hdr,
     {kMov, "isom", "h264", 320, 180, "aac", 48000, 2}, {25, k169, 0, 8, 1, "", 0}},
    {"H264SdFitsThePortraitIntoTheBox", 9, 3, Source::Phone,
     {kMov, "isom", "h264", 270, 480, "aac", 48000, 2}, {30, k916, 0, 8, 1, "", 0}},
    {"H265KeepsTenBits", 9, 4, Source::Hdr,
     {kMov, "isom", "hevc", 320, 180, "aac", 48000, 2}, {25, k169, 0, 10, 1, "", 0}},
    {"Vp9WebMWithOpusAndWebVtt", 9, 5, Source::Film,
     {kMkv, "", "vp9", 320, 180, "opus", 48000, 2}, {50, k169, 0, 8, 2, "webvtt", 1}},
    {"Av1MkvKeepsTheSubtitle", 9, 6, Source::Film,
     {kMkv, "", "av1", 320, 180, "opus", 48000, 2}, {50, k169, 0, 8, 2, "subrip", 1}},
    {"Av1WebMFromThePhone", 9, 7, Source::Phone,
     {kMkv, "", "av1", 360, 640, "opus", 48000, 2}, {30, k916, 0, 8, 1, "", 0}},
    {"MkvSameStreamsCopiesEveryStream", 9, 8, Source::Film,
     {kMkv, "", "h264", 320, 180, "aac", 48000, 2}, {50, k169, 0, 8, 2, "subrip", 1}},
    {"Mp4SameStreamsKeepsTheTurn", 9, 9, Source::Phone,
     {kMov, "isom", "h264", 640, 360, "aac", 48000, 2}, {30, k169, 90, 8, 1, "", 0}},
    {"Mp3BestFromTheFilmsFirstTrack", 10, 0, Source::Film, {"mp3", "", "", 0, 0, "mp3", 48000, 2},
     {0, 0, 0, 8, 1, "", 0}, nullptr,
     "enc: not kept: stream #0:2 (audio aac): only the first audio track is kept"},
    {"Mp3Smaller", 10, 1, Source::Sound, {"mp3", "", "", 0, 0, "mp3", 44100, 2}, {0, 0, 0, 8, 1, "", 0}},
    {"AacInM4a", 10, 2, Source::Plain, {kMov, "M4A ", "", 0, 0, "aac", 48000, 2}, {0, 0, 0, 8, 1, "", 0}},
    {"Flac", 10, 3, Source::Film, {"flac", "", "", 0, 0, "flac", 48000, 2}, {0, 0, 0, 8, 1, "", 0}},
    {"Opus", 10, 4, Source::Sound, {"ogg", "", "", 0, 0, "opus", 48000, 2}, {0, 0, 0, 8, 1, "", 0}},
    {"Wav", 10, 5, Source::Plain, {"wav", "", "", 0, 0, "pcm_s16le", 48000, 2}, {0, 0, 0, 8, 1, "", 0}},
    {"SoundAsItIsFromAnMp4", 10, 6, Source::Plain, {kMov, "M4A ", "", 0, 0, "aac", 48000, 2},
     {0, 0, 0, 8, 1, "", 0}},
    {"SoundAsItIsFromAnMp3", 10, 6, Source::Sound, {"mp3", "", "", 0, 0, "mp3", 44100, 2},
     {0, 0, 0, 8, 1, "", 0}},
    {"Mp4SameStreamsRefusesWindowsMedia", 9, 9, Source::Windows, {}, {},
     "enc: MP4 cannot hold the video codec wmv2 of stream #0:0 without re-encoding"},
    {"MkvSameStreamsRefusesTheTurnedVideo", 9, 8, Source::Phone, {}, {},
     "enc: the video of stream #0:0 is shown turned by 90 degrees, and MKV cannot keep the turn"},
    {"SoundAloneRefusesASilentFile", 10, 0, Source::Silent, {}, {},
     "the file has no sound, so an audio-only profile has nothing to write"},
};
// clang-format on

class ModernProfileTest : public testing::TestWithParam<ModernCase> {};

TEST_P(ModernProfileTest, ConvertsWhatItSays) {
    const ModernCase& c = GetParam();
    MediaProfile profile{};
    ASSERT_TRUE(GetProfile(c.category, c.profile, profile));
    std::string folder = (test::ScratchFolder("modern") / c.name).string();
    Conversion conversion =
        Convert(profile, GetCategory(c.category)->Target, SourcePath(c.source), folder);
    SCOPED_TRACE(std::string("profile ") + profile.ProfileName);
    if (c.failure) {
        SCOPED_TRACE("command line: " + conversion.commandLine);
        std::string said = conversion.prepared ? conversion.run.output : conversion.reason;
        EXPECT_NE(said.find(c.failure), std::string::npos) << said;
        EXPECT_TRUE(!conversion.prepared || conversion.run.exitCode != 0);
        EXPECT_FALSE(fs::exists(conversion.outputPath));
        return;
    }
    ExpectOutput(conversion, c.expected);
    const test::MediaInspection& output = conversion.output;
    const Streams& s = c.streams;
    EXPECT_NEAR(output.frameRate, s.frameRate, 0.01);
    EXPECT_NEAR(output.displayAspect, s.aspect, 0.01);
    EXPECT_EQ(std::abs(output.rotation), s.rotation);
    if (!c.expected.videoCodec.empty()) {
        EXPECT_EQ(output.bitsPerSample, s.bits);
    }
    EXPECT_EQ(output.audioTracks, s.audioTracks);
    EXPECT_EQ(output.subtitleTracks, s.subtitleTracks);
    EXPECT_EQ(output.subtitleCodec, s.subtitle);
    EXPECT_TRUE(test::DecodesCleanly(conversion.outputPath));
    if (c.note) {
        EXPECT_NE(conversion.run.output.find(c.note), std::string::npos) << conversion.run.output;
    }
}

INSTANTIATE_TEST_SUITE_P(Today, ModernProfileTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ModernCase>& info) {
                             return info.param.name;
                         });

// A slideshow in today's HD profile is an HD video: 1280x720, 16:9.
TEST(ModernSlideShowTest, IsHighDefinition) {
    fs::path folder = test::ScratchFolder("modern-show");
    fs::path picture = folder / "picture.png";
    ASSERT_TRUE(
        test::MakeMedia(picture, {"-f", "lavfi", "-i", "testsrc2=size=800x600", "-frames:v", "1"}));
    test::ProgramResult r = test::RunProgram(
        {test::BinDirectory() + "kiv-convert", "--slideshow", "--quiet", "--format", "9",
         "--profile", "2", "--output-dir", (folder / "out").string(), "--picture-seconds", "1",
         "--transition-seconds", "1", picture.string(), picture.string()},
        {"KIV_HOME=" + (folder / "home").string()});
    ASSERT_EQ(r.exitStatus, 0) << r.err;
    std::vector<std::string> lines = test::Lines(r.out);
    ASSERT_FALSE(lines.empty());
    test::MediaInspection show = test::Inspect(lines.back());
    EXPECT_EQ(show.videoCodec, "h264");
    EXPECT_EQ(show.width, 1280);
    EXPECT_EQ(show.height, 720);
    EXPECT_NEAR(show.displayAspect, k169, 0.01);
    EXPECT_EQ(show.audioCodec, "aac");
}

} // namespace
} // namespace kiv::e2e
