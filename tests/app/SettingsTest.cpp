#include "Settings.h"
#include "Catalogue.h"
#include "FixedText.h"
#include "Log.h"
#include "Paths.h"
#include "TestFiles.h"
#include "Vocabularies.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace kiv;
using namespace kiv::test;

namespace {

// Points the data directory at a fresh folder for one test.
std::filesystem::path UseFreshHome(const std::string& name) {
    auto folder = ScratchFolder(name);
    setenv("KIV_HOME", folder.c_str(), 1);
    return folder;
}

} // namespace

TEST(Settings, WithoutAFileEverythingHasItsDefault) {
    auto home = UseFreshHome("settings-defaults");
    LoadSettings();
    AppSettings s = CurrentSettings();
    EXPECT_EQ(std::string(GetText(s.Name)) + " " + std::string(GetText(s.Ver)),
              "Kiv Video Converter 1.0.0");
    EXPECT_EQ(GetText(s.Folder), ProgramDirectory());
    EXPECT_EQ(ProgramDirectory().back(), '/');
    EXPECT_EQ(s.Core, 1);
    EXPECT_EQ(s.AFO, 1);
    EXPECT_EQ(s.AFC, 0); // never power off unasked
    ProfileSelection sel = CurrentSelection();
    EXPECT_EQ(std::memcmp(&sel, &kDefaultSelection, sizeof sel), 0);
    EXPECT_TRUE(std::filesystem::exists(home / "kiv.dmp"));
    EXPECT_EQ(OpenLogPath(), (home / "kiv.dmp").string());
    char buffer[1024];
    EXPECT_TRUE(ProgramDirectory(buffer, sizeof buffer));
    EXPECT_EQ(std::string(buffer), ProgramDirectory());
    EXPECT_FALSE(ProgramDirectory(buffer, 2));
}

TEST(Settings, SaveIntoAMissingFileWritesExactlyTheseBytes) {
    auto home = UseFreshHome("settings-save");
    AppSettings s = DefaultSettings("/videos/out/");
    s.AFO = 2; // anything but 1 is written as 0
    s.AFC = 1;
    ProfileSelection sel{8, 1, 1, 1, 6, 6, 0, 1, 0, 0, 0, 300};
    ASSERT_TRUE(SaveSettings(s));
    ASSERT_TRUE(SaveSelection(sel));
    EXPECT_EQ(ReadFile(home / "kivinfo.ini"), "[Options]\n"
                                              "AFO=0\n"
                                              "AFC=1\n"
                                              "Folder=/videos/out/\n"
                                              "[Video]\n"
                                              "Kind=8\n"
                                              "VCodec=1\n"
                                              "VFR=1\n"
                                              "VBR=6\n"
                                              "Size=6\n"
                                              "Apsect=0\n"
                                              "ACodec=1\n"
                                              "ACH=0\n"
                                              "ABR=0\n"
                                              "ASR=0\n"
                                              "VOL=300\n"
                                              "Class=1\n");
    EXPECT_EQ(CurrentSettings().AFO, 2);
    EXPECT_EQ(CurrentSelection().Kind, 8);
}

TEST(Settings, CoreNameAndVerSurviveASaveAndAfoTwoReadsUnchecked) {
    auto home = UseFreshHome("settings-keep");
    WriteFile(home / "kivinfo.ini", "[Options]\nCore=0\nAFO=2\nAFC=0\nFolder=/data/\n"
                                    "[Video]\nName=My Tool\nVer=9.9\nKind=0\nClass=3\n");
    LoadSettings();
    AppSettings s = CurrentSettings();
    EXPECT_EQ(s.Core, 0);
    EXPECT_NE(s.AFO, 1); // the box is not checked
    EXPECT_EQ(GetText(s.Name), "My Tool");
    EXPECT_EQ(GetText(s.Ver), "9.9");
    EXPECT_EQ(GetText(s.Folder), "/data/");
    EXPECT_EQ(CurrentSelection().Class, 3);
    ASSERT_TRUE(SaveSettings(s));
    ASSERT_TRUE(SaveSelection(CurrentSelection()));
    std::string text = ReadFile(home / "kivinfo.ini");
    EXPECT_NE(text.find("Core=0\n"), std::string::npos);
    EXPECT_NE(text.find("AFO=0\n"), std::string::npos);
    EXPECT_NE(text.find("Name=My Tool\n"), std::string::npos);
    EXPECT_NE(text.find("Ver=9.9\n"), std::string::npos);
    // A save never adds Core, Name or Ver to a file that lacks them.
    auto fresh = UseFreshHome("settings-nocore");
    ASSERT_TRUE(SaveSettings(DefaultSettings("/x/")));
    ASSERT_TRUE(SaveSelection(kDefaultSelection));
    std::string written = ReadFile(fresh / "kivinfo.ini");
    EXPECT_EQ(written.find("Core"), std::string::npos);
    EXPECT_EQ(written.find("Name"), std::string::npos);
    EXPECT_EQ(written.find("Ver="), std::string::npos);
}

