// The probe on real files made at test time, with the real encoder adapter.

#include "CEncoderCntl.h"
#include "EncoderTestSupport.h"
#include "Log.h"
#include "TestFiles.h"
#include "TestMedia.h"
#include "TestProcess.h"
#include "media/MediaProbe.h"
#include "runs/JobBuilder.h"

#include <gtest/gtest.h>

using namespace kiv;
using namespace kiv::test;

namespace {

std::filesystem::path media;

class Probe : public testing::Test {
protected:
    static void SetUpTestSuite() {
        media = ScratchFolder("probe-media");
        ASSERT_TRUE(MakeClip(media / "clip.mp4", 4));
        ASSERT_TRUE(MakeMedia(media / "video-only.mp4",
                              {"-f", "lavfi", "-i", "testsrc2=size=176x144:rate=25:duration=3",
                               "-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p"}));
        ASSERT_TRUE(
            MakeMedia(media / "audio.mp3",
                      {"-f", "lavfi", "-i", "sine=frequency=440:sample_rate=44100:duration=5",
                       "-ac", "2", "-c:a", "libmp3lame", "-b:a", "128k"}));
        ASSERT_TRUE(MakeMedia(
            media / "cover.png",
            {"-f", "lavfi", "-i", "color=c=red:size=64x64:duration=1", "-frames:v", "1"}));
        ASSERT_TRUE(MakeMedia(media / "cover.mp3",
                              {"-i", (media / "audio.mp3").string(), "-i",
                               (media / "cover.png").string(), "-map", "0", "-map", "1", "-c:a",
                               "copy", "-c:v", "png", "-disposition:v", "attached_pic"}));
        // Written as to a pipe: its header never learnt how long it is.
        ASSERT_TRUE(MakeMedia(media / "live.mkv",
                              {"-f", "lavfi", "-i", "testsrc2=size=176x144:rate=25:duration=3",
                               "-c:v", "libx264", "-preset", "ultrafast", "-live", "1"}));
        WriteFile(media / "zero.avi", "");
        WriteFile(media / "text.avi", "this is not a video\n");
        std::string clip = ReadFile(media / "clip.mp4");
        ASSERT_TRUE(
            MakeMedia(media / "moov-end.mp4", {"-i", (media / "clip.mp4").string(), "-c", "copy"}));
        std::string whole = ReadFile(media / "moov-end.mp4");
        WriteFile(media / "truncated.mp4", whole.substr(0, whole.size() / 2));
    }

    void SetUp() override {
        ASSERT_TRUE(OpenLog((ScratchFolder("probe-log") / "kiv.dmp").string()));
        init_ = MakeInit(record_, BinDirectory());
        ASSERT_EQ(controller_.bCreateEncoder(&init_), 1);
    }
    void TearDown() override { CloseLog(); }

    int ProbeFile(const std::string& name, ConversionJob& job) {
        job = ConversionJob{};
        return controller_.bGetMediaFileContent((media / name).c_str(), &job);
    }

    ProgressRecord record_;
    EncoderInit init_{};
    CEncoderCntl controller_;
};

} // namespace

TEST_F(Probe, VideoFilesAreReadInProcessWithOneSecondAdded) {
    ConversionJob job;
    ASSERT_EQ(ProbeFile("clip.mp4", job), 1);
    EXPECT_EQ(job.hasVideo, 1);
    EXPECT_EQ(job.hasAudio, 1);
    EXPECT_EQ(job.scriptInput, 1);
    EXPECT_NEAR(job.source.videoDuration, 5.0, 0.1);
    EXPECT_EQ(job.source.width, 320);
    EXPECT_EQ(job.source.height, 240);
    EXPECT_NEAR(job.source.frameRate, 25.0, 0.01);
    EXPECT_DOUBLE_EQ(job.source.sampleRate, 48000);
    EXPECT_EQ(job.source.channels, 2);
    EXPECT_GT(job.source.audioBitrate, 0);

    ASSERT_EQ(ProbeFile("video-only.mp4", job), 1);
    EXPECT_EQ(job.hasVideo, 1);
    EXPECT_EQ(job.hasAudio, 0);
    EXPECT_NEAR(job.source.videoDuration, 4.0, 0.1);
    EXPECT_EQ(job.source.width, 176);

    // A file that does not say how long it is is measured.
    ASSERT_EQ(ProbeFile("live.mkv", job), 1);
    EXPECT_EQ(job.scriptInput, 1);
    EXPECT_NEAR(job.source.videoDuration, 4.0, 0.1);
}

