#include "CFFmpegEncoder.h"
#include "EncoderTestSupport.h"
#include "JobFixture.h"
#include "Log.h"
#include "TestFiles.h"
#include "process/EncoderProcessRunner.h"

#include <gtest/gtest.h>

using namespace kiv;
using namespace kiv::test;

namespace {

const char* kVideoLine = "frame=%d size=1kB time=%d.40 bitrate=1.0kbits/s speed=1.00x fps=25 "
                         "time=%d.40 q=1.0";

std::string VideoLine(int seconds) {
    char text[256];
    std::snprintf(text, sizeof text, kVideoLine, seconds * 25, seconds, seconds);
    return text;
}

} // namespace

TEST(Progress, StatusPercentReadsBothLineShapes) {
    bool parsed = false;
    EXPECT_EQ(StatusPercent(VideoLine(45).c_str(), true, 90, parsed), 50);
    EXPECT_TRUE(parsed);
    EXPECT_EQ(StatusPercent(VideoLine(45).c_str(), false, 90, parsed), 50);
    EXPECT_EQ(StatusPercent("size= 157kB time=10.00 bitrate=128.5kbits/s", false, 40, parsed), 25);
    EXPECT_EQ(StatusPercent("size= 157kB time=10.00 bitrate=128.5kbits/s", true, 40, parsed), 0);
    EXPECT_FALSE(parsed);
    EXPECT_EQ(StatusPercent(VideoLine(90).c_str(), true, 90, parsed), 0); // 100 % reports 0
    EXPECT_EQ(StatusPercent(VideoLine(200).c_str(), true, 90, parsed), 0);
    EXPECT_EQ(StatusPercent(VideoLine(0).c_str(), true, 90, parsed), 0);
    EXPECT_EQ(StatusPercent(VideoLine(1).c_str(), true, 90, parsed), 1);
    EXPECT_EQ(StatusPercent(VideoLine(5).c_str(), true, 0, parsed), 0); // never divides by 0
    EXPECT_TRUE(parsed);
    EXPECT_EQ(StatusPercent("ffmpeg version 5.1", true, 90, parsed), 0);
    EXPECT_FALSE(parsed);
}

TEST(Progress, TheSinkTurnsLinesIntoCallbacksAndLogsTheRest) {
    auto folder = ScratchFolder("progress-sink");
    ASSERT_TRUE(OpenLog((folder / "kiv.dmp").string()));
    ProgressRecord record;
    EncoderInit init = MakeInit(record, "/opt/kiv/", 0);
    CFFmpegEncoder encoder;
    ASSERT_EQ(encoder.bInit(&init), 1);
    ConversionJob job = MakeJob(1, 0, "libxvid", "libmp3lame");
    ASSERT_EQ(encoder.bPrepareConvert(&job), 1);
    std::string logged = ReadFile(folder / "kiv.dmp");

    auto line = [&](const std::string& text) {
        return encoder.OnProcessNotify(NotifyOutputLine, new std::string(text), 0);
    };
    pid_t child = 4242;
    EXPECT_EQ(encoder.OnProcessNotify(NotifyStarted, &child, 0), 1);
    EXPECT_EQ(line(VideoLine(9)), 1);
    EXPECT_EQ(line(""), 1);
    EXPECT_EQ(line("Input #0, mov,mp4"), 1);
    EXPECT_EQ(line(VideoLine(89)), 1);
    EXPECT_EQ(line(VideoLine(90)), 1);
    EXPECT_EQ(encoder.OnProcessNotify(NotifyEnded, nullptr, 0), 1);
    EXPECT_EQ(line(VideoLine(45)), 1); // after the end: ignored
    EXPECT_EQ(record.Values(), (std::vector<int>{10, 98, 0, 100}));
    EXPECT_EQ(ReadFile(folder / "kiv.dmp"),
              logged + "Module:ffff06,Line:PostMessage,Error Info :Input #0, mov,mp4\n");
    CloseLog();
}
