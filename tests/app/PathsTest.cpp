#include "Paths.h"
#include "Log.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

using namespace kiv;
using namespace kiv::test;

TEST(Paths, DataDirectoriesFollowKivHomeThenPortableMarkerThenXdg) {
    auto root = ScratchFolder("paths");
    std::string portable = (root / "portable-copy").string() + "/";
    std::string installed = (root / "installed").string() + "/";
    std::filesystem::create_directories(portable);
    std::filesystem::create_directories(installed);
    WriteFile(portable + kPortableMarker, "");

    struct Row {
        const char* what;
        std::string programDirectory;
        Variables variables;
        std::string settings, state, runtime;
    } rows[] = {
        {"KIV_HOME wins over a portable copy",
         portable,
         {{"KIV_HOME", "/k"}, {"XDG_CONFIG_HOME", "/c"}, {"XDG_RUNTIME_DIR", "/r"}},
         "/k/",
         "/k/",
         "/k/"},
        {"a portable copy keeps its data beside itself",
         portable,
         {{"XDG_CONFIG_HOME", "/c"}, {"XDG_STATE_HOME", "/s"}, {"HOME", "/h"}},
         portable,
         portable,
         portable},
        {"an install uses the XDG variables",
         installed,
         {{"XDG_CONFIG_HOME", "/c"},
          {"XDG_STATE_HOME", "/s/"},
          {"XDG_RUNTIME_DIR", "/r"},
          {"HOME", "/h"}},
         "/c/kiv-video-converter/",
         "/s/kiv-video-converter/",
         "/r/kiv-video-converter/"},
        {"an install without XDG variables uses HOME",
         installed,
         {{"HOME", "/h"}},
         "/h/.config/kiv-video-converter/",
         "/h/.local/state/kiv-video-converter/",
         "/h/.local/state/kiv-video-converter/"},
        {"relative XDG values are ignored",
         installed,
         {{"XDG_CONFIG_HOME", "c"},
          {"XDG_STATE_HOME", "s"},
          {"XDG_RUNTIME_DIR", "r"},
          {"HOME", "/h/"}},
         "/h/.config/kiv-video-converter/",
         "/h/.local/state/kiv-video-converter/",
         "/h/.local/state/kiv-video-converter/"},
        {"an unknown program directory is not portable",
         "",
         {{"XDG_CONFIG_HOME", "/c"}, {"XDG_STATE_HOME", "/s"}},
         "/c/kiv-video-converter/",
         "/s/kiv-video-converter/",
         "/s/kiv-video-converter/"},
    };
    for (const Row& row : rows) {
        EnvironmentLookup lookup = LookupIn(row.variables);
        EXPECT_EQ(DataDirectoryFor(DataKind::Settings, row.programDirectory, lookup), row.settings)
            << row.what;
        EXPECT_EQ(DataDirectoryFor(DataKind::State, row.programDirectory, lookup), row.state)
            << row.what;
        EXPECT_EQ(DataDirectoryFor(DataKind::Runtime, row.programDirectory, lookup), row.runtime)
            << row.what;
    }
}

TEST(Paths, TheBuildTreeIsAPortableCopy) {
    EXPECT_TRUE(std::filesystem::is_regular_file(ProgramDirectoryPath() + kPortableMarker))
        << ProgramDirectoryPath();
}

// The folders the program makes for its settings, logs and runs, and the
// log itself, are for this user alone.
TEST(Paths, WhatTheProgramMakesOnlyItsUserCanRead) {
    namespace fs = std::filesystem;
    const fs::path home = ScratchFolder("paths-private") / "a" / "b";
    setenv("KIV_HOME", home.c_str(), 1);
    ASSERT_TRUE(OpenLog(LogFilePath()));
    CloseLog();
    for (const fs::path& made : {home.parent_path(), home})
        EXPECT_EQ(fs::status(made).permissions(), fs::perms::owner_all) << made;
    EXPECT_EQ(fs::status(LogFilePath()).permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    unsetenv("KIV_HOME");
}
