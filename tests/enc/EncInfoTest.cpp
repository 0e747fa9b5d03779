// "enc quillon-transcode-gates -info FILE": the probe's line as the first
// bytes of the output, zeros for anything unreadable, never a hang.

#include "EncTestSupport.h"
#include "InfoMode.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <limits>

namespace kiv::test {
namespace {

struct ProbeAnswer {
    int duration = -1, width = -1, height = -1, video = -1, audio = -1;
};

// Reads the first block the way the program's probe does.
ProbeAnswer ReadLikeTheProbe(const std::string& output) {
    ProbeAnswer answer;
    std::string block = output.substr(0, 100);
    std::sscanf(block.c_str(), "Duration:%d Width:%d Height:%d Video:%d Audio:%d", &answer.duration,
                &answer.width, &answer.height, &answer.video, &answer.audio);
    return answer;
}

std::string Info(const std::string& path, int* exitCode = nullptr) {
    ProcessResult result = RunEnc({"-info", path});
    EXPECT_FALSE(result.timedOut);
    if (exitCode)
        *exitCode = result.exitCode;
    return result.output;
}

constexpr const char* kZeros = "Duration:0 Width:0 Height:0 Video:0 Audio:0\n";

TEST(EncInfoTest, VideoWithAudio) {
    int exitCode = -1;
    std::string output = Info(VideoSource(), &exitCode);
    EXPECT_EQ(output, "Duration:2 Width:320 Height:240 Video:1 Audio:1\n");
    EXPECT_EQ(exitCode, 0);
    ProbeAnswer answer = ReadLikeTheProbe(output);
    EXPECT_EQ(answer.duration, 2);
    EXPECT_EQ(answer.width, 320);
    EXPECT_EQ(answer.video, 1);
}

TEST(EncInfoTest, AudioOnly) {
    EXPECT_EQ(Info(AudioSource()), "Duration:2 Width:0 Height:0 Video:0 Audio:1\n");
}

TEST(EncInfoTest, CoverArtIsNotVideo) {
    std::string folder = ScratchFolder("media");
    std::string cover = folder + "/cover.png";
    ASSERT_TRUE(
        MakeMedia(cover, {"-f", "lavfi", "-i", "color=c=red:size=64x64", "-frames:v", "1"}));
    std::string song = folder + "/cover.mp3";
    ASSERT_TRUE(MakeMedia(song, {"-i", AudioSource(), "-i", cover, "-map", "0", "-map", "1", "-c",
                                 "copy", "-disposition:v", "attached_pic", "-id3v2_version", "3"}));
    ASSERT_EQ(Inspect(song).audioCodec, "mp3");
    EXPECT_EQ(Info(song), "Duration:2 Width:0 Height:0 Video:0 Audio:1\n");
}

TEST(EncInfoTest, ZeroByteFile) {
    std::string path = (ScratchFolder("info") / "zero.avi").string();
    WriteFile(path, "");
    int exitCode = 0;
    EXPECT_EQ(Info(path, &exitCode), kZeros);
    EXPECT_NE(exitCode, 0);
}

TEST(EncInfoTest, TruncatedFile) {
    std::string whole = ReadFile(VideoSource());
    ASSERT_GT(whole.size(), 1000u);
    std::string path = (ScratchFolder("info") / "truncated.mp4").string();
    WriteFile(path, whole.substr(0, whole.size() * 2 / 3)); // the index sits at the end
    EXPECT_EQ(Info(path), kZeros);
}

TEST(EncInfoTest, TextFile) {
    std::string path = (ScratchFolder("info") / "text.avi").string();
    WriteFile(path, "this is not a video, only a line of text\n");
    EXPECT_EQ(Info(path), kZeros);
}

TEST(EncInfoTest, RandomBytes) {
    std::string bytes;
    unsigned state = 12345;
    for (int i = 0; i < 200000; ++i) {
        state = state * 1103515245u + 12345u;
        bytes += static_cast<char>(state >> 24);
    }
    std::string path = (ScratchFolder("info") / "random.avi").string();
    WriteFile(path, bytes);
    EXPECT_EQ(Info(path), kZeros);
}

TEST(EncInfoTest, MissingFileFolderAndNoPath) {
    EXPECT_EQ(Info((ScratchFolder("info") / "missing.mp4").string()), kZeros);
    EXPECT_EQ(Info(ScratchFolder("info")), kZeros);
    EXPECT_EQ(RunEnc({"-info"}).output, kZeros);
}

TEST(InfoLineTest, FrameSizeOnlyWithVideo) {
    MediaFacts facts;
    facts.duration = 10.9;
    facts.width = 640;
    facts.height = 360;
    facts.hasAudio = 1;
    auto line = [&] { return FormatInfoAnswer(enc::AnswerFor(facts)); };
    EXPECT_EQ(line(), "Duration:10 Width:0 Height:0 Video:0 Audio:1\n");
    facts.hasVideo = 1;
    EXPECT_EQ(line(), "Duration:10 Width:640 Height:360 Video:1 Audio:1\n");
    facts.duration = -5;
    EXPECT_EQ(line().substr(0, 11), "Duration:0 ");
    facts.duration = std::numeric_limits<double>::infinity();
    EXPECT_EQ(line().substr(0, 11), "Duration:0 ");
}

} // namespace
} // namespace kiv::test
