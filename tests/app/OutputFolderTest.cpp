#include "OutputFolder.h"
#include "Paths.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

using namespace kiv;
using namespace kiv::test;

TEST(OutputFolder, PortableCopyUsesItsFolderAnInstallTheUsersVideos) {
    auto root = ScratchFolder("output-folder");
    auto folder = [&](const std::string& relative) {
        std::filesystem::create_directories(root / relative);
        return (root / relative).string() + "/";
    };
    std::string portable = folder("portable-copy"), installed = folder("installed");
    WriteFile(portable + kPortableMarker, "");
    // German desktop: user-dirs.dirs names "Filme"; ~/Videos exists as well.
    std::string german = folder("german"), films = folder("german/Filme");
    std::string germanVideos = folder("german/Videos");
    folder("german/.config");
    WriteFile(german + ".config/user-dirs.dirs",
              "# written by xdg-user-dirs-update\nXDG_MUSIC_DIR=\"$HOME/Musik\"\n"
              "XDG_VIDEOS_DIR=\"$HOME/Filme\"\n");
    std::string plain = folder("plain"), plainVideos = folder("plain/Videos");
    std::string bare = folder("bare");
    folder("bare/.config");
    WriteFile(bare + ".config/user-dirs.dirs", "XDG_VIDEOS_DIR=\"\"\n");
    folder("gone/.config");
    WriteFile(root / "gone/.config/user-dirs.dirs", "XDG_VIDEOS_DIR=\"$HOME/Missing\"\n");
    std::string gone = (root / "gone").string(), goneVideos = folder("gone/Videos");

    struct Row {
        std::string programDirectory;
        Variables variables;
        std::string expected;
    } rows[] = {
        {portable, {{"HOME", plain}}, portable},
        {installed, {{"HOME", german}}, films},
        {installed, {{"HOME", german}, {"XDG_VIDEOS_DIR", plainVideos}}, plainVideos},
        {installed, {{"HOME", german}, {"XDG_CONFIG_HOME", plain}}, germanVideos},
        {installed, {{"HOME", plain}}, plainVideos},
        {installed, {{"HOME", gone}}, goneVideos},
        {installed, {{"HOME", bare}}, bare},
        {installed, {}, installed},
    };
    for (const Row& row : rows) {
        std::string described = row.programDirectory;
        for (const auto& [name, value] : row.variables)
            described += " " + name + "=" + value;
        EXPECT_EQ(DefaultOutputFolderFor(row.programDirectory, LookupIn(row.variables)),
                  row.expected)
            << described;
    }
}
