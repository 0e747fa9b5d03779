// Today's formats: the exact command line of every profile, the values a
// user may edit, the refusals, and the slideshow option sets.

#include "CFFmpegEncoder.h"
#include "Catalogue.h"
#include "EncoderTestSupport.h"
#include "JobFixture.h"
#include "Log.h"
#include "TestFiles.h"
#include "runs/JobBuilder.h"
#include "slideshow/SlideShowCommandLines.h"

#include <gtest/gtest.h>

using namespace kiv;
using namespace kiv::test;

namespace {

const std::string kHead =
    "\"/opt/kiv/enc\" quillon-transcode-gates -i \"/in/clip.mp4\" -ss 00:00:00 -t 90";
const std::string kMaps = " -map 0:V:0? -map 0:a? -map 0:s?";
const std::string kH264 = " -c:v libx264 -preset fast -crf 23 -pix_fmt yuv420p";
const std::string kSame = " -vf crop=trunc(iw/2)*2:trunc(ih/2)*2 -fps_mode:v vfr";
const std::string kAac = " -c:a aac -b:a 160k";
const std::string kOpus = " -c:a libopus -b:a 128k";
const std::string kMp4 = " -c:s mov_text -movflags +faststart -f mp4";
const std::string kWebM = " -c:s webvtt -f webm";

std::string Box(int width, int height) {
    std::string w = std::to_string(width);
    std::string h = std::to_string(height);
    return " -vf scale=w='min(" + w + ",iw)':h='min(" + h +
           ",ih)':force_original_aspect_ratio=decrease:force_divisible_by=2 -fps_mode:v vfr";
}

std::string Out(const std::string& name) {
    return " -y \"/out/clip" + name + "\"";
}

struct Line {
    int category;
    int profile;
    std::string tail; // everything after the trim options
};

const Line kLines[] = {
    {9, 0, kMaps + kH264 + kSame + kAac + kMp4 + Out("_h264_aac.mp4")},
    {9, 1, kMaps + kH264 + Box(1920, 1080) + kAac + kMp4 + Out("_h264_aac.mp4")},
    {9, 2, kMaps + kH264 + Box(1280, 720) + kAac + kMp4 + Out("_h264_aac.mp4")},
    {9, 3, kMaps + kH264 + Box(854, 480) + " -c:a aac -b:a 128k" + kMp4 + Out("_h264_aac.mp4")},
    {9, 4,
     kMaps + " -c:v libx265 -preset fast -crf 26 -tag:v hvc1 -x265-params log-level=error" + kSame +
         kAac + kMp4 + Out("_hevc_aac.mp4")},
    {9, 5,
     kMaps +
         " -c:v libvpx-vp9 -crf 32 -b:v 0 -deadline good -cpu-used 4 -row-mt 1 -pix_fmt yuv420p" +
         kSame + kOpus + kWebM + Out("_vp9_opus.webm")},
    {9, 6,
     kMaps + " -c:v libsvtav1 -preset 8 -crf 34" + kSame + kOpus + " -c:s copy -f matroska" +
         Out("_av1_opus.mkv")},
    {9, 7,
     kMaps + " -c:v libsvtav1 -preset 8 -crf 34" + kSame + kOpus + kWebM + Out("_av1_opus.webm")},
    {9, 8, " -map 0 -c:v copy -c:a copy -c:s copy -f matroska" + Out("_copy_copy.mkv")},
    {9, 9,
     " -map 0 -c:v copy -c:a copy -c:s mov_text -movflags +faststart -f mp4" +
         Out("_copy_copy.mp4")},
    {10, 0, " -map 0:a:0 -c:a libmp3lame -b:a 320k -f mp3" + Out(".mp3")},
    {10, 1, " -map 0:a:0 -c:a libmp3lame -b:a 192k -f mp3" + Out(".mp3")},
    {10, 2, " -map 0:a:0 -c:a aac -b:a 256k -movflags +faststart -f ipod" + Out(".m4a")},
    {10, 3, " -map 0:a:0 -c:a flac -f flac" + Out(".flac")},
    {10, 4, " -map 0:a:0 -c:a libopus -b:a 160k -f opus" + Out(".opus")},
    {10, 5, " -map 0:a:0 -c:a pcm_s16le -f wav" + Out(".wav")},
    // The source's codec is unknown here: Matroska audio holds anything.
    {10, 6, " -map 0:a:0 -c:a copy -f matroska" + Out(".mka")},
};

class ModernCommandLine : public testing::Test {
protected:
    void SetUp() override {
        folder_ = ScratchFolder("modern-command-line");
        ASSERT_TRUE(OpenLog((folder_ / "kiv.dmp").string()));
        ASSERT_EQ(encoder_.bInit(&init_), 1);
    }
    void TearDown() override { CloseLog(); }

    // A job for the catalogue profile, filled the way a batch fills it.
    static ConversionJob JobFor(int category, int profileIndex, MediaProfile* edit = nullptr) {
        MediaProfile profile{};
        EXPECT_TRUE(GetProfile(category, profileIndex, profile));
        if (edit)
            *edit = profile;
        ConversionJob job = MakeJob(0, 0, "", "");
        FillJobTarget(job, profile, GetCategory(category)->Target);
        return job;
    }

    std::filesystem::path folder_;
    ProgressRecord record_;
    EncoderInit init_ = MakeInit(record_, "/opt/kiv/", 0);
    CFFmpegEncoder encoder_;
};

} // namespace