TEST(Settings, OutOfRangeIndicesAreRepairedAndLogged) {
    auto home = UseFreshHome("settings-repair");
    WriteFile(home / "kivinfo.ini", "[Video]\nKind=12\nClass=40\nVCodec=9\nVFR=-1\nVBR=23\n"
                                    "Size=28\nApsect=3\nACodec=2\nACH=2\nABR=16\nASR=6\nVOL=999\n");
    LoadSettings();
    ProfileSelection s = CurrentSelection();
    EXPECT_EQ(s.Kind, 4);
    EXPECT_EQ(s.Class, 0);
    EXPECT_EQ(s.VCodec, 4);
    EXPECT_EQ(s.VFR, 6);
    EXPECT_EQ(s.VBR, 21);
    EXPECT_EQ(s.Size, 23);
    EXPECT_EQ(s.Apsect, 1);
    EXPECT_EQ(s.ACodec, 0);
    EXPECT_EQ(s.ACH, 1);
    EXPECT_EQ(s.ABR, 16); // "576" is a stored entry
    EXPECT_EQ(s.ASR, 4);
    EXPECT_EQ(s.VOL, 999);
    std::string log = ReadFile(home / "kiv.dmp");
    EXPECT_NE(log.find("Settings: [Video] Kind=12 is outside its list; using 4\n"),
              std::string::npos);
    EXPECT_NE(log.find("Settings: [Video] ASR=6 is outside its list; using 4\n"),
              std::string::npos);

    // A default that is itself outside the kind's codec list falls back to 0.
    ProfileSelection avi = kDefaultSelection;
    avi.Kind = 0;
    avi.VCodec = 7;
    RepairSelection(avi);
    EXPECT_EQ(avi.VCodec, 0);
}

