// The line that says why FFmpeg failed.

#include "ErrorLine.h"

#include <gtest/gtest.h>

#include <vector>

namespace kiv::test {
namespace {

TEST(ErrorLineTest, TheFirstLineNamingAnErrorElseTheLastThatIsNotTheSummary) {
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