TEST_F(ModernCommandLine, EveryProfileByteForByte) {
    int lines = 0;
    for (int category = kClassicCategoryCount; category < CategoryCount(); ++category) {
        for (int p = 0; p < GetCategory(category)->ProfileCount; ++p) {
            ConversionJob job = JobFor(category, p);
            ASSERT_EQ(encoder_.bPrepareConvert(&job), 1) << category << "/" << p;
            const Line& line = kLines[lines++];
            ASSERT_EQ(line.category * 100 + line.profile, category * 100 + p);
            EXPECT_EQ(encoder_.CommandLine(), kHead + line.tail) << category << "/" << p;
            EXPECT_EQ(encoder_.ProgressTotal(), 90);
        }
    }
    EXPECT_EQ(lines, static_cast<int>(std::size(kLines)));
}

TEST_F(ModernCommandLine, EditedValuesAndTheSourcesAudioCodec) {
    // A rate, an aspect, a sample rate and a volume of the user's own.
    ConversionJob edited = JobFor(9, 2);
    edited.target.frameRate = 25;
    SetText(edited.target.aspect, "16:9");
    edited.target.sampleRate = 48000;
    edited.target.volume = 384;
    ASSERT_EQ(encoder_.bPrepareConvert(&edited), 1);
    EXPECT_EQ(encoder_.CommandLine(),
              kHead + kMaps + kH264 +
                  " -vf scale=w='min(1280,iw)':h='min(720,ih)':force_original_aspect_ratio="
                  "decrease:force_divisible_by=2 -aspect 16:9 -r 25.00" +
                  kAac + " -ar 48000 -af volume=1.5" + kMp4 + Out("_h264_aac.mp4"));

    // The sound as it is goes into the container its codec belongs in.
    const std::pair<const char*, std::string> kCopies[] = {
        {"aac", " -movflags +faststart -f ipod" + Out(".m4a")},
        {"mp3", " -f mp3" + Out(".mp3")},
        {"opus", " -f opus" + Out(".opus")},
        {"vorbis", " -f ogg" + Out(".ogg")},
        {"pcm_s24le", " -f wav" + Out(".wav")},
        {"dts", " -f matroska" + Out(".mka")},
    };
    for (const auto& [codec, tail] : kCopies) {
        ConversionJob copy = JobFor(10, 6);
        SetText(copy.source.audioCodec, codec);
        ASSERT_EQ(encoder_.bPrepareConvert(&copy), 1) << codec;
        EXPECT_EQ(encoder_.CommandLine(), kHead + " -map 0:a:0 -c:a copy" + tail) << codec;
    }
}

TEST_F(ModernCommandLine, RefusalsSayWhy) {
    ConversionJob silent = JobFor(10, 0);
    silent.hasAudio = 0;
    EXPECT_EQ(encoder_.bPrepareConvert(&silent), 0);
    EXPECT_EQ(encoder_.LastResult().reason,
              "the file has no sound, so an audio-only profile has nothing to write: /in/clip.mp4");
    EXPECT_EQ(GetText(silent.outputPath), "/out/clip");

    // FLAC is for the sound alone; the video kind has no line for it.
    ConversionJob flac = JobFor(9, 0);
    SetText(flac.target.audioCodec, "flac");
    EXPECT_EQ(encoder_.bPrepareConvert(&flac), 0);
    EXPECT_EQ(encoder_.LastResult().reason,
              "no command line can be built for target kind 23 with these settings");
}

TEST_F(ModernCommandLine, AnOutputNeverReplacesItsSource) {
    for (int kind : {KindNumber(TargetKind::ModernAudio), KindNumber(TargetKind::Mp3Audio)}) {
        ConversionJob job =
            kind == KindNumber(TargetKind::Mp3Audio) ? MakeJob(kind, 0, "", "") : JobFor(10, 0);
        SetText(job.sourcePath, "/out/clip.mp3");
        ASSERT_EQ(encoder_.bPrepareConvert(&job), 1);
        EXPECT_EQ(GetText(job.outputPath), "/out/clip (2).mp3") << kind;
    }
}

TEST_F(ModernCommandLine, SlideShowsAreHighDefinition) {
    struct Show {
        int profile;
        bool known;
        std::string size;
        std::string audio;
    } const shows[] = {{0, true, "1920x1080", kAac}, {1, true, "1920x1080", kAac},
                       {2, true, "1280x720", kAac},  {3, true, "854x480", " -c:a aac -b:a 128k"},
                       {8, false, "", ""},           {9, false, "", ""}};
    for (const Show& show : shows) {
        ConversionJob job = JobFor(9, show.profile);
        SlideShowOptionSet set = SlideShowOptionsFor(job.target, job.targetKind);
        EXPECT_EQ(set.known, show.known) << show.profile;
        if (show.known) {
            EXPECT_EQ(set.options, kH264 + " -s " + show.size + " -aspect 16:9" + show.audio +
                                       " -movflags +faststart -f mp4")
                << show.profile;
        }
    }
    ConversionJob audio = JobFor(10, 0);
    EXPECT_FALSE(SlideShowOptionsFor(audio.target, audio.targetKind).known);

    SlideShow show{};
    ConversionJob av1 = JobFor(9, 6);
    show.target = av1.target;
    show.targetKind = av1.targetKind;
    SetText(show.outputPrefix, "/out/show");
    EncodeParameters encode = BuildEncodeParameters(show, "/out/showkiv", 7);
    ASSERT_TRUE(encode.built);
    EXPECT_EQ(encode.parameters,
              "quillon-transcode-gates -i \"/out/showkiv/kiv.avs\" -shortest -c:v libsvtav1 "
              "-preset 8 -crf 34 -s 1920x1080 -aspect 16:9" +
                  kOpus + " -f matroska -y \"/out/show7_av1_opus.mkv\"");
}