// A kivinfo.ini written before today's formats came (these are the bytes
// that version wrote) loads the same selection and builds the same working
// profile; one that names today's formats loads as saved.
TEST(Settings, AFileWrittenBeforeTodaysFormatsReadsTheSame) {
    struct Written {
        std::string video; // the [Video] section as written
        ProfileSelection selection;
        const char *name, *frameRate, *frameSize, *sampleRate, *videoBitrate;
    } const files[] = {
        {"Kind=5\nVCodec=0\nVFR=8\nVBR=20\nSize=26\nApsect=0\nACodec=0\nACH=1\nABR=9\nASR=4\n"
         "VOL=256\nClass=15\n",
         {5, 15, 0, 8, 20, 26, 0, 0, 1, 9, 4, 256},
         "Apple TV(HD Quality)",
         "30.00",
         "1280x720",
         "44100",
         "5000"},
        {"Kind=6\nVCodec=0\nVFR=8\nVBR=22\nSize=27\nApsect=2\nACodec=0\nACH=1\nABR=15\nASR=5\n"
         "VOL=768\nClass=7\n",
         {6, 7, 0, 8, 22, 27, 2, 0, 1, 15, 5, 768},
         "PS3(Excelent Quality)",
         "30.00",
         "1920x1080",
         "48000",
         "9000"},
        {"Kind=8\nVCodec=1\nVFR=1\nVBR=6\nSize=6\nApsect=0\nACodec=1\nACH=0\nABR=0\nASR=0\n"
         "VOL=300\nClass=1\n",
         {8, 1, 1, 1, 6, 6, 0, 1, 0, 0, 0, 300},
         "3GP(h263/amr)",
         "12.00",
         "176x144",
         "8000",
         "512"},
        {"Kind=9\nVCodec=3\nVFR=9\nVBR=18\nSize=28\nApsect=0\nACodec=1\nACH=1\nABR=8\nASR=6\n"
         "VOL=256\nClass=7\n",
         {9, 7, 3, 9, 18, 28, 0, 1, 1, 8, 6, 256},
         "AV1 WebM with Opus, same size (for the web)",
         "Original",
         "854x480",
         "Original",
         "34"},
        {"Kind=10\nVCodec=0\nVFR=9\nVBR=11\nSize=0\nApsect=0\nACodec=2\nACH=1\nABR=13\nASR=6\n"
         "VOL=256\nClass=3\n",
         {10, 3, 0, 9, 11, 0, 0, 2, 1, 13, 6, 256},
         "FLAC (lossless)",
         "Original",
         "Original",
         "Original",
         "1150"},
    };
    for (const Written& file : files) {
        auto home = UseFreshHome("settings-before");
        WriteFile(home / "kivinfo.ini",
                  "[Options]\nAFO=1\nAFC=0\nFolder=/videos/\n[Video]\n" + file.video);
        LoadSettings();
        ProfileSelection loaded = CurrentSelection();
        EXPECT_EQ(std::memcmp(&loaded, &file.selection, sizeof loaded), 0) << file.name;
        EXPECT_EQ(ReadFile(home / "kiv.dmp").find("Settings:"), std::string::npos) << file.name;
        MediaProfile profile = EmptyProfile();
        ProfileFromSelection(loaded, GetCategory(loaded.Kind)->Target, profile);
        EXPECT_EQ(GetText(profile.ProfileName), file.name);
        EXPECT_EQ(GetText(profile.FrameRate), file.frameRate) << file.name;
        EXPECT_EQ(GetText(profile.FrameSize), file.frameSize) << file.name;
        EXPECT_EQ(GetText(profile.SampleRate), file.sampleRate) << file.name;
        EXPECT_EQ(GetText(profile.VideoBitrate), file.videoBitrate) << file.name;
        // Saved again, the file keeps its bytes.
        ASSERT_TRUE(SaveSelection(loaded));
        EXPECT_NE(ReadFile(home / "kivinfo.ini").find("[Video]\n" + file.video), std::string::npos)
            << file.name;
    }
}

TEST(Settings, EmptyFolderBecomesTheProgramDirectory) {
    auto home = UseFreshHome("settings-folder");
    AppSettings s;
    ProfileSelection sel;
    WriteFile(home / "kivinfo.ini", "[Options]\nFolder=\n");
    ReadSettingsFile((home / "kivinfo.ini").string(), "/prog/", s, sel);
    EXPECT_EQ(GetText(s.Folder), "/prog/");
}

namespace {

// Takes away from this thread root's power to read any file whatever its
// mode, while it lives, so that an unreadable file is unreadable to the
// test as it is to a user. Nothing to take for other users.
class NoReadOverride {
public:
    NoReadOverride() {
        if (syscall(SYS_capget, &header_, saved_) != 0)
            return;
        __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
        lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        lowered_ = syscall(SYS_capset, &header_, lowered) == 0;
    }
    ~NoReadOverride() {
        if (lowered_)
            syscall(SYS_capset, &header_, saved_);
    }

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
    bool lowered_ = false;
};

} // namespace

