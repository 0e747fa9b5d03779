// Making directory paths and removing directory trees on real folders.

#include "DirectoryTree.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <unistd.h>

using namespace kiv;
using namespace kiv::test;
namespace fs = std::filesystem;

namespace {

class DirectoryTree : public testing::Test {
protected:
    void SetUp() override {
        root_ = ScratchFolder(testing::UnitTest::GetInstance()->current_test_info()->name());
        previous_ = fs::current_path();
    }
    void TearDown() override { fs::current_path(previous_); }

    std::string At(const std::string& relative) const { return (root_ / relative).string(); }

    fs::path root_, previous_;
};

// A name of 200 characters: longer than the fixed buffers of old.
const std::string kLongName(200, 'n');

} // namespace

TEST_F(DirectoryTree, MakeDirectoryPathTable) {
    fs::create_directories(root_ / "exists");
    WriteFile(root_ / "file", "x");
    struct Row {
        std::string path; // below the scratch root
        bool result;
        std::string madeAndEntered; // relative; empty: nothing made
    } rows[] = {
        {"exists", false, "exists"},
        {"exists/", false, "exists"},
        {"one/two/three", true, "one/two/three"},
        {"four/five/six/", true, "four/five/six"},
        {"one/two/seven", true, "one/two/seven"},
        {kLongName + "/" + kLongName, true, kLongName + "/" + kLongName},
        {"file/below", false, ""},
    };
    for (const Row& row : rows) {
        fs::current_path(previous_);
        std::string path = At(row.path);
        EXPECT_EQ(MakeDirectoryPath(path), row.result) << row.path;
        if (!row.madeAndEntered.empty()) {
            EXPECT_TRUE(fs::is_directory(root_ / row.madeAndEntered)) << row.path;
            EXPECT_EQ(fs::current_path(), root_ / row.madeAndEntered) << row.path;
        }
    }
    EXPECT_FALSE(fs::exists(root_ / "file" / "below"));

    // A bare name or an empty text names nothing below a parent: nothing is made.
    fs::current_path(root_);
    EXPECT_FALSE(MakeDirectoryPath("bare"));
    EXPECT_FALSE(MakeDirectoryPath(""));
    EXPECT_FALSE(fs::exists(root_ / "bare"));
    // A parent that cannot be made leaves nothing behind in the current directory.
    fs::current_path(root_ / "exists");
    EXPECT_FALSE(MakeDirectoryPath(At("file/sub/leaf")));
    EXPECT_TRUE(fs::is_empty(root_ / "exists"));
}

TEST_F(DirectoryTree, MakesPathsLongerThanTheSystemLimit) {
    std::string path = root_.string();
    for (int level = 0; level < 24; ++level)
        path += "/" + std::string(240, static_cast<char>('a' + level));
    ASSERT_GT(path.size(), static_cast<std::size_t>(PATH_MAX));
    EXPECT_TRUE(MakeDirectoryPath(path));
    EXPECT_FALSE(MakeDirectoryPath(path)); // exists now
    fs::current_path(previous_);
    EXPECT_TRUE(RemoveDirectoryTree(At(std::string(240, 'a'))));
    EXPECT_TRUE(fs::is_empty(root_));
}

TEST_F(DirectoryTree, RemoveDirectoryTreeTable) {
    // Outside the tree: a folder and a file that links inside point to.
    fs::create_directories(root_ / "outside" / "keep");
    WriteFile(root_ / "outside" / "keep" / "precious.txt", "keep me");
    WriteFile(root_ / "outside" / "note.txt", "keep me too");

    fs::create_directories(root_ / "tree" / "a" / "b" / kLongName);
    WriteFile(root_ / "tree" / "top.txt", "1");
    WriteFile(root_ / "tree" / "a" / "b" / kLongName / (kLongName + ".txt"), "2");
    fs::create_directory_symlink(root_ / "outside", root_ / "tree" / "a" / "folder-link");
    fs::create_symlink(root_ / "outside" / "note.txt", root_ / "tree" / "file-link");
    fs::create_symlink(root_ / "nowhere", root_ / "tree" / "broken-link");
    fs::create_directory_symlink(root_ / "outside", root_ / "link-to-outside");

    struct Row {
        std::string path;
        bool result;
    } rows[] = {
        {"tree", true},              // files, nested folders and links: all gone
        {"missing", false},          // nothing there
        {"link-to-outside", false},  // a link given as the tree is not followed
        {"outside/note.txt", false}, // a file is not a directory
    };
    for (const Row& row : rows)
        EXPECT_EQ(RemoveDirectoryTree(At(row.path)), row.result) << row.path;

    EXPECT_FALSE(fs::exists(fs::symlink_status(root_ / "tree")));
    EXPECT_EQ(ReadFile(root_ / "outside" / "keep" / "precious.txt"), "keep me");
    EXPECT_EQ(ReadFile(root_ / "outside" / "note.txt"), "keep me too");
    EXPECT_TRUE(fs::is_symlink(root_ / "link-to-outside"));

    // A trailing separator names the same tree.
    fs::create_directories(root_ / "again" / "inner");
    EXPECT_TRUE(RemoveDirectoryTree(At("again/")));
    EXPECT_FALSE(fs::exists(root_ / "again"));
}
