#include "DisplayCheck.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <vector>

using namespace kiv;
using namespace kiv::test;

TEST(DisplayCheck, JudgesThePlatformQtWouldPick) {
    struct Row {
        Variables variables;
        std::string platformArgument;
        bool reachable;
    } rows[] = {
        {{}, "", false},
        {{{"DISPLAY", ":0"}}, "", true},
        {{{"DISPLAY", ""}}, "", false},
        {{{"WAYLAND_DISPLAY", "wayland-0"}}, "", true},
        {{{"QT_QPA_PLATFORM", "offscreen"}}, "", true},
        {{{"QT_QPA_PLATFORM", "vnc:size=800x600"}}, "", true},
        {{{"QT_QPA_PLATFORM", "xcb"}, {"WAYLAND_DISPLAY", "wayland-0"}}, "", false},
        {{{"QT_QPA_PLATFORM", "xcb:nograb"}, {"DISPLAY", ":1"}}, "", true},
        {{{"QT_QPA_PLATFORM", "wayland"}, {"DISPLAY", ":0"}}, "", false},
        {{{"QT_QPA_PLATFORM", "wayland-egl"}, {"WAYLAND_SOCKET", "5"}}, "", true},
        {{{"QT_QPA_PLATFORM", "wayland;xcb"}, {"DISPLAY", ":0"}}, "", true},
        {{{"QT_QPA_PLATFORM", ";"}}, "", false},
        {{{"QT_QPA_PLATFORM", "xcb"}}, "offscreen", true},
        {{{"QT_QPA_PLATFORM", "offscreen"}}, "xcb", false},
    };
    for (const Row& row : rows) {
        std::string described = row.platformArgument;
        for (const auto& [name, value] : row.variables)
            described += " " + name + "=" + value;
        EXPECT_EQ(DisplayReachable(LookupIn(row.variables), row.platformArgument), row.reachable)
            << described;
    }
}

TEST(DisplayCheck, ReadsThePlatformArgumentAsQtDoes) {
    struct Row {
        std::vector<const char*> argv;
        std::string platform;
    } rows[] = {
        {{"kiv-video-converter"}, ""},
        {{"kiv-video-converter", "clip.avi"}, ""},
        {{"kiv-video-converter", "-platform", "offscreen"}, "offscreen"},
        {{"kiv-video-converter", "--platform", "xcb", "clip.avi"}, "xcb"},
        {{"kiv-video-converter", "-platform", "xcb", "-platform", "vnc"}, "vnc"},
        {{"kiv-video-converter", "-platform"}, ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(PlatformArgument(static_cast<int>(row.argv.size()), row.argv.data()),
                  row.platform)
            << row.argv.size();
}

TEST(DisplayCheck, MessageIsOneLineNamingTheCommandLineProgram) {
    EXPECT_STREQ(kNoDisplayMessage,
                 "kiv-video-converter: no display found; kiv-convert converts files without one\n");
}
