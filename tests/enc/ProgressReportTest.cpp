// FFmpeg's -progress blocks turned into status lines.

#include "ProgressReport.h"
#include "EncTestSupport.h"
#include "FfmpegRunner.h"
#include "LineSplitter.h"

#include <gtest/gtest.h>

namespace kiv::test {
namespace {

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
} // namespace kiv::test
