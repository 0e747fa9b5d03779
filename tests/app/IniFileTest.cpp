#include "IniFile.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

using namespace kiv;
using namespace kiv::test;

TEST(IniFile, ReadsCaseInsensitivelyAndToleratesGarbage) {
    auto folder = ScratchFolder("ini-read");
    WriteFile(folder / "a.ini", "garbage line\r\n"
                                "; comment=1\n"
                                "[OPTIONS]\r\n"
                                "  afo = 2 \r\n"
                                "Folder=\"/tmp/out/\"\n"
                                "=novalue\n"
                                "[video\n"
                                "[Video]\n"
                                "Kind=7abc\n"
                                "VBR=abc\n"
                                "Class=-3\n"
                                "Kind=1\n");
    IniFile ini = IniFile::Load((folder / "a.ini").string());
    EXPECT_EQ(ini.GetInt("Options", "AFO", 9), 2);
    EXPECT_EQ(ini.GetString("options", "FOLDER", "x"), "/tmp/out/");
    EXPECT_EQ(ini.GetInt("Video", "kind", 4), 7); // first entry wins
    EXPECT_EQ(ini.GetInt("Video", "VBR", 12), 0);
    EXPECT_EQ(ini.GetInt("Video", "Class", 0), -3);
    EXPECT_EQ(ini.GetInt("Video", "Size", 19), 19);
    EXPECT_EQ(ini.GetInt("Missing", "Size", 19), 19);
    EXPECT_EQ(ini.GetString("Video", "Name", "Kiv Video Converter"), "Kiv Video Converter");
}

TEST(IniFile, MissingFileGivesDefaults) {
    IniFile ini = IniFile::Load("/nonexistent/kivinfo.ini");
    EXPECT_EQ(ini.GetInt("Options", "Core", 1), 1);
    EXPECT_EQ(ini.Text(), "");
}

TEST(IniFile, WritesUpdateInPlaceAppendToSectionAndKeepOtherLines) {
    auto folder = ScratchFolder("ini-write");
    auto path = (folder / "b.ini").string();
    WriteFile(path, "; mine\n[Options]\nCore=0\nAFO=1\n\n[Video]\nName=My Converter\n");
    IniFile ini = IniFile::Load(path);
    ini.SetString("options", "afo", "0");
    ini.SetString("Options", "Folder", "/out/");
    ini.SetInt("Video", "Kind", 3);
    ini.SetInt("Extra", "K", -1);
    ASSERT_TRUE(ini.Save(path));
    EXPECT_EQ(ReadFile(path), "; mine\n[Options]\nCore=0\nafo=0\nFolder=/out/\n\n[Video]\n"
                              "Name=My Converter\nKind=3\n[Extra]\nK=-1\n");
}

TEST(IniFile, ParseLeadingInt) {
    EXPECT_EQ(ParseLeadingInt("42"), 42);
    EXPECT_EQ(ParseLeadingInt(" -7x"), -7);
    EXPECT_EQ(ParseLeadingInt("x7"), 0);
    EXPECT_EQ(ParseLeadingInt(""), 0);
    EXPECT_EQ(ParseLeadingInt("99999999999"), 2147483647);
    EXPECT_EQ(ParseLeadingInt("-99999999999999999999"), -2147483647);
    EXPECT_EQ(ParseLeadingInt("+12"), 12);
    EXPECT_EQ(ParseLeadingInt("+-12"), 0);
}

TEST(IniFile, SaveIntoAFolderThatDoesNotExistFailsCleanly) {
    IniFile ini;
    ini.SetInt("A", "B", 1);
    EXPECT_FALSE(ini.Save("/nonexistent-folder/kivinfo.ini"));
}
