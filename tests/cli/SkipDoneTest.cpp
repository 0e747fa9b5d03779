// kiv-convert --skip-done: a run started again converts only what is not
// there whole, and the recipe for many machines (GNU parallel over a list,
// killed half way and started again) ends with every output whole and
// nothing else in the folder.

#include "TestFiles.h"
#include "TestMedia.h"
#include "TestProcess.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>

#include <csignal>
#include <thread>

using namespace kiv::test;

namespace {

namespace fs = std::filesystem;

class SkipDone : public testing::Test {
protected:
    void SetUp() override {
        home_ = ScratchFolder("skip-done");
        out_ = home_ / "out";
        fs::create_directories(out_);
    }
    std::vector<std::string> Command(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {BinDirectory() + "kiv-convert", "--format", "0",
                                             "--profile", "0", "--output-dir", out_.string()});
        return arguments;
    }
    std::vector<std::string> Environment() { return {"KIV_HOME=" + home_.string()}; }
    fs::path Output(const std::string& name) { return out_ / (name + "_divx_libmp3lame.avi"); }
    // The outputs in the folder, and anything else found there.
    int Outputs(int& others) {
        int outputs = 0;
        others = 0;
        for (const fs::directory_entry& entry : fs::directory_iterator(out_)) {
            const std::string name = entry.path().filename().string();
            const bool whole = name.ends_with("_divx_libmp3lame.avi") && name[0] != '.' &&
                               name.find("(partial") == std::string::npos;
            (whole ? outputs : others) += 1;
        }
        return outputs;
    }
    fs::path home_, out_;
};

QJsonObject LastJson(const std::string& out) {
    const std::vector<std::string> lines = Lines(out);
    return lines.empty()
               ? QJsonObject()
               : QJsonDocument::fromJson(QByteArray::fromStdString(lines.back())).object();
}

} // namespace

TEST_F(SkipDone, SkipsExactlyTheCompleteOutputs) {
    const std::vector<std::string> names = {"whole", "partial", "cut", "stale"};
    std::vector<std::string> files;
    for (const std::string& name : names) {
        ASSERT_TRUE(MakeClip(home_ / (name + ".mp4"), 3, "160x120"));
        files.push_back((home_ / (name + ".mp4")).string());
    }
    std::vector<std::string> run = Command({"--skip-done", "--json"});
    run.insert(run.end(), files.begin(), files.end());
    ProgramResult first = RunProgram(run, Environment());
    ASSERT_EQ(first.exitStatus, 0) << first.err;
    EXPECT_EQ(LastJson(first.out)["converted"].toInt(), 4);

    // What a stop, a broken copy, a newer source and a killed run leave.
    const fs::path whole = Output("whole");
    const auto wholeWritten = fs::last_write_time(whole);
    const fs::path kept = out_ / "partial_divx_libmp3lame (partial).avi";
    fs::rename(Output("partial"), kept);
    const std::string bytes = ReadFile(Output("cut"));
    WriteFile(Output("cut"), bytes.substr(0, bytes.size() * 2 / 3));
    fs::last_write_time(files[3], fs::last_write_time(Output("stale")) + std::chrono::seconds(5));
    WriteFile(out_ / ".whole_divx_libmp3lame.kivtmp-999999.avi", "left by a killed run");
    WriteFile(out_ / "whole_divx_libmp3lame (partial 2).avi", "left by a stop");

    std::vector<std::string> dry = Command({"--skip-done", "--dry-run"});
    dry.insert(dry.end(), files.begin(), files.end());
    ProgramResult planned = RunProgram(dry, Environment());
    ASSERT_EQ(planned.exitStatus, 0) << planned.err;
    EXPECT_EQ(Lines(planned.out).size(), 3u) << planned.out;
    EXPECT_EQ(planned.err,
              "kiv-convert: '" + files[0] + "' is done already: " + whole.string() + "\n");

    ProgramResult again = RunProgram(run, Environment());
    ASSERT_EQ(again.exitStatus, 0) << again.err;
    const QJsonObject summary = LastJson(again.out);
    EXPECT_EQ(summary["converted"].toInt(), 3) << again.out;
    EXPECT_EQ(summary["skipped"].toInt(), 1) << again.out;
    EXPECT_NE(again.out.find("{\"file\":\"" + files[0] + "\",\"state\":\"skipped\",\"output\":\"" +
                             whole.string() + "\",\"result\":\"skipped\"}\n"),
              std::string::npos)
        << again.out;
    EXPECT_EQ(fs::last_write_time(whole), wholeWritten); // not written again
    int others = 0;
    EXPECT_EQ(Outputs(others), 4);
    EXPECT_EQ(others, 0) << "partial and temporary files of whole outputs are removed";
    for (const std::string& name : names)
        EXPECT_NEAR(Inspect(Output(name).string()).seconds, 3, 0.3) << name;

    // Nothing left to do: nothing converts, and the run says so.
    ProgramResult done = RunProgram(Command({"--skip-done", files[1], files[2]}), Environment());
    EXPECT_EQ(done.exitStatus, 0);
    EXPECT_NE(done.err.find("kiv-convert: No file converted, 2 done already\n"), std::string::npos)
        << done.err;
}