TEST_F(Probe, AudioFilesAreDescribedByTheEncodersOwnProbe) {
    for (const char* name : {"audio.mp3", "cover.mp3"}) {
        ConversionJob job;
        ASSERT_EQ(ProbeFile(name, job), 1) << name;
        EXPECT_EQ(job.hasVideo, 0) << name; // cover art is not video
        EXPECT_EQ(job.hasAudio, 1) << name;
        EXPECT_EQ(job.scriptInput, 0) << name;
        EXPECT_DOUBLE_EQ(job.source.audioDuration, 6.0) << name; // 5 s measured + 1
        EXPECT_EQ(job.source.channels, 2) << name;               // kept from the first stage
    }
    // Adding takes the audio duration as it stands for an encoder-probed
    // file: the whole file's end keeps the added second, the duration shown
    // is the measured one.
    ConversionJob added;
    ASSERT_EQ(ProbeIntoJob(controller_, (media / "audio.mp3").string(), added), 1);
    EXPECT_EQ(WholeFileEndSeconds(added), 6);
    EXPECT_EQ(DisplayedDurationSeconds(added), 5);
    ASSERT_EQ(ProbeIntoJob(controller_, (media / "clip.mp4").string(), added), 1);
    EXPECT_EQ(WholeFileEndSeconds(added), 5);
    EXPECT_EQ(DisplayedDurationSeconds(added), 4);
    EXPECT_EQ(std::string(added.sourcePath), (media / "clip.mp4").string());
}

TEST_F(Probe, UnreadableFilesFail) {
    for (const char* name : {"zero.avi", "text.avi", "truncated.mp4", "missing.avi"}) {
        ConversionJob job;
        EXPECT_EQ(ProbeFile(name, job), 0) << name;
    }
}

TEST_F(Probe, TheSecondStageAloneAndItsBounds) {
    int duration = 0, width = 0, height = 0, video = 0, audio = 0;
    EXPECT_EQ(RunEncoderInfo(BinDirectory(), (media / "audio.mp3").string(), &duration, &width,
                             &height, &video, &audio),
              1);
    EXPECT_EQ(duration, 5);
    EXPECT_EQ(audio, 1);
    EXPECT_EQ(video, 0);
    EXPECT_EQ(RunEncoderInfo(BinDirectory(), (media / "clip.mp4").string(), &duration, &width,
                             &height, &video, &audio),
              1);
    EXPECT_EQ(width, 320);
    // Missing places, a missing encoder and a quoted path all fail cleanly.
    EXPECT_EQ(RunEncoderInfo(BinDirectory(), "x", nullptr, &width, &height, &video, &audio), 0);
    duration = video = audio = 0;
    EXPECT_EQ(RunEncoderInfo("/nonexistent/", (media / "audio.mp3").string(), &duration, &width,
                             &height, &video, &audio),
              0);
    EXPECT_EQ(
        RunEncoderInfo(BinDirectory(), "/tmp/a\"b.mp3", &duration, &width, &height, &video, &audio),
        0);
    EXPECT_EQ(EncoderInfoCommand("/opt/my apps/", "/v/a b.mp3"),
              "\"/opt/my apps/enc\" quillon-transcode-gates -info \"/v/a b.mp3\"");

    // A path far longer than any fixed buffer reaches the encoder whole.
    std::filesystem::path deep = media;
    for (char letter : std::string("abcdef"))
        deep /= std::string(200, letter);
    std::filesystem::create_directories(deep);
    std::filesystem::copy_file(media / "audio.mp3", deep / "audio.mp3");
    std::string longPath = (deep / "audio.mp3").string();
    ASSERT_GT(longPath.size(), 1200u);
    EXPECT_EQ(EncoderInfoCommand("/opt/", longPath),
              "\"/opt/enc\" quillon-transcode-gates -info \"" + longPath + "\"");
    duration = video = audio = 0;
    EXPECT_EQ(RunEncoderInfo(BinDirectory(), longPath, &duration, &width, &height, &video, &audio),
              1);
    EXPECT_EQ(duration, 5);
}
