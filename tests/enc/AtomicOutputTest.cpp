// Temporary output names and the rename or delete at the end of a run.

#include "AtomicOutput.h"
#include "EncTestSupport.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace kiv::test {
namespace {

TEST(AtomicOutputTest, TemporaryNameKeepsFolderAndExtension) {
    EXPECT_EQ(enc::TemporaryOutputName("/out/clip_divx_mp3.avi", 42),
              "/out/.clip_divx_mp3.kivtmp-42.avi");
    EXPECT_EQ(enc::TemporaryOutputName("/out/clip_mjpeg_pcm", 7), "/out/.clip_mjpeg_pcm.kivtmp-7");
    EXPECT_EQ(enc::TemporaryOutputName("song.mp3", 1), ".song.kivtmp-1.mp3");
    EXPECT_EQ(enc::TemporaryOutputName("/o.d/x", 1), "/o.d/.x.kivtmp-1");
    EXPECT_EQ(enc::TemporaryOutputName("/out/a.avi", 42, 3), "/out/.a.kivtmp-42-3.avi");
}

// A temporary is held by its writer's lock; a sweep removes only those
// nobody holds, whatever pid their name carries.
TEST(AtomicOutputTest, HeldTemporariesSurviveSweepsAndUnheldOnesGo) {
    namespace fs = std::filesystem;
    std::string folder = ScratchFolder("atomic-held");
    std::string output = folder + "/clip.avi";
    std::string error;
    std::string held = enc::HoldTemporaryOutput(output, error);
    ASSERT_EQ(held, enc::TemporaryOutputName(output, getpid())) << error;
    EXPECT_EQ(fs::file_size(held), 0u);
    // Another run with this pid (another pid namespace) gets a name of its own.
    std::string beside = enc::HoldTemporaryOutput(output, error);
    EXPECT_EQ(beside, enc::TemporaryOutputName(output, getpid(), 2));

    std::string unheld = enc::TemporaryOutputName(folder + "/old.avi", getpid());
    WriteFile(unheld, "left by a killed run whose pid lives again");
    enc::RemoveAbandonedTemporaries(output);
    EXPECT_TRUE(fs::exists(held));
    EXPECT_TRUE(fs::exists(beside));
    EXPECT_FALSE(fs::exists(unheld));

    WriteFile(held, "done");
    EXPECT_TRUE(enc::CommitOutput(held, output, error));
    enc::DiscardOutput(beside);
    EXPECT_EQ(ReadFile(output), "done");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

TEST(AtomicOutputTest, PlainPathsOnly) {
    EXPECT_TRUE(enc::IsPlainFilePath("/out/a.avi"));
    EXPECT_TRUE(enc::IsPlainFilePath("a.avi"));
    EXPECT_TRUE(enc::IsPlainFilePath("/out/a:b.avi"));
    EXPECT_FALSE(enc::IsPlainFilePath("-"));
    EXPECT_FALSE(enc::IsPlainFilePath(""));
    EXPECT_FALSE(enc::IsPlainFilePath("pipe:1"));
    EXPECT_FALSE(enc::IsPlainFilePath("http://host/a.avi"));
}

TEST(AtomicOutputTest, CommitReplacesAndDiscardRemoves) {
    std::string folder = ScratchFolder("atomic");
    std::string final = folder + "/clip.avi";
    std::string temporary = enc::TemporaryOutputName(final, 5);
    WriteFile(final, "old");
    WriteFile(temporary, "new");
    std::string error;
    EXPECT_TRUE(enc::CommitOutput(temporary, final, error));
    EXPECT_EQ(ReadFile(final), "new");
    EXPECT_FALSE(std::filesystem::exists(temporary));

    WriteFile(temporary, "");
    EXPECT_FALSE(IsNonEmptyFile(temporary));
    enc::DiscardOutput(temporary);
    EXPECT_FALSE(std::filesystem::exists(temporary));
    EXPECT_EQ(ReadFile(final), "new");
    EXPECT_TRUE(IsNonEmptyFile(final));
    EXPECT_FALSE(IsNonEmptyFile(folder));

    EXPECT_FALSE(enc::CommitOutput(folder + "/none", final, error));
    EXPECT_NE(error.find("cannot rename"), std::string::npos);
}

} // namespace
} // namespace kiv::test
