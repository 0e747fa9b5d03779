// Profiles of the user's own: the file as written, read back after a
// restart, renamed, exported and imported byte for byte, and files that
// are not profiles refused with the line that is wrong, nothing changed.

#include "UserProfiles.h"
#include "Catalogue.h"
#include "FixedText.h"
#include "TestFiles.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace kiv;

namespace {

namespace fs = std::filesystem;

const char* const kGermanFile = "[Kiv Video Converter profile]\n"
                                "Name=German, English burned in\n"
                                "Format=To MP4/MKV/WebM (today's devices and the web)\n"
                                "VideoCodec=h264\n"
                                "VideoBitrate=20\n"
                                "FrameRate=Original\n"
                                "FrameSize=Original\n"
                                "Aspect=Original\n"
                                "AudioCodec=aac\n"
                                "AudioBitrate=160\n"
                                "SampleRate=Original\n"
                                "Channels=Original\n"
                                "Volume=256\n"
                                "Variant=0\n"
                                "Audio=languages\n"
                                "AudioLanguages=deu\n"
                                "Subtitles=burn\n"
                                "SubtitleLanguages=eng\n"
                                "BurnTrack=0\n"
                                "Crop=auto\n"
                                "Denoise=light\n"
                                "Deblock=no\n"
                                "Grayscale=no\n"
                                "Turn=0\n"
                                "Flip=none\n"
                                "Deinterlace=auto\n";

UserProfile GermanProfile() {
    UserProfile profile;
    profile.name = "German, English burned in";
    profile.category = 9;
    GetProfile(9, 0, profile.values);
    SetText(profile.values.ProfileName, profile.name);
    SetText(profile.values.VideoBitrate, "20");
    profile.choices.audioRule = static_cast<std::int32_t>(AudioRule::MyLanguages);
    SetText(profile.choices.audioLanguages, "deu");
    profile.choices.subtitleRule = static_cast<std::int32_t>(SubtitleRule::BurnForcedOrMine);
    SetText(profile.choices.subtitleLanguages, "eng");
    profile.choices.cropRule = static_cast<std::int32_t>(CropRule::Auto);
    profile.choices.denoise = static_cast<std::int32_t>(Denoise::Light);
    return profile;
}

std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    for (const StoredProfile& stored : LoadUserProfiles(folder))
        names.push_back(stored.profile.name);
    return names;
}

} // namespace

TEST(UserProfiles, WrittenAsDocumentedAndReadBack) {
    UserProfile profile = GermanProfile();
    EXPECT_EQ(ProfileFileText(profile), kGermanFile);
    UserProfile read;
    std::string reason;
    ASSERT_TRUE(ReadProfileText(kGermanFile, read, reason)) << reason;
    EXPECT_EQ(read.name, profile.name);
    EXPECT_EQ(read.category, 9);
    EXPECT_EQ(std::memcmp(&read.values, &profile.values, sizeof read.values), 0);
    EXPECT_TRUE(SameChoices(read.choices, profile.choices));
}

TEST(UserProfiles, KeptRenamedExportedAndImported) {
    fs::path home = test::ScratchFolder("user-profiles");
    fs::remove_all(home);
    const std::string folder = (home / "profiles").string();
    std::string reason;
    UserProfile zebra = GermanProfile();
    zebra.name = "zebra";
    ASSERT_TRUE(SaveUserProfile(folder, zebra, reason)) << reason;
    ASSERT_TRUE(SaveUserProfile(folder, GermanProfile(), reason)) << reason;
    // Saved again under its name: replaced, not doubled. Read afresh, as
    // after a restart, in the order of the names.
    ASSERT_TRUE(SaveUserProfile(folder, GermanProfile(), reason)) << reason;
    EXPECT_EQ(Names(folder), (std::vector<std::string>{"German, English burned in", "zebra"}));

    ASSERT_TRUE(RenameUserProfile(folder, "zebra", "Aardvark", reason)) << reason;
    EXPECT_FALSE(RenameUserProfile(folder, "Aardvark", "GERMAN, english burned in", reason));
    EXPECT_EQ(reason, "a profile named \"GERMAN, english burned in\" is there already");
    EXPECT_EQ(Names(folder), (std::vector<std::string>{"Aardvark", "German, English burned in"}));

    // Exported and imported elsewhere byte for byte.
    const std::string exported = (home / "shared.kivprofile").string();
    ASSERT_TRUE(ExportUserProfile(folder, "German, English burned in", exported, reason));
    EXPECT_EQ(test::ReadFile(exported), kGermanFile);
    const std::string other = (home / "other").string();
    UserProfile imported;
    ASSERT_TRUE(ImportUserProfile(other, exported, imported, reason)) << reason;
    std::vector<StoredProfile> there = LoadUserProfiles(other);
    ASSERT_EQ(there.size(), 1u);
    EXPECT_EQ(test::ReadFile(there[0].path), kGermanFile);
    EXPECT_FALSE(ImportUserProfile(other, exported, imported, reason));
    EXPECT_EQ(reason, "a profile named \"German, English burned in\" is there already: rename or "
                      "delete it first");

    ASSERT_TRUE(DeleteUserProfile(folder, "Aardvark", reason)) << reason;
    EXPECT_EQ(Names(folder), std::vector<std::string>{"German, English burned in"});
}

TEST(UserProfiles, WhatIsNotAProfileIsRefused) {
    auto replaced = [](const std::string& line, const std::string& by) {
        std::string text = kGermanFile;
        text.replace(text.find(line), line.size(), by);
        return text;
    };
    const std::pair<std::string, std::string> kRefused[] = {
        {"[Settings]\nName=x\n", "it does not start with \"[Kiv Video Converter profile]\""},
        {"", "it does not start with \"[Kiv Video Converter profile]\""},
        {replaced("Denoise=light\n", "Denoise=loud\n"),
         "line 21: \"loud\" is not a value of Denoise here"},
        {replaced("VideoCodec=h264\n", "VideoCodec=wmv2\n"),
         "line 4: \"wmv2\" is not a value of VideoCodec here"},
        {replaced("Format=To MP4/MKV/WebM (today's devices and the web)\n", "Format=To Mars\n"),
         "line 3: \"To Mars\" is not a value of Format here"},
        {replaced("Volume=256\n", ""), "Volume is missing"},
        {replaced("Turn=0\n", "Turn=0\nTurn=90\n"), "line 25: Turn is given twice"},
        {replaced("Flip=none\n", "Colour=red\n"),
         "line 25: \"Colour=red\" is not one of the profile's keys"},
        {replaced("Name=German, English burned in\n", "Name=\n"), "line 2: a profile needs a name"},
    };
    fs::path home = test::ScratchFolder("user-profiles-refused");
    fs::remove_all(home);
    const std::string folder = (home / "profiles").string();
    std::string reason;
    ASSERT_TRUE(SaveUserProfile(folder, GermanProfile(), reason)) << reason;
    for (const auto& [text, why] : kRefused) {
        const std::string path = (home / "bad.kivprofile").string();
        test::WriteFile(path, text);
        UserProfile imported;
        EXPECT_FALSE(ImportUserProfile(folder, path, imported, reason));
        EXPECT_EQ(reason, "'" + path + "' is not a profile file: " + why);
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    }
}
