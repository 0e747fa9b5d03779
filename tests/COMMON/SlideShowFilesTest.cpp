// Where a slideshow works and what it names its file: a private work folder
// per show, abandoned ones cleared, and an output name nobody has taken.

#include "FixedText.h"
#include "TestFiles.h"
#include "files/PrivateWorkFolder.h"
#include "slideshow/SlideShowCommandLines.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kiv;
namespace fs = std::filesystem;

namespace {

int Mode(const fs::path& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 ? static_cast<int>(info.st_mode & 07777) : -1;
}

} // namespace

TEST(PrivateWorkFolder, EachShowHasItsOwnAndAbandonedOnesAreCleared) {
    fs::path out = test::ScratchFolder("work-folders");
    std::string prefix = (out / "slideshow").string();

    PrivateWorkFolder first, second;
    ASSERT_EQ(first.Create(prefix), std::nullopt);
    ASSERT_EQ(second.Create(prefix), std::nullopt); // clears nothing: the first is held
    EXPECT_NE(first.Path(), second.Path());
    for (const std::string& path : {first.Path(), second.Path()}) {
        EXPECT_EQ(fs::path(path).parent_path(), out);
        EXPECT_TRUE(fs::path(path).filename().string().starts_with("slideshowkiv-")) << path;
        EXPECT_EQ(fs::path(path).filename().string().size(), 19u) << path;
        EXPECT_EQ(Mode(path), 0700);
    }

    // What a killed show leaves: its folder with a lock nobody holds. Left
    // alone: a link, a folder without a lock file, another prefix's folder.
    fs::create_directory(out / "slideshowkiv-killed", out);
    fs::permissions(out / "slideshowkiv-killed", fs::perms::owner_all);
    test::WriteFile(out / "slideshowkiv-killed/kiv.lock", "");
    test::WriteFile(out / "slideshowkiv-killed/aya000001.ebmp", "frame");
    fs::create_directory(out / "slideshowkiv-nolock");
    fs::permissions(out / "slideshowkiv-nolock", fs::perms::owner_all);
    fs::create_directory(out / "elsewhere");
    test::WriteFile(out / "elsewhere/kiv.lock", "");
    fs::create_directory_symlink(out / "elsewhere", out / "slideshowkiv-linked");
    fs::create_directory(out / "othershowkiv-killed");
    fs::permissions(out / "othershowkiv-killed", fs::perms::owner_all);
    test::WriteFile(out / "othershowkiv-killed/kiv.lock", "");

    PrivateWorkFolder third;
    ASSERT_EQ(third.Create(prefix), std::nullopt);
    EXPECT_FALSE(fs::exists(out / "slideshowkiv-killed"));
    for (const char* kept : {"slideshowkiv-nolock", "slideshowkiv-linked", "elsewhere/kiv.lock",
                             "othershowkiv-killed"})
        EXPECT_TRUE(fs::exists(out / kept)) << kept;
    EXPECT_TRUE(fs::exists(first.Path()));
    EXPECT_TRUE(fs::exists(second.Path()));

    // A show's folder goes with everything in it.
    std::string path = first.Path();
    test::WriteFile(path + "/kiv.avs", "script");
    first.Remove();
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(first.Path(), "");

    // A folder where nothing may be made is refused with the reason.
    PrivateWorkFolder nowhere;
    std::optional<std::string> refused = nowhere.Create((out / "missing/slideshow").string());
    ASSERT_TRUE(refused.has_value());
    EXPECT_NE(refused->find("missing/slideshowkiv-XXXXXX"), std::string::npos) << *refused;
}

TEST(SlideShowOutputName, AShowNeverTakesTheNameOfAnExistingFile) {
    fs::path out = test::ScratchFolder("show-names");
    std::vector<SlideShowPicture> pictures(1, SlideShowPicture{});
    SlideShow show{};
    show.pictures = pictures.data();
    show.pictureCount = 1;
    show.targetKind = 4;
    SetText(show.target.videoCodec, "mpeg4");
    SetText(show.target.audioCodec, "aac");
    SetText(show.outputPrefix, (out / "slideshow").string());
    auto name = [&out](int tag) {
        return out / ("slideshow" + std::to_string(tag) + "_mpeg4_aac.mp4");
    };

    int tag = 120;
    EXPECT_EQ(FreeEncodeParameters(show, "/work", tag).outputPath, name(120).string());
    EXPECT_EQ(tag, 120);
    test::WriteFile(name(120), "an earlier show");
    fs::create_symlink(out / "nowhere", name(121)); // a dangling link counts as taken
    EXPECT_EQ(FreeEncodeParameters(show, "/work", tag).outputPath, name(122).string());
    EXPECT_EQ(tag, 122);
    EncodeParameters line = BuildEncodeParameters(show, "/work", 122);
    EXPECT_EQ(FreeEncodeParameters(show, "/work", tag).parameters, line.parameters);

    test::WriteFile(name(32767), "the last tag");
    tag = 32767;
    EXPECT_EQ(FreeEncodeParameters(show, "/work", tag).outputPath, name(1).string());
    EXPECT_EQ(tag, 1);
    EXPECT_EQ(test::ReadFile(name(120)), "an earlier show");
}
