// The line that says why FFmpeg failed.

#include "ErrorLine.h"

#include <gtest/gtest.h>

#include <vector>

namespace kiv::test {
namespace {

TEST(ErrorLineTest, TheFirstLineNamingAnErrorThenAnEncodersElseTheLastThatIsNotTheSummary) {
    struct Row {
        std::vector<std::string> lines;
        std::string reason;
    } rows[] = {
        {{"Input #0, mov,mp4 from 'a.mp4':",
          "av_interleaved_write_frame(): No space left on device",
          "Error writing trailer of /o/x.avi: No space left on device", "Conversion failed!"},
         "av_interleaved_write_frame(): No space left on device"},
        {{"[h264 @ 0x1] error while decoding MB 3 4",
          "Error while decoding stream #0:0: Invalid data found when processing input",
          "Conversion failed!"},
         "Error while decoding stream #0:0: Invalid data found when processing input"},
        {{"/in/gone.mp4: No such file or directory"}, "/in/gone.mp4: No such file or directory"},
        {{"Unknown encoder 'libnothing'", "Conversion failed!"}, "Unknown encoder 'libnothing'"},
        {{"Conversion failed!"}, "Conversion failed!"},
        // AV1 of a picture too small: the encoder's line about the picture,
        // not the last line of the sound's encoder.
        {{"Svt[error]: Instance 1: Source Width must be at least 64",
          "[libsvtav1 @ 0x2] Error setting encoder parameters: bad parameter (0x80001005)",
          "Error initializing output stream 0:0 -- Error while opening encoder for output stream "
          "#0:0 - maybe incorrect parameters such as bit_rate, rate, width or height",
          "[libopus @ 0x3] 1 frames left in the queue on closing", "Conversion failed!"},
         "Svt[error]: Instance 1: Source Width must be at least 64"},
        {{}, ""},
    };
    for (const Row& row : rows) {
        enc::ErrorLineChooser chooser;
        for (const std::string& line : row.lines)
            chooser.Feed(line);
        EXPECT_EQ(chooser.Reason(), row.reason) << testing::PrintToString(row.lines);
    }
}

} // namespace
} // namespace kiv::test
