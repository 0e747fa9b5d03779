// kiv-convert runs side by side, as scripts, GNU parallel or a cluster job
// array start them: each converts its own file into one shared folder, keeps
// to its own log and leaves the others' temporaries alone. Also the names
// the command line cannot carry, and a full disk told by its real cause.

#include "TestFiles.h"
#include "TestMedia.h"
#include "TestProcess.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace kiv::test;

namespace {

namespace fs = std::filesystem;

constexpr int kNotPermitted = 77;

int EntriesIn(const fs::path& folder) {
    return static_cast<int>(
        std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

bool HasRunFolder(const fs::path& home) {
    for (const fs::directory_entry& entry : fs::directory_iterator(home)) {
        if (entry.path().filename().string().starts_with("run-"))
            return true;
    }
    return false;
}

class RunsSideBySide : public testing::Test {
protected:
    void SetUp() override {
        home_ = ScratchFolder("runs-side-by-side");
        out_ = home_ / "out";
        fs::create_directories(out_);
    }
    std::vector<std::string> Command(const fs::path& out, std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(),
                         {BinDirectory() + "kiv-convert", "--output-dir", out.string()});
        return arguments;
    }
    std::vector<std::string> Environment() { return {"KIV_HOME=" + home_.string()}; }
    fs::path home_, out_;
};

} // namespace

TEST_F(RunsSideBySide, SixRunsIntoOneFolderEachConvertTheirOwnSource) {
    std::vector<pid_t> runs;
    for (int seconds = 1; seconds <= 6; ++seconds)
        ASSERT_TRUE(
            MakeClip(home_ / ("src" + std::to_string(seconds) + ".mp4"), seconds, "160x120"));
    for (int seconds = 1; seconds <= 6; ++seconds) {
        std::string name = "src" + std::to_string(seconds);
        runs.push_back(StartProgram(Command(out_, {"--quiet", "--format", "0", "--profile", "0",
                                                   (home_ / (name + ".mp4")).string()}),
                                    Environment(), (home_ / (name + ".out")).string(),
                                    (home_ / (name + ".err")).string()));
    }
    for (int seconds = 1; seconds <= 6; ++seconds) {
        std::string name = "src" + std::to_string(seconds);
        EXPECT_EQ(WaitProgram(runs[std::size_t(seconds - 1)], std::chrono::seconds(300)), 0)
            << ReadFile(home_ / (name + ".err"));
        MediaInspection made = Inspect((out_ / (name + "_divx_libmp3lame.avi")).string());
        EXPECT_TRUE(made.opened) << name;
        EXPECT_NEAR(made.seconds, seconds, 0.5) << name;
    }
    // One log for all six, none of it lost or torn; the window's is never opened.
    std::string log = ReadFile(home_ / "kiv-convert.log");
    EXPECT_EQ(log.find('\0'), std::string::npos);
    for (int seconds = 1; seconds <= 6; ++seconds)
        EXPECT_NE(log.find("src" + std::to_string(seconds) + "_divx_libmp3lame.avi"),
                  std::string::npos);
    EXPECT_FALSE(fs::exists(home_ / "kiv.dmp"));
    EXPECT_FALSE(HasRunFolder(home_));
    EXPECT_EQ(EntriesIn(out_), 6);
}

// A run whose pids we cannot see (another pid namespace: a container, or
// another machine on a network folder) must not take a running conversion's
// temporary for abandoned.
TEST_F(RunsSideBySide, ARunInAnotherPidNamespaceLeavesARunningTemporaryAlone) {
    const std::vector<std::string> unshare = {"unshare", "--pid", "--fork", "--mount-proc"};
    std::vector<std::string> probe = unshare;
    probe.push_back("true");
    if (RunProgram(probe).exitStatus != 0)
        GTEST_SKIP() << "unshare --pid is not permitted here";
    ASSERT_TRUE(MakeClip(home_ / "long.mp4", 30));
    ASSERT_TRUE(MakeClip(home_ / "short.mp4", 2));
    // The running conversion reads its source at its real pace, so it is
    // still running whatever the machine's speed.
    fs::path paced = home_ / "paced-ffmpeg";
    WriteFile(paced, "#!/bin/sh\nexec ffmpeg -re \"$@\"\n");
    fs::permissions(paced, fs::perms::owner_all);
    std::vector<std::string> environment = Environment();
    environment.push_back("KIV_FFMPEG=" + paced.string());
    std::string progress = (home_ / "progress.txt").string();
    pid_t running =
        StartProgram(Command(out_, {"--json", "--format", "8", (home_ / "long.mp4").string()}),
                     environment, progress, (home_ / "stderr.txt").string());
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (ReadFile(progress).find("\"percent\":1") == std::string::npos &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_EQ(EntriesIn(out_), 1) << "no temporary of the running conversion";
    fs::path temporary = fs::directory_iterator(out_)->path();

    std::vector<std::string> other = unshare;
    for (const std::string& argument :
         Command(out_, {"--quiet", "--format", "8", (home_ / "short.mp4").string()}))
        other.push_back(argument);
    ProgramResult elsewhere = RunProgram(other, Environment());
    EXPECT_EQ(elsewhere.exitStatus, 0) << elsewhere.err;
    EXPECT_TRUE(fs::exists(temporary));
    EXPECT_EQ(waitpid(running, nullptr, WNOHANG), 0) << "the first conversion ended too soon";

    // The running conversion is stopped now and keeps what it wrote.
    kill(running, SIGINT);
    EXPECT_EQ(WaitProgram(running, std::chrono::seconds(90)), 130);
    EXPECT_TRUE(Inspect((out_ / "long_h263_libfaac (partial).3gp").string()).opened);
    EXPECT_TRUE(Inspect((out_ / "short_h263_libfaac.3gp").string()).opened);
}

// Names the command line or the input script cannot carry: double quotes,
// a line feed, a tab; in an older profile (its source goes through the
// input script) and one of today's.
TEST_F(RunsSideBySide, NamesWithQuotesAndLineEndsConvert) {
    fs::path films = home_ / "films \"best\"";
    fs::path out = home_ / "out \"new\"";
    fs::create_directories(films);
    const struct {
        const char* name;
        const char* format;
        const char* made;
    } rows[] = {
        {"say \"hi\".mp4", "8", "say \"hi\"_h263_libfaac.3gp"},
        {"two\nlines.mp4", "8", "two\nlines_h263_libfaac.3gp"},
        {"tab\there\r.mp4", "0", "tab\there\r_divx_libmp3lame.avi"},
        {"two\nlines.mp4", "9", "two\nlines_h264_aac.mp4"},
    };
    int outputs = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.made);
        fs::path source = films / row.name;
        ASSERT_TRUE(MakeClip(source, 3));
        ProgramResult r = RunProgram(
            Command(out, {"--quiet", "--format", row.format, source.string()}), Environment());
        ASSERT_EQ(r.exitStatus, 0) << r.err;
        EXPECT_EQ(r.out, (out / row.made).string() + "\n");
        EXPECT_NEAR(Inspect((out / row.made).string()).seconds, 3.0, 0.5);
        EXPECT_EQ(EntriesIn(out), ++outputs); // nothing left under a plain name
        EXPECT_FALSE(HasRunFolder(home_));
    }