// The many-machines recipe on one machine: GNU parallel with two job slots
// over a list of 12 files, stopped half way as a cluster stops a job (TERM
// to parallel, which passes it on to the running conversions), then the
// same command again.
TEST_F(SkipDone, GnuParallelStoppedHalfWayAndRunAgainEndsWithEveryOutputWhole) {
    ASSERT_EQ(RunProgram({"parallel", "--version"}).exitStatus, 0)
        << "GNU parallel is missing: tools/install-deps.sh installs it";
    std::string list;
    for (int i = 1; i <= 12; ++i) {
        const fs::path clip = home_ / ("clip" + std::to_string(i) + ".mp4");
        ASSERT_TRUE(MakeClip(clip, 1, "160x120"));
        list += clip.string() + "\n";
    }
    WriteFile(home_ / "list.txt", list);
    // Conversions at the source's own pace, so the stop finds some running.
    const fs::path paced = home_ / "paced-ffmpeg";
    WriteFile(paced, "#!/bin/sh\nexec ffmpeg -re \"$@\"\n");
    fs::permissions(paced, fs::perms::owner_all);
    std::vector<std::string> recipe = {"parallel",
                                       "--will-cite",
                                       "-j2",
                                       "--joblog",
                                       (home_ / "joblog").string(),
                                       "-a",
                                       (home_ / "list.txt").string()};
    for (const std::string& argument : Command({"--skip-done", "--quiet", "{}"}))
        recipe.push_back(argument);
    std::vector<std::string> environment = Environment();
    environment.push_back("KIV_FFMPEG=" + paced.string());

    pid_t first = StartProgram(recipe, environment, (home_ / "first.out").string(),
                               (home_ / "first.err").string());
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    int others = 0;
    while (Outputs(others) < 4 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    kill(first, SIGTERM);
    EXPECT_NE(WaitProgram(first, std::chrono::seconds(60)), 0);
    const int before = Outputs(others);
    EXPECT_LT(before, 12) << "the first run was not stopped half way";

    ProgramResult again = RunProgram(recipe, environment, std::chrono::seconds(300));
    EXPECT_EQ(again.exitStatus, 0) << again.err << ReadFile(home_ / "kiv-convert.log");
    EXPECT_EQ(Outputs(others), 12);
    EXPECT_EQ(others, 0) << "a partial or temporary file is left";
    for (int i = 1; i <= 12; ++i) {
        const std::string output = Output("clip" + std::to_string(i)).string();
        EXPECT_NEAR(Inspect(output).seconds, 1, 0.2) << output;
    }
}
