// kiv-convert reports what really happened: a failing encoder, an empty
// clip or a clashing output name never pass for success, and a killed or
// twice-interrupted run leaves no process and no temporary file behind.

#include "TestFiles.h"
#include "TestMedia.h"
#include "TestProcess.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>

using namespace kiv::test;

namespace {

namespace fs = std::filesystem;

// Processes whose command line mentions the text (our enc and FFmpeg name
// the test's private output folder).
int ProcessesMentioning(const std::string& text) {
    int count = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator("/proc")) {
        std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos ||
            name == std::to_string(getpid()))
            continue;
        std::string commandLine = ReadFile(entry.path() / "cmdline");
        if (commandLine.find(text) != std::string::npos)
            ++count;
    }
    return count;
}

int TemporaryFiles(const fs::path& folder) {
    int count = 0;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error))
        count += entry.path().filename().string().find(".kivtmp-") != std::string::npos;
    return count;
}

// Polls until nothing of the run is left; true when that happened in time.
bool NothingLeft(const fs::path& folder) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        if (ProcessesMentioning(folder.string()) == 0 && TemporaryFiles(folder) == 0)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

pid_t DeadPid() {
    pid_t child = fork();
    if (child == 0)
        _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

class HonestResults : public testing::Test {
protected:
    void SetUp() override {
        home_ = ScratchFolder("honest-results");
        out_ = home_ / "out";
        fs::create_directories(out_);
        clip_ = home_ / "c8.mp4";
        ASSERT_TRUE(MakeClip(clip_, 3));
    }
    ProgramResult Convert(std::vector<std::string> arguments,
                          std::vector<std::string> environment = {}) {
        arguments.insert(arguments.begin(), {BinDirectory() + "kiv-convert", "--quiet",
                                             "--output-dir", out_.string()});
        environment.push_back("KIV_HOME=" + home_.string());
        return RunProgram(arguments, environment);
    }
    // A long conversion started in the background, once it shows progress.
    // atOnce files converting at once, each with its temporary output.
    pid_t StartLongConversion(int atOnce = 1) {
        EXPECT_TRUE(MakeClip(home_ / "long.mp4", 30));
        std::string progress = (home_ / "progress.txt").string();
        std::vector<std::string> arguments = {BinDirectory() + "kiv-convert",
                                              "--json",
                                              "--jobs",
                                              std::to_string(atOnce),
                                              "--format",
                                              "5",
                                              "--profile",
                                              "15",
                                              "--output-dir",
                                              out_.string()};
        arguments.insert(arguments.end(), std::size_t(atOnce), (home_ / "long.mp4").string());
        pid_t child = StartProgram(arguments, {"KIV_HOME=" + home_.string()}, progress,
                                   (home_ / "stderr.txt").string());
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while ((ReadFile(progress).find("\"percent\":1") == std::string::npos ||
                TemporaryFiles(out_) < atOnce) &&
               std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_EQ(TemporaryFiles(out_), atOnce);
        return child;
    }
    fs::path home_, out_, clip_;
};

} // namespace

TEST_F(HonestResults, AFailingEncoderBesideAnOlderOutputFails) {
    WriteFile(out_ / "c8_libxvid_libmp3lame.avi", "an earlier result");
    fs::path fake = home_ / "failing-ffmpeg";
    WriteFile(fake, "#!/bin/sh\nfor last; do :; done\necho partial > \"$last\"\n"
                    "echo 'No space left on device' >&2\nexit 1\n");
    fs::permissions(fake, fs::perms::owner_all);
    ProgramResult r = Convert({"--format", "0", "--profile", "1", clip_.string()},
                              {"KIV_FFMPEG=" + fake.string()});
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("converting '" + clip_.string() +
                         "' failed: enc: conversion failed "
                         "(FFmpeg exit status 1): No space left on device\n"
                         "kiv-convert: the log is " +
                         home_.string() + "/kiv-convert.log\n"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(ReadFile(out_ / "c8_libxvid_libmp3lame.avi"), "an earlier result");
    EXPECT_EQ(TemporaryFiles(out_), 0);
}

TEST_F(HonestResults, ARefusalNamesWhatItRefuses) {
    fs::path picture = home_ / "lake.png";
    ASSERT_TRUE(
        MakeMedia(picture, {"-f", "lavfi", "-i", "color=c=blue:s=64x48", "-frames:v", "1"}));
    std::string caption(300, 'c');
    ProgramResult r = Convert({"--slideshow", "--dry-run", "--caption", caption, picture.string()});
    EXPECT_EQ(r.exitStatus, 2);
    EXPECT_EQ(r.err, "kiv-convert: the caption is longer than 255 bytes: " + caption + "\n");
}

TEST_F(HonestResults, AnEmptyClipIsRefusedOrFailsAndLeavesNothing) {
    ProgramResult refused = Convert({"--start", "00:00:00", "--end", "00:00:00", clip_.string()});
    EXPECT_EQ(refused.exitStatus, 2);
    EXPECT_EQ(refused.err, "kiv-convert: '" + clip_.string() +
                               "' cannot be converted: the end time 00:00:00 is not after the "
                               "start time 00:00:00\n");
    ProgramResult inverted = Convert({"--start", "00:00:02", "--end", "00:00:01", clip_.string()});
    EXPECT_EQ(inverted.exitStatus, 2);

    // A range past the end of the file encodes nothing: enc fails it.
    ProgramResult beyond =
        Convert({"--format", "8", "--start", "00:00:10", "--end", "00:00:12", clip_.string()});
    EXPECT_EQ(beyond.exitStatus, 1);
    EXPECT_NE(beyond.err.find("failed: enc: conversion failed"), std::string::npos) << beyond.err;
    EXPECT_TRUE(fs::is_empty(out_));
}

TEST_F(HonestResults, ABatchNeverReplacesItsOwnOutputs) {
    fs::path second = home_ / "c8.part2.mp4";
    ASSERT_TRUE(MakeClip(second, 2));
    for (int run = 0; run < 2; ++run) { // a second run replaces the first run's files
        ProgramResult r = Convert({"--format", "8", clip_.string(), second.string()});
        ASSERT_EQ(r.exitStatus, 0) << r.err;
        // Named in list order, printed as they are written (two at once).
        const std::string first = out_.string() + "/c8_h263_libfaac.3gp\n";
        const std::string again = out_.string() + "/c8_h263_libfaac (2).3gp\n";
        EXPECT_TRUE(r.out == first + again || r.out == again + first) << r.out;
    }
    ProgramResult durations = RunProgram({BinDirectory() + "kiv-convert", "--probe",
                                          (out_ / "c8_h263_libfaac.3gp").string(),
                                          (out_ / "c8_h263_libfaac (2).3gp").string()},
                                         {"KIV_HOME=" + home_.string()});
    // Two different results: the second did not replace the first.
    EXPECT_NE(durations.out.find("3gp\tduration=4."), std::string::npos) << durations.out;
    EXPECT_NE(durations.out.find("3gp\tduration=3."), std::string::npos) << durations.out;
    EXPECT_EQ(std::distance(fs::directory_iterator(out_), fs::directory_iterator()), 2);
}

// Two files converting at once.
TEST_F(HonestResults, AKilledRunLeavesNoProcessAndNoTemporaryFile) {
    pid_t child = StartLongConversion(2);
    kill(child, SIGKILL);
    EXPECT_EQ(WaitProgram(child, std::chrono::seconds(10)), 128 + SIGKILL);
    EXPECT_TRUE(NothingLeft(out_));
}

TEST_F(HonestResults, TwoQuickInterruptsLeaveNoTemporaryFile) {
    pid_t child = StartLongConversion();
    kill(child, SIGINT);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    kill(child, SIGINT);
    EXPECT_EQ(WaitProgram(child, std::chrono::seconds(20)), 130);
    EXPECT_TRUE(NothingLeft(out_));
}

// A temporary is abandoned when no process holds its lock, whatever its
// pid: the pid of a run in another pid namespace or on another machine
// says nothing here.
TEST_F(HonestResults, TheNextRunRemovesOnlyTemporaryFilesNobodyHolds) {
    fs::path dead = out_ / (".old.kivtmp-" + std::to_string(DeadPid()) + ".3gp");
    fs::path unheld = out_ / (".mine.kivtmp-" + std::to_string(getpid()) + ".3gp");
    fs::path held = out_ / (".busy.kivtmp-" + std::to_string(DeadPid()) + ".3gp");
    WriteFile(dead, "left by a killed run");
    WriteFile(unheld, "left by a killed run whose pid lives again");
    WriteFile(held, "still being written");
    int lock = open(held.c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_EQ(flock(lock, LOCK_EX), 0);
    ASSERT_EQ(Convert({"--format", "8", clip_.string()}).exitStatus, 0);
    EXPECT_FALSE(fs::exists(dead));
    EXPECT_FALSE(fs::exists(unheld));
    EXPECT_TRUE(fs::exists(held));
    close(lock);
}
