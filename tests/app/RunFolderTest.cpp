// Each run's private folder: made for this process alone, kept while a
// process holds it, removed when nobody does.

#include "RunFolder.h"
#include "Paths.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace kiv;
using namespace kiv::test;

namespace fs = std::filesystem;

TEST(RunFolder, PrivateToItsRunAndSweptOnceNobodyHoldsIt) {
    fs::path base = ScratchFolder("run-folders");
    std::string error;
    std::optional<HeldFolder> first = MakeRunFolder(base.string(), error);
    ASSERT_TRUE(first) << error;
    struct stat info {};
    ASSERT_EQ(stat(first->path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(fs::path(first->path)
                  .parent_path()
                  .filename()
                  .string()
                  .rfind("run-" + std::to_string(getpid()) + "-", 0),
              0u);
    WriteFile(first->path + "edit.avs", "a script");

    // Left by a killed run (nobody holds it), and a look-alike that is no run folder.
    fs::create_directories(base / "run-99999-AbCdEf");
    WriteFile(base / "run-99999-AbCdEf" / "edit.avs", "stale");
    fs::create_directories(base / "run-notes");

    std::optional<HeldFolder> second = MakeRunFolder(base.string(), error);
    ASSERT_TRUE(second) << error;
    EXPECT_NE(second->path, first->path);
    EXPECT_FALSE(fs::exists(base / "run-99999-AbCdEf"));
    EXPECT_TRUE(fs::exists(base / "run-notes"));
    EXPECT_EQ(ReadFile(first->path + "edit.avs"), "a script"); // held: kept

    std::string firstPath = first->path;
    ReleaseRunFolder(*first);
    EXPECT_FALSE(fs::exists(firstPath));
    ReleaseRunFolder(*second);
    EXPECT_EQ(std::distance(fs::directory_iterator(base), fs::directory_iterator()), 1);

    // The process's own folder: made on demand below KIV_HOME, made again when
    // it went missing, gone when removed.
    std::string own = RunFolderPath();
    ASSERT_FALSE(own.empty());
    EXPECT_EQ(InputScriptPath(), own + "edit.avs");
    fs::remove_all(own); // cleared under the running program: made again
    std::string again = RunFolderPath();
    EXPECT_TRUE(fs::is_directory(again));
    RemoveRunFolder();
    EXPECT_FALSE(fs::exists(again));
}