// What is at the settings file's place decides what a save may do: a file
// that cannot be read is left alone, a link is written through, a failure
// is told.
TEST(Settings, TheSettingsFileIsNeverReplacedByAccident) {
    namespace fs = std::filesystem;
    const std::string mine = "; mine\n[Options]\nCore=0\n";
    const std::string saved = mine + "AFO=1\nAFC=0\nFolder=/out/\n";
    struct Case {
        const char* name;
        std::function<void(const fs::path& home)> place;
        bool saves;
        const char* reasonHas;
        std::function<void(const fs::path& home)> check;
    };
    const Case cases[] = {
        {"unreadable",
         [&](const fs::path& home) {
             WriteFile(home / "kivinfo.ini", mine);
             fs::permissions(home / "kivinfo.ini", fs::perms::none);
         },
         false, "cannot be read, so it was left as it is",
         [&](const fs::path& home) {
             EXPECT_EQ(fs::status(home / "kivinfo.ini").permissions(), fs::perms::none);
             fs::permissions(home / "kivinfo.ini", fs::perms::owner_all);
             EXPECT_EQ(ReadFile(home / "kivinfo.ini"), mine);
         }},
        {"a link to itself",
         [](const fs::path& home) { fs::create_symlink("kivinfo.ini", home / "kivinfo.ini"); },
         false, "Too many levels of symbolic links",
         [](const fs::path& home) { EXPECT_TRUE(fs::is_symlink(home / "kivinfo.ini")); }},
        {"a folder", [](const fs::path& home) { fs::create_directory(home / "kivinfo.ini"); },
         false, "Is a directory",
         [](const fs::path& home) { EXPECT_TRUE(fs::is_empty(home / "kivinfo.ini")); }},
        {"a link into a dotfiles folder",
         [&](const fs::path& home) {
             fs::create_directory(home / "dotfiles");
             WriteFile(home / "dotfiles" / "kivinfo.ini", mine);
             fs::permissions(home / "dotfiles" / "kivinfo.ini", fs::perms::owner_read |
                                                                    fs::perms::owner_write |
                                                                    fs::perms::group_read);
             fs::create_symlink("dotfiles/kivinfo.ini", home / "kivinfo.ini");
         },
         true, "",
         [&](const fs::path& home) {
             EXPECT_TRUE(fs::is_symlink(home / "kivinfo.ini"));
             EXPECT_EQ(ReadFile(home / "dotfiles" / "kivinfo.ini"), saved);
             EXPECT_EQ(fs::status(home / "dotfiles" / "kivinfo.ini").permissions(),
                       fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
             // The temporary went beside the file and was renamed there.
             EXPECT_EQ(std::distance(fs::directory_iterator(home / "dotfiles"), {}), 1);
         }},
        // Not a file at all, behind a link or not: read without waiting,
        // set aside, never replaced.
        {"a FIFO", [](const fs::path& home) { mkfifo((home / "kivinfo.ini").c_str(), 0600); },
         false, "is a FIFO: settings are kept only in a regular file",
         [](const fs::path& home) { EXPECT_TRUE(fs::is_fifo(home / "kivinfo.ini")); }},
        {"a link to a device",
         [](const fs::path& home) {
             // Root makes a null device of its own; a user links to the
             // system's, which it could never replace anyway.
             const fs::path device = home / "null";
             if (mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
                 fs::create_symlink("/dev/null", device);
             fs::create_symlink(device, home / "kivinfo.ini");
         },
         false, ", a character device: settings are kept only in a regular file",
         [](const fs::path& home) {
             EXPECT_TRUE(fs::is_character_file(home / "kivinfo.ini"));
             EXPECT_TRUE(fs::is_symlink(home / "kivinfo.ini"));
         }},
        {"larger than any settings file",
         [&](const fs::path& home) {
             WriteFile(home / "kivinfo.ini", mine + std::string(2 << 20, ';'));
         },
         false, "File too large",
         [&](const fs::path& home) {
             EXPECT_EQ(fs::file_size(home / "kivinfo.ini"), mine.size() + (2 << 20));
         }},
        {"a link to a file not made yet",
         [](const fs::path& home) {
             fs::create_directory(home / "dotfiles");
             fs::create_symlink(home / "dotfiles" / "kivinfo.ini", home / "kivinfo.ini");
         },
         true, "",
         [](const fs::path& home) {
             EXPECT_TRUE(fs::is_symlink(home / "kivinfo.ini"));
             EXPECT_EQ(ReadFile(home / "dotfiles" / "kivinfo.ini"),
                       "[Options]\nAFO=1\nAFC=0\nFolder=/out/\n");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path home = UseFreshHome(std::string("settings-place-") + c.name);
        c.place(home);
        std::string reason;
        bool result = false;
        {
            NoReadOverride asAUser;
            LoadSettings();
            result = SaveSettings(DefaultSettings("/out/"), &reason);
        }
        EXPECT_EQ(result, c.saves);
        EXPECT_NE(reason.find(c.reasonHas), std::string::npos) << reason;
        if (!c.saves) {
            EXPECT_NE(reason.find((home / "kivinfo.ini").string()), std::string::npos) << reason;
            // The log said so at start-up.
            EXPECT_NE(ReadFile(home / "kiv.dmp").find("cannot be read; using the defaults"),
                      std::string::npos);
        }
        c.check(home);
    }
}
