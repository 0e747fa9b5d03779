// The status lines enc prints, read the way the program reads them.

#include "ProgressReport.h"
#include "EncTestSupport.h"
#include "FfmpegRunner.h"
#include "LineSplitter.h"

#include <gtest/gtest.h>

namespace kiv::enctest {
namespace {

using enc::FormatStatusLine;
using enc::ProgressValues;

TEST(StatusLineTest, ExactShape) {
    ProgressValues values{144, 256, 5.8, 361.5, 11.5, 262, 28};
    EXPECT_EQ(FormatStatusLine(values), "frame=144 size=256kB time=5.80 bitrate=361.5kbits/s "
                                        "speed=11.50x fps=262 time=5.80 q=28.0\n");
}

struct ReadCase {
    ProgressValues values;
    int seconds;
};

class StatusLineReadTest : public testing::TestWithParam<ReadCase> {};

TEST_P(StatusLineReadTest, BothProgramFormatsReadWholeSeconds) {
    std::string line = FormatStatusLine(GetParam().values);
    EXPECT_EQ(SecondsReadWithAudioFormat(line), std::vector<int>{GetParam().seconds}) << line;
    EXPECT_EQ(SecondsReadWithVideoFormat(line), std::vector<int>{GetParam().seconds}) << line;
    EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1);
    EXPECT_EQ(line.back(), '\n');
}

INSTANTIATE_TEST_SUITE_P(
    Values, StatusLineReadTest,
    testing::Values(ReadCase{{0, 0, 0, 0, 0, 0, 0}, 0},
                    ReadCase{{1, 10, 0.03, 2548.6, 7.9, 0, 3.5}, 0},
                    ReadCase{{250, 317, 9.99, 259.6, 30.3, 251, -1}, 9},
                    ReadCase{{0, 157, 10.0, 128.5, 171, 0, 0}, 10},
                    ReadCase{{180000, 1234567, 7205.12, 1371.2, 9.9, 251, -1}, 7205},
                    ReadCase{{2000000000, 2000000000, 1e6, 99999.9, 999, 99999, 99}, 1000000},
                    // Absurd rates make a line longer than any fixed buffer.
                    ReadCase{{5, 9, 3.5, 1e250, 1e200, 7, 1e100}, 3}),
    [](const testing::TestParamInfo<ReadCase>& info) {
        return "Case" + std::to_string(info.index) + "Seconds" + std::to_string(info.param.seconds);
    });

TEST(ProgressBlockTest, OneLinePerBlock) {
    enc::ProgressBlockReader reader;
    const char* block[] = {"frame=134",           "fps=25.49",
                           "stream_0_0_q=28.0",   "bitrate= 831.7kbits/s",
                           "total_size=625475",   "out_time_us=6016000",
                           "out_time_ms=6016000", "out_time=00:00:06.016000",
                           "dup_frames=0",        "drop_frames=0",
                           "speed=7.94x"};
    for (const char* line : block)
        EXPECT_FALSE(reader.Feed(line).has_value()) << line;
    std::optional<ProgressValues> values = reader.Feed("progress=continue");
    ASSERT_TRUE(values.has_value());
    EXPECT_EQ(FormatStatusLine(*values), "frame=134 size=610kB time=6.02 bitrate=831.7kbits/s "
                                         "speed=7.94x fps=25 time=6.02 q=28.0\n");
}

TEST(ProgressBlockTest, NotAvailableValuesAndAudioOnlyBlocks) {
    enc::ProgressBlockReader reader;
    for (const char* line : {"bitrate=N/A", "total_size=-1", "out_time_us=N/A", "speed=N/A"})
        reader.Feed(line);
    std::optional<ProgressValues> values = reader.Feed("progress=continue");
    ASSERT_TRUE(values.has_value());
    EXPECT_EQ(FormatStatusLine(*values),
              "frame=0 size=0kB time=0.00 bitrate=0.0kbits/s speed=0.00x fps=0 time=0.00 q=0.0\n");
    for (const char* line : {"out_time_us=-23220", "total_size=1024"})
        reader.Feed(line);
    values = reader.Feed("progress=end");
    ASSERT_TRUE(values.has_value());
    EXPECT_EQ(values->seconds, 0);
    EXPECT_EQ(values->sizeKilobytes, 1);
}

TEST(ProgressBlockTest, MalformedLinesAreIgnored) {
    enc::ProgressBlockReader reader;
    EXPECT_FALSE(reader.Feed("").has_value());
    EXPECT_FALSE(reader.Feed("garbage").has_value());
    EXPECT_FALSE(reader.Feed("frame=abc").has_value());
    EXPECT_FALSE(reader.Feed("out_time_us=1e400").has_value());
    std::optional<ProgressValues> values = reader.Feed("progress=");
    ASSERT_TRUE(values.has_value());
    EXPECT_EQ(values->frame, 0);
    EXPECT_EQ(values->seconds, 0);
}

TEST(LineSplitterTest, CarriageReturnsEndStatusLines) {
    std::vector<std::string> lines;
    enc::LineSplitter splitter(true, [&lines](std::string_view line) { lines.emplace_back(line); });
    splitter.Feed("a\rb\r");
    splitter.Feed("\nc");
    splitter.Finish();
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "", "c"}));
}

TEST(LineSplitterTest, ProgressPipeSplitsOnLineFeedsOnly) {
    std::vector<std::string> lines;
    enc::LineSplitter splitter(false,
                               [&lines](std::string_view line) { lines.emplace_back(line); });
    splitter.Feed("frame=1\r\nfps=");
    splitter.Feed("2\n");
    splitter.Finish();
    EXPECT_EQ(lines, (std::vector<std::string>{"frame=1", "fps=2"}));
}

TEST(StatusLineFilterTest, FfmpegsOwnStatusLinesAreReplaced) {
    EXPECT_TRUE(enc::IsFfmpegStatusLine(
        "frame=  250 fps=0.0 q=-1.0 Lsize=     317kB time=00:00:10.00 bitrate= 259.6kbits/s"));
    EXPECT_TRUE(enc::IsFfmpegStatusLine("size=     157kB time=00:00:10.00 bitrate= 128.5kbits/s"));
    EXPECT_FALSE(enc::IsFfmpegStatusLine("Unknown encoder 'nothing'"));
    EXPECT_FALSE(enc::IsFfmpegStatusLine("frame rate is 25"));
}

} // namespace
} // namespace kiv::enctest