    // Converted again at the source's pace and stopped: the partial file
    // takes its real name's partial form, and the first file stays.
    fs::path source = films / rows[0].name;
    fs::path made = out / rows[0].made;
    const std::string first = ReadFile(made);
    fs::remove(source);
    ASSERT_TRUE(MakeClip(source, 20));
    fs::path paced = home_ / "paced-ffmpeg";
    WriteFile(paced, "#!/bin/sh\nexec ffmpeg -re \"$@\"\n");
    fs::permissions(paced, fs::perms::owner_all);
    std::vector<std::string> environment = Environment();
    environment.push_back("KIV_FFMPEG=" + paced.string());
    std::string progress = (home_ / "progress.txt").string();
    pid_t running = StartProgram(Command(out, {"--json", "--format", "8", source.string()}),
                                 environment, progress, (home_ / "stderr.txt").string());
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (ReadFile(progress).find("\"percent\":1") == std::string::npos &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    kill(running, SIGINT);
    EXPECT_EQ(WaitProgram(running, std::chrono::seconds(90)), 130);
    EXPECT_TRUE(Inspect((out / "say \"hi\"_h263_libfaac (partial).3gp").string()).opened);
    EXPECT_EQ(ReadFile(made), first);
    EXPECT_EQ(EntriesIn(out), outputs + 1);
}

// FFmpeg says "No space left on device" and closes with "Conversion
// failed!": the reason shown is the first. The full disk is a small tmpfs
// in a mount namespace of the run's own.
TEST_F(RunsSideBySide, AFullDiskIsToldByItsCause) {
    ASSERT_TRUE(MakeClip(home_ / "clip.mp4", 6));
    fs::path full = home_ / "full";
    fs::create_directories(full);
    std::vector<std::string> command = Command(
        full, {"--quiet", "--format", "0", "--profile", "0", (home_ / "clip.mp4").string()});
    std::vector<char*> argv;
    for (std::string& argument : command)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::string home = "KIV_HOME=" + home_.string();
    std::string err = (home_ / "stderr.txt").string();
    uid_t uid = getuid();
    gid_t gid = getgid();
    pid_t child = fork();
    if (child == 0) {
        auto writeTo = [](const char* path, const std::string& text) {
            int descriptor = open(path, O_WRONLY);
            bool written = descriptor >= 0 &&
                           write(descriptor, text.data(), text.size()) == ssize_t(text.size());
            if (descriptor >= 0)
                close(descriptor);
            return written;
        };
        if (unshare(CLONE_NEWNS) != 0 &&
            (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0 ||
             !writeTo("/proc/self/setgroups", "deny") ||
             !writeTo("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
             !writeTo("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1")))
            _exit(kNotPermitted);
        if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("tmpfs", full.c_str(), "tmpfs", 0, "size=64k") != 0)
            _exit(kNotPermitted);
        int errors = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(errors, STDERR_FILENO);
        putenv(home.data());
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = WaitProgram(child, std::chrono::seconds(120));
    if (status == kNotPermitted)
        GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    EXPECT_EQ(status, 1);
    std::string said = ReadFile(err);
    EXPECT_NE(said.find("failed: enc: conversion failed (FFmpeg exit status 1): "),
              std::string::npos)
        << said;
    EXPECT_NE(said.find("No space left on device\nkiv-convert: the log is "), std::string::npos)
        << said;
}
