#include "CFFmpegEncoder.h"
#include "CommandLine.h"
#include "EncoderTestSupport.h"
#include "JobFixture.h"
#include "Log.h"
#include "TestFiles.h"
#include "TestProcess.h"
#include "Waiting.h"
#include "process/ChildProcess.h"
#include "process/EncoderProcessRunner.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <future>
#include <sys/resource.h>
#include <thread>

using namespace kiv;
using namespace kiv::test;

namespace {

const std::string kEmitter = EMITTER_PATH;

// Records what the runner tells its sink, in order.
class RecordingSink : public CEncoderBase {
public:
    struct Event {
        int code;
        std::string text;
        std::intptr_t value;
    };
    int bMakeSlideShowScript(SlideShow*) override { return 0; }
    int bEncodeSlideShow(SlideShow*) override { return 0; }
    int bMakeSlideShowScriptSilent(SlideShow*) override { return 0; }
    int bRenderSlideShowImages(int) override { return 0; }
    int bMakeSlideShowImageScript(SlideShow*) override { return 0; }
    int bReserved1(int, int, int) override { return 1; }
    int bReserved2(int, int) override { return 1; }
    int bPrepareConvert(ConversionJob*) override { return 0; }
    int bStop() override { return 1; }
    int bRunConvert(const char*, int) override { return 0; }
    int bInit(const EncoderInit*) override { return 1; }
    int bRelease() override { return 1; }
    int bGetMediaFileContent(const char*, ConversionJob*) override { return 0; }
    void SetScriptInput(int) override {}
    ConvertResult LastResult() const override { return {}; }
    const std::string& PreparedCommandLine() const override { return text_; }
    void SetOutputsToKeep(std::set<std::string>) override {}
    void Abort() override {}
    ProgressTracker& Tracker() override { return tracker_; }
    void EndSlideShow() override {}
    std::string text_;
    ProgressTracker tracker_;
    int OnProcessNotify(int code, void* data, int) override {
        std::lock_guard lock(mutex);
        Event event{code, "", 0};
        if (code == NotifyOutputLine) {
            std::unique_ptr<std::string> line(static_cast<std::string*>(data));
            event.text = *line;
        } else if (code == NotifyEnded) {
            event.value = reinterpret_cast<std::intptr_t>(data);
        } else if (code == NotifyStarted) {
            event.value = *static_cast<pid_t*>(data);
        }
        events.push_back(event);
        return 1;
    }
    std::vector<Event> Events() {
        std::lock_guard lock(mutex);
        return events;
    }
    std::vector<std::string> Lines() {
        std::vector<std::string> lines;
        for (const Event& e : Events())
            if (e.code == NotifyOutputLine)
                lines.push_back(e.text);
        return lines;
    }
    std::mutex mutex;
    std::vector<Event> events;
};

// Short bounds for a test's stop, the usual ones again after it.
struct QuickStopBounds {
    explicit QuickStopBounds(int terminateMs, int killMs) {
        EncoderProcessRunner::Instance().SetStopBounds(
            {std::chrono::milliseconds(terminateMs), std::chrono::milliseconds(killMs)});
    }
    ~QuickStopBounds() { EncoderProcessRunner::Instance().SetStopBounds({}); }
};

// Waits (a bounded while) until the condition holds.
int RunCommand(RecordingSink& sink, const std::string& command) {
    EncoderProcessRunner& runner = EncoderProcessRunner::Instance();
    runner.Init(command, &sink, 0);
    return runner.Start();
}

class Runner : public testing::Test {
protected:
    void SetUp() override {
        folder_ = ScratchFolder(
            "runner-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        ASSERT_TRUE(OpenLog((folder_ / "kiv.dmp").string()));
        // A stop another test asked for while nothing ran is not for this one.
        EncoderProcessRunner::Instance().ClearStop();
    }
    void TearDown() override { CloseLog(); }
    std::filesystem::path folder_;
};

} // namespace

TEST(OutputLineSplitter, LinesAcrossBlocksAndCarriageReturns) {
    struct Case {
        std::vector<std::string> blocks;
        std::vector<std::string> lines;
        std::string pending;
    } cases[] = {
        {{"a\r\nb\n"}, {"a", "b"}, ""},       {{"abc", "def\n"}, {"abcdef"}, ""},
        {{"x\r", "\ny\n"}, {"x\r", "y"}, ""}, // a CR that ended the previous block stays
        {{"a\rb\n"}, {"a\rb"}, ""},           // a lone CR stays inside the line
        {{"\r\n", "\n"}, {"", ""}, ""},       {{"one\ntail"}, {"one"}, "tail"},
        {{"q\r\r\n"}, {"q\r"}, ""}, // only one CR is dropped
    };
    for (const Case& c : cases) {
        OutputLineSplitter splitter;
        std::vector<std::string> lines;
        for (const std::string& block : c.blocks)
            for (std::string& line : splitter.Feed(block))
                lines.push_back(line);
        EXPECT_EQ(lines, c.lines) << c.blocks[0];
        EXPECT_EQ(splitter.TakePending(), c.pending);
        EXPECT_EQ(splitter.Pending(), "");
    }
}

TEST(CommandLineSplitter, QuotedAndUnquotedArguments) {
    EXPECT_EQ(SplitCommandLine("\"/a b/enc\" tok  -i \"x y.mp4\" -rc_eq \"blurCplx^(1-qComp)\""),
              (std::vector<std::string>{"/a b/enc", "tok", "-i", "x y.mp4", "-rc_eq",
                                        "blurCplx^(1-qComp)"}));
    EXPECT_EQ(SplitCommandLine("  a\t\tb  "), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(SplitCommandLine("a \"\" b"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(SplitCommandLine("pre\"fix suf\"fix"), (std::vector<std::string>{"prefix suffix"}));
    EXPECT_EQ(SplitCommandLine("\"unterminated arg"),
              (std::vector<std::string>{"unterminated arg"}));
    EXPECT_TRUE(SplitCommandLine("").empty());
    EXPECT_EQ(JoinForDisplay({"ffmpeg", "-i", "a b.mp4", ""}), "ffmpeg -i \"a b.mp4\" \"\"");
}

TEST_F(Runner, DeliversLinesInOrderThenEnds) {
    RecordingSink sink;
    ASSERT_EQ(RunCommand(sink, "\"" + kEmitter + "\" raw \"a\\r\\nb\" \"c\\n\" \"no final feed\""),
              1);
    auto events = sink.Events();
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[0].code, NotifyStarted);
    EXPECT_EQ(sink.Lines(), (std::vector<std::string>{"a", "bc", "no final feed"}));
    EXPECT_EQ(events.back().code, NotifyEnded);
    EXPECT_EQ(events.back().value, 0);
    // Every complete line reaches the log as a line of its own.
    EXPECT_EQ(ReadFile(folder_ / "kiv.dmp"), "a\nbc\n");
}

TEST_F(Runner, ALongBurstAndStandardErrorArriveWhole) {
    RecordingSink sink;
    ASSERT_EQ(RunCommand(sink, kEmitter + " burst 20000"), 1);
    auto lines = sink.Lines();
    ASSERT_EQ(lines.size(), 20000u);
    for (std::size_t i = 0; i < lines.size(); i += 997)
        EXPECT_EQ(lines[i], "line " + std::to_string(i) + " " + std::string(40, 'x'));

    RecordingSink errors;
    ASSERT_EQ(RunCommand(errors, kEmitter + " stderr"), 1);
    EXPECT_EQ(errors.Lines(), std::vector<std::string>{"to stderr"});
}

TEST_F(Runner, AnExecutableThatCannotStartGivesOneEndAndFailure) {
    RecordingSink sink;
    EXPECT_EQ(RunCommand(sink, "\"/nonexistent/enc\" quillon-transcode-gates -i x"), 0);
    auto events = sink.Events();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].code, NotifyEnded);
    EXPECT_NE(events[0].value, 0);

    // Through the encoder: one callback with 100 and a result of 0.
    ProgressRecord record;
    EncoderInit init = MakeInit(record, "/nonexistent/", 0);
    CFFmpegEncoder encoder;
    ASSERT_EQ(encoder.bInit(&init), 1);
    ConversionJob job = MakeJob(12, 0, "x", "y");
    ASSERT_EQ(encoder.bPrepareConvert(&job), 1);
    EXPECT_EQ(encoder.bRunConvert(job.outputPath, job.targetKind), 0);
    EXPECT_EQ(record.Values(), std::vector<int>{100});
    EXPECT_EQ(encoder.LastResult().outcome, ConvertOutcome::Failed);
    EXPECT_EQ(encoder.LastResult().reason,
              "the encoder could not be started: No such file or directory");
}

TEST_F(Runner, StopEndsTheChildAndLaterLinesAreIgnored) {
    std::filesystem::create_symlink(kEmitter, folder_ / "enc");
    setenv("KIV_EMITTER_MODE", "ticker", 1);
    ProgressRecord record;
    EncoderInit init = MakeInit(record, folder_.string() + "/", 0);
    CFFmpegEncoder encoder;
    ASSERT_EQ(encoder.bInit(&init), 1);
    ConversionJob job = MakeJob(12, 0, "x", "y");
    job.hasVideo = 0; // status lines carry time= third
    SetText(job.trimStart, "");
    SetText(job.trimEnd, "00:10:00");
    ASSERT_EQ(encoder.bPrepareConvert(&job), 1);
    ASSERT_EQ(encoder.ProgressTotal(), 600);

    auto run = std::async(std::launch::async,
                          [&] { return encoder.bRunConvert(job.outputPath, job.targetKind); });
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (record.Values().size() < 8 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_GE(record.Values().size(), 8u);
    encoder.bStop();
    ASSERT_EQ(run.wait_for(std::chrono::seconds(20)), std::future_status::ready);
    EXPECT_EQ(run.get(), 1);
    EXPECT_EQ(encoder.LastResult().outcome, ConvertOutcome::Stopped);
    EXPECT_FALSE(encoder.LastResult().outputWritten); // the emitter writes no file
    auto values = record.Values();
    // Percentages rose from 0, then the stop reported 100 once and nothing
    // followed (the "finishing" lines were ignored, and no end was reported).
    EXPECT_EQ(values.back(), 100);
    EXPECT_EQ(std::count(values.begin(), values.end(), 100), 1);
    EXPECT_EQ(values.front(), 0);
    EXPECT_GE(values[values.size() - 2], 1);
    std::string log = ReadFile(folder_ / "kiv.dmp");
    EXPECT_NE(log.find("finishing 2"), std::string::npos); // logged all the same
    unsetenv("KIV_EMITTER_MODE");
}

TEST_F(Runner, AChildThatIgnoresTheStopIsEndedAllTheSame) {
    QuickStopBounds bounds(500, 30000);
    RecordingSink sink;
    EncoderProcessRunner& runner = EncoderProcessRunner::Instance();
    runner.Init(kEmitter + " stubborn", &sink, 0);
    auto run = std::async(std::launch::async, [&] { return runner.Start(); });
    ASSERT_TRUE(Eventually([&] { return sink.Lines().size() >= 3; }));
    runner.Stop(&sink);
    ASSERT_EQ(run.wait_for(std::chrono::seconds(30)), std::future_status::ready);
    EXPECT_EQ(run.get(), 1);
    ChildEnd end = runner.LastChildEnd();
    EXPECT_TRUE(end.stopRequested);
    EXPECT_FALSE(end.exited); // terminated by the escalation
    EXPECT_EQ(end.signal, SIGTERM);
    auto events = sink.Events();
    EXPECT_EQ(std::count_if(events.begin(), events.end(),
                            [](auto& e) { return e.code == NotifyStopped; }),
              1);
    EXPECT_EQ(
        std::count_if(events.begin(), events.end(), [](auto& e) { return e.code == NotifyEnded; }),
        0);

    // A child that needs long to finish after SIGTERM (FFmpeg flushing its
    // file) hears it once: FFmpeg leaves at once, its file unfinished, from
    // the fourth signal on.
    RecordingSink slow;
    runner.Init(kEmitter + " slowstop", &slow, 0);
    run = std::async(std::launch::async, [&] { return runner.Start(); });
    ASSERT_TRUE(Eventually([&] { return slow.Lines().size() >= 3; }));
    runner.Stop(&slow);
    ASSERT_EQ(run.wait_for(std::chrono::seconds(30)), std::future_status::ready);
    end = runner.LastChildEnd();
    EXPECT_TRUE(end.exited);
    EXPECT_EQ(end.exitCode, 1) << "SIGTERMs received";

    // SIGTERM reaches the child alone, which passes it on as enc does: the
    // rest of its group (FFmpeg) hears it once, not twice, and so can still
    // write its file's index.
    RecordingSink family;
    runner.Init(kEmitter + " helper", &family, 0);
    run = std::async(std::launch::async, [&] { return runner.Start(); });
    ASSERT_TRUE(Eventually([&] { return family.Lines().size() >= 3; }));
    runner.Stop(&family);
    ASSERT_EQ(run.wait_for(std::chrono::seconds(30)), std::future_status::ready);
    end = runner.LastChildEnd();
    EXPECT_TRUE(end.exited);
    EXPECT_EQ(end.exitCode, 0) << "SIGTERMs the rest of the group received";

    // Abandoned, while a helper it started outside its group keeps the
    // output open: the run ends all the same, soon after the group's kill.
    RecordingSink held;
    runner.Init(kEmitter + " escapee", &held, 0);
    run = std::async(std::launch::async, [&] { return runner.Start(); });
    ASSERT_TRUE(Eventually([&] { return held.Lines().size() >= 3; }));
    const pid_t helper = std::stoi(held.Lines().front().substr(std::strlen("helper ")));
    runner.Abort();
    const bool ended = run.wait_for(std::chrono::seconds(60)) == std::future_status::ready;
    kill(helper, SIGKILL);
    ASSERT_TRUE(ended);
    EXPECT_FALSE(runner.LastChildEnd().exited);
}

TEST_F(Runner, APausedChildStandsStillGoesOnAndCanBeStopped) {
    RecordingSink sink;
    EncoderProcessRunner& runner = EncoderProcessRunner::Instance();
    runner.Init(kEmitter + " ticker", &sink, 0);
    auto run = std::async(std::launch::async, [&] { return runner.Start(); });
    ASSERT_TRUE(Eventually([&] { return sink.Lines().size() >= 3; }));
    pid_t child = 0;
    for (const auto& event : sink.Events())
        child = event.code == NotifyStarted ? pid_t(event.value) : child;
    ASSERT_GT(child, 0);

    runner.Pause();
    EXPECT_TRUE(runner.Paused());
    ASSERT_TRUE(Eventually([&] { return ProcessState(child) == 'T'; }));
    // What it wrote before is read, then nothing more comes.
    EXPECT_TRUE(Settled([&] { return sink.Lines().size(); }));
    std::size_t held = sink.Lines().size();

    runner.Resume();
    EXPECT_FALSE(runner.Paused());
    ASSERT_TRUE(Eventually([&] { return sink.Lines().size() >= held + 3; }));

    // Paused again, a stop still reaches it: it is resumed to hear the "q".
    runner.Pause();
    ASSERT_TRUE(Eventually([&] { return ProcessState(child) == 'T'; }));
    runner.Stop(&sink);
    ASSERT_EQ(run.wait_for(std::chrono::seconds(20)), std::future_status::ready);
    EXPECT_FALSE(runner.Paused());
    ChildEnd end = runner.LastChildEnd();
    EXPECT_TRUE(end.stopRequested);
    EXPECT_TRUE(end.exited);
    EXPECT_EQ(end.exitCode, 0);
    EXPECT_EQ(sink.Lines().back(), "finishing 2");
}

// A thread that lowered its own priority (the window's batch thread) still
// starts its encoders at normal priority.
TEST_F(Runner, ChildrenOfALowPriorityThreadRunAtNormalPriority) {
    StartSpawnerThread(); // as the front ends do when they make their encoder
    int before = getpriority(PRIO_PROCESS, 0);
    std::vector<std::string> lines;
    std::thread([&] {
        setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 15);
        RecordingSink sink;
        RunCommand(sink, kEmitter + " nice");
        lines = sink.Lines();
    }).join();
    EXPECT_EQ(lines, std::vector<std::string>{"nice " + std::to_string(before)});
}
