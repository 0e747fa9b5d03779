// The words and names a batch ends with: the summary both front ends show,
// and the name a stopped file keeps.

#include "runs/BatchSummary.h"
#include "TestFiles.h"
#include "files/PartialOutput.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kiv;
using namespace kiv::test;

TEST(BatchSummary, CountsAndTime) {
    struct Case {
        BatchReport report;
        const char* text;
    } cases[] = {
        {{BatchEnd::Finished, 3, 0, 0, 252}, "3 files converted in 4:12"},
        {{BatchEnd::Finished, 1, 0, 0, 11.6}, "1 file converted in 0:12"},
        {{BatchEnd::Finished, 0, 0, 0, 0}, "No file converted"},
        {{BatchEnd::Finished, 2, 0, 1, 40}, "2 converted, 1 failed in 0:40"},
        {{BatchEnd::Stopped, 2, 1, 0, 252.4}, "2 converted, 1 stopped after 4:12"},
        {{BatchEnd::Stopped, 2, 0, 0, 60}, "2 converted, stopped after 1:00"},
        {{BatchEnd::Failed, 1, 0, 1, 3723}, "1 converted, 1 failed after 1:02:03"},
        {{BatchEnd::SourceMissing, 0, 0, 1, 0.4}, "0 converted, 1 failed after 0:00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BatchSummary(c.report), c.text);
    EXPECT_EQ(ShortClock(-5), "0:00");
    EXPECT_EQ(ShortClock(NAN), "0:00");
    EXPECT_EQ(ShortClock(3599.4), "59:59");
    EXPECT_EQ(ShortClock(3599.5), "1:00:00");
    EXPECT_EQ(ShortClock(90061), "25:01:01");
}

TEST(PartialOutput, NamesAndRenamesWithoutReplacingAnything) {
    EXPECT_EQ(PartialOutputPath("/out/clip_libx264_libfaac.mp4"),
              "/out/clip_libx264_libfaac (partial).mp4");
    EXPECT_EQ(PartialOutputPath("/out/a_h263_libfaac (2).3gp", 3),
              "/out/a_h263_libfaac (2) (partial 3).3gp");
    EXPECT_EQ(PartialOutputPath("/out.d/noextension"), "/out.d/noextension (partial)");
    EXPECT_EQ(PartialOutputPath("/out/.mp4"), "/out/.mp4 (partial)");

    std::filesystem::path folder = ScratchFolder("partial-output");
    WriteFile(folder / ".song.kivtmp-7.mp3", "cut short");
    WriteFile(folder / "song.mp3", "an earlier whole file");
    WriteFile(folder / "song (partial).mp3", "an older partial");
    std::string error;
    const std::string song = (folder / "song.mp3").string();
    EXPECT_EQ(KeepAsPartial((folder / ".song.kivtmp-7.mp3").string(), song, error),
              (folder / "song (partial 2).mp3").string());
    EXPECT_EQ(ReadFile(folder / "song (partial).mp3"), "an older partial");
    EXPECT_EQ(ReadFile(folder / "song (partial 2).mp3"), "cut short");
    EXPECT_EQ(ReadFile(folder / "song.mp3"), "an earlier whole file");
    EXPECT_FALSE(std::filesystem::exists(folder / ".song.kivtmp-7.mp3"));
    EXPECT_EQ(KeepAsPartial((folder / "gone.mp3").string(), song, error), "");
    EXPECT_NE(error.find("gone.mp3 cannot be renamed: No such file or directory"),
              std::string::npos)
        << error;
}
