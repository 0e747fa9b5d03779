// Whole conversions through the controller, the runner, enc and FFmpeg.

#include "CEncoderCntl.h"
#include "Catalogue.h"
#include "EncoderTestSupport.h"
#include "Log.h"
#include "TestFiles.h"
#include "TestMedia.h"
#include "TestProcess.h"
#include "Waiting.h"
#include "media/MediaDetector.h"
#include "runs/BatchLoop.h"
#include "runs/JobBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <future>
#include <mutex>
#include <thread>
#include <tuple>

using namespace kiv;
using namespace kiv::test;

namespace {

class Conversion : public testing::Test {
protected:
    void SetUp() override {
        folder_ = ScratchFolder(testing::UnitTest::GetInstance()->current_test_info()->name());
        ASSERT_TRUE(OpenLog((folder_ / "kiv.dmp").string()));
        init_ = MakeInit(record_, BinDirectory(), 0);
        ASSERT_EQ(controller_.bCreateEncoder(&init_), 1);
    }
    void TearDown() override { CloseLog(); }
    // The end of the engine's log, to say why a stop kept no playable file.
    std::string LogTail() const {
        const std::string log = ReadFile(folder_ / "kiv.dmp");
        return log.substr(log.size() > 3000 ? log.size() - 3000 : 0);
    }

    ConversionJob Prepare(const std::string& source, int category, int profile,
                          const std::string& start, const std::string& end) {
        ConversionJob job;
        EXPECT_EQ(ProbeIntoJob(controller_, source, job), 1);
        MediaProfile chosen;
        EXPECT_TRUE(GetProfile(category, profile, chosen));
        EXPECT_TRUE(PrepareJobForConversion(
            job, chosen, GetCategory(category)->Target,
            {folder_.string(), start, end, (folder_ / "edit.avs").string()}));
        return job;
    }

    std::filesystem::path folder_;
    ProgressRecord record_;
    EncoderInit init_{};
    CEncoderCntl controller_;
};

} // namespace

TEST_F(Conversion, ReportsRisingPercentagesEndingInOneHundred) {
    ASSERT_TRUE(MakeClip(folder_ / "clip.mp4", 12, "640x360"));
    ConversionJob job = Prepare((folder_ / "clip.mp4").string(), 5, 0, "00:00:00", "00:00:13");
    ASSERT_EQ(controller_.bDoConvert(&job), 1);
    auto values = record_.Values();
    ASSERT_FALSE(values.empty());
    EXPECT_EQ(values.back(), 100);
    int last = 0, rises = 0;
    for (std::size_t i = 0; i + 1 < values.size(); ++i) {
        if (values[i] == 0)
            continue;
        EXPECT_GE(values[i], last);
        rises += values[i] > last;
        last = values[i];
    }
    EXPECT_GE(rises, 2);
    MediaFacts facts;
    ASSERT_EQ(DetectMedia(job.outputPath, facts), 0);
    EXPECT_EQ(facts.width, 640);
    EXPECT_NEAR(facts.duration, 12.0, 0.6);
}

TEST_F(Conversion, ATrimmedConversionReachesNinetyPercentBeforeItsEnd) {
    // A heavy profile, so that the encoder reports progress many times.
    ASSERT_TRUE(MakeClip(folder_ / "clip.mp4", 30, "640x360"));
    ConversionJob job = Prepare((folder_ / "clip.mp4").string(), 5, 15, "00:00:10", "00:00:25");
    ASSERT_EQ(controller_.bDoConvert(&job), 1);
    auto values = record_.Values();
    ASSERT_GE(values.size(), 2u);
    EXPECT_EQ(values.back(), 100);
    EXPECT_GE(*std::max_element(values.begin(), values.end() - 1), 90)
        << testing::PrintToString(values);
    MediaFacts facts;
    ASSERT_EQ(DetectMedia(job.outputPath, facts), 0);
    EXPECT_NEAR(facts.duration, 15.0, 0.6);
}

// Convert a file, convert it again and stop midway, or fail: the first
// output stays byte for byte; the stop keeps what it wrote under a name that
// says it is incomplete.
TEST_F(Conversion, AStopOrAFailureLeavesAnEarlierOutputAsItWas) {
    std::filesystem::create_directories(folder_ / "first");
    ASSERT_TRUE(MakeClip(folder_ / "first" / "long.mp4", 2, "640x360"));
    ConversionJob first =
        Prepare((folder_ / "first" / "long.mp4").string(), 5, 15, "00:00:00", "00:00:03");
    ASSERT_EQ(controller_.bDoConvert(&first), 1);
    const std::string output = first.outputPath;
    const std::string earlier = ReadFile(output);
    ASSERT_FALSE(earlier.empty());

    const std::filesystem::path source = folder_ / "long.mp4";
    ASSERT_TRUE(MakeClip(source, 40, "640x360"));
    ConversionJob job = Prepare(source.string(), 5, 15, "00:00:00", "00:00:41");
    const std::size_t before = record_.Values().size();
    auto run = std::async(std::launch::async, [&] { return controller_.bDoConvert(&job); });
    ASSERT_TRUE(Eventually([&] {
        auto values = record_.Values();
        return std::any_of(values.begin() + std::ptrdiff_t(before), values.end(),
                           [](int v) { return v >= 2 && v < 100; });
    }));
    controller_.StopConvert();
    // FFmpeg may take long to finish the file on a loaded machine; the stop
    // escalates only after EncoderProcessRunner::StopBounds.
    ASSERT_EQ(run.wait_for(std::chrono::seconds(60)), std::future_status::ready);
    EXPECT_EQ(run.get(), 1);
    EXPECT_EQ(record_.Values().back(), 100);
    const ConvertResult stopped = controller_.LastResult();
    EXPECT_EQ(stopped.outcome, ConvertOutcome::Stopped);
    EXPECT_EQ(stopped.partialPath, (folder_ / "long_libx264_libfaac (partial).mp4").string());
    MediaFacts facts;
    ASSERT_EQ(DetectMedia(stopped.partialPath, facts), 0) << LogTail();
    EXPECT_EQ(facts.hasVideo, 1);
    EXPECT_GT(facts.duration, 0.2);
    EXPECT_LT(facts.duration, 35.0);
    EXPECT_EQ(ReadFile(output), earlier);

    WriteFile(source, "no video any more");
    EXPECT_EQ(controller_.bDoConvert(&job), 0);
    EXPECT_EQ(controller_.LastResult().outcome, ConvertOutcome::Failed);
    EXPECT_EQ(ReadFile(output), earlier);
    for (const auto& entry : std::filesystem::directory_iterator(folder_))
        EXPECT_EQ(entry.path().filename().string().find(".kivtmp-"), std::string::npos);
}

namespace {

// Rows over a few jobs that record what the batch told them; BeginRow can
// run an action, as a window's Stop button might while the row starts.
struct RecordedRows : BatchRows {
    std::vector<ConversionJob> jobs;
    std::vector<bool> checked;
    std::vector<std::string> events;
    std::function<void(int)> onBegin;
    std::mutex mutex; // progress is read while the batch runs
    std::vector<std::pair<ProgressFigures, BatchPosition>> progress;

    int RowCount() override { return static_cast<int>(jobs.size()); }
    bool IsChecked(int row) override { return checked[std::size_t(row)]; }
    ConversionJob Job(int row) override { return jobs[std::size_t(row)]; }
    TrimRange Trim(int) override { return {}; }
    void BeginRow(int row) override {
        events.push_back("begin " + std::to_string(row));
        if (onBegin)
            onBegin(row);
    }
    void RowProgress(int, const ProgressFigures& figures, const BatchPosition& batch) override {
        std::lock_guard lock(mutex);
        progress.emplace_back(figures, batch);
    }
    std::vector<std::pair<ProgressFigures, BatchPosition>> Progress() {
        std::lock_guard lock(mutex);
        return progress;
    }
    void SourceMissing(int row, const std::string&) override {
        events.push_back("missing " + std::to_string(row));
    }
    // A row that failed or finished is done, as the window's rows are.
    void RowFailed(int row, const RowFailure& failure) override {
        events.push_back("failed " + std::to_string(row) +
                         (failure.kind == FailureKind::NoSound ? " (no sound)" : "") + ": " +
                         failure.reason);
        jobs[std::size_t(row)].done = 1;
    }
    void RowFinished(int row, const std::string& output, const std::string& warning) override {
        events.push_back("finished " + std::to_string(row) + " " + Name(output) +
                         (warning.empty() ? "" : ": " + warning));
        jobs[std::size_t(row)].done = 1;
    }
    void RowStopped(int row, const std::string& partial) override {
        events.push_back("stopped " + std::to_string(row) + (partial.empty() ? "" : " ") +
                         Name(partial));
    }
    static std::string Name(const std::string& path) {
        return std::filesystem::path(path).filename().string();
    }
};

} // namespace

TEST_F(Conversion, TheBatchSkipsKeepsItsOutputsAndNeverLosesAStop) {
    ASSERT_TRUE(MakeClip(folder_ / "a.part1.mp4", 2));
    ASSERT_TRUE(MakeClip(folder_ / "a.part2.mp4", 2));
    RecordedRows rows;
    for (const char* name : {"a.part1.mp4", "a.part2.mp4", "a.part1.mp4", "a.part2.mp4"}) {
        rows.jobs.emplace_back();
        ASSERT_EQ(ProbeIntoJob(controller_, (folder_ / name).string(), rows.jobs.back()), 1);
    }
    rows.checked = {true, true, false, true};
    rows.jobs[3].done = 1;
    BatchPlan plan{};
    ASSERT_TRUE(GetProfile(8, 0, plan.profile));
    plan.targetKind = GetCategory(8)->Target;
    plan.outputFolder = (folder_ / "out").string();
    plan.inputScriptPath = (folder_ / "edit.avs").string();
    std::filesystem::create_directories(plan.outputFolder);

    BatchReport report = RunBatch(controller_, rows, plan);
    EXPECT_EQ(report.end, BatchEnd::Finished);
    EXPECT_EQ(report.converted, 2);
    EXPECT_EQ(rows.events,
              (std::vector<std::string>{"begin 0", "finished 0 a_h263_libfaac.3gp", "begin 1",
                                        "finished 1 a_h263_libfaac (2).3gp"}));
    // Each row began as file n of 2, its share of the batch before it done.
    auto progress = rows.Progress();
    ASSERT_GE(progress.size(), 2u);
    EXPECT_EQ(progress.front().second.fileNumber, 1);
    EXPECT_EQ(progress.front().second.fileCount, 2);
    EXPECT_EQ(progress.front().second.fraction, 0);
    EXPECT_EQ(progress.back().second.fileNumber, 2);
    EXPECT_GT(progress.back().second.fraction, 0.4);
    EXPECT_EQ(rows.jobs[0].done, 1);
    EXPECT_EQ(controller_.LastResult().outcome, ConvertOutcome::Done);

    // A stop that comes while no encoder runs (here: as row 2 begins) stops
    // that row before anything starts; the row stays waiting.
    rows.events.clear();
    rows.checked = {true, true, true, true};
    rows.onBegin = [this](int) { controller_.StopConvert(); };
    report = RunBatch(controller_, rows, plan);
    EXPECT_EQ(report.end, BatchEnd::Stopped);
    EXPECT_EQ(report.stopped, 0); // nothing was cut off
    EXPECT_EQ(BatchSummary(report).rfind("0 converted, stopped after 0:0", 0), 0u);
    EXPECT_EQ(rows.events, (std::vector<std::string>{"begin 2", "stopped 2"}));
    EXPECT_EQ(rows.jobs[2].done, 0);
    EXPECT_EQ(controller_.LastResult().outcome, ConvertOutcome::Stopped);

    // A stop left over from before a batch is not for that batch.
    rows.events.clear();
    rows.onBegin = nullptr;
    controller_.StopConvert();
    EXPECT_EQ(RunBatch(controller_, rows, plan).end, BatchEnd::Finished);
    EXPECT_EQ(rows.events, (std::vector<std::string>{"begin 2", "finished 2 a_h263_libfaac.3gp"}));

    // A source that is gone ends the batch; the row stays waiting.
    rows.events.clear();
    rows.jobs[2].done = 0;
    std::filesystem::remove(folder_ / "a.part1.mp4");
    EXPECT_EQ(RunBatch(controller_, rows, plan).end, BatchEnd::SourceMissing);
    EXPECT_EQ(rows.events[1], "missing 2");
    EXPECT_EQ(rows.jobs[2].done, 0);
}

// What a batch reports of sources that are not what they claim: a file
// without sound for a profile that makes sound only fails at once and the
// batch goes on; a download cut short converts as far as it goes, with a
// warning that names where it ends; a missing file ends the window's batch
// but not one that goes on after failures.
TEST_F(Conversion, SourcesCutShortOrWithoutSoundAreToldAndTheBatchGoesOn) {
    ASSERT_TRUE(MakeMedia(folder_ / "silent.mp4",
                          {"-f", "lavfi", "-i", "testsrc=s=160x120:r=25:d=3", "-c:v", "libx264"}));
    ASSERT_TRUE(MakeTone(folder_ / "tone.wav", 3));
    // Its header (at its start) says 8 seconds; the data breaks off after 3.
    ASSERT_TRUE(MakeMedia(folder_ / "whole.m4a", {"-f", "lavfi", "-i", "sine=d=8", "-c:a", "aac",
                                                  "-movflags", "+faststart"}));
    std::string whole = ReadFile(folder_ / "whole.m4a");
    WriteFile(folder_ / "cut.m4a", whole.substr(0, whole.size() * 4 / 10));
    RecordedRows rows;
    for (const char* name : {"silent.mp4", "cut.m4a", "tone.wav"}) {
        rows.jobs.emplace_back();
        ASSERT_EQ(ProbeIntoJob(controller_, (folder_ / name).string(), rows.jobs.back()), 1);
    }
    rows.checked = {true, true, true};
    BatchPlan plan{};
    ASSERT_TRUE(GetProfile(10, 3, plan.profile)); // FLAC (lossless)
    plan.targetKind = GetCategory(10)->Target;
    plan.outputFolder = (folder_ / "sound").string();
    plan.inputScriptPath = (folder_ / "edit.avs").string();
    std::filesystem::create_directories(plan.outputFolder);

    BatchReport report = RunBatch(controller_, rows, plan);
    EXPECT_EQ(report.end, BatchEnd::Finished);
    EXPECT_EQ(report.failed, 1);
    EXPECT_EQ(report.converted, 2);
    EXPECT_EQ(rows.events,
              (std::vector<std::string>{
                  "begin 0",
                  "failed 0 (no sound): the file has no sound, and the profile makes sound only",
                  "begin 1", "finished 1 cut.flac: the source ends at 0:03 of 0:08", "begin 2",
                  "finished 2 tone.flac"}));

    rows.events.clear();
    for (ConversionJob& job : rows.jobs)
        job.done = 0;
    rows.checked = {false, true, true};
    std::filesystem::remove(folder_ / "cut.m4a");
    plan.goOnAfterFailure = true;
    report = RunBatch(controller_, rows, plan);
    EXPECT_EQ(report.end, BatchEnd::Finished);
    EXPECT_EQ(rows.events, (std::vector<std::string>{"begin 1", "missing 1", "begin 2",
                                                     "finished 2 tone.flac"}));
    EXPECT_EQ(BatchSummary(report).rfind("1 converted, 1 failed in 0:0", 0), 0u);
}

// Pause holds the encoder and FFmpeg and freezes the time left; Stop ends
// the batch, keeps what was written as a partial file and leaves the row
// waiting; the next batch converts that row again, whole, and the rest.
TEST_F(Conversion, APausedBatchStandsStillAStopKeepsAPartialFileAndTheNextBatchStartsOver) {
    ASSERT_TRUE(MakeClip(folder_ / "long.mp4", 20, "640x360"));
    ASSERT_TRUE(MakeClip(folder_ / "b.mp4", 2));
    RecordedRows rows;
    for (const char* name : {"long.mp4", "b.mp4"}) {
        rows.jobs.emplace_back();
        ASSERT_EQ(ProbeIntoJob(controller_, (folder_ / name).string(), rows.jobs.back()), 1);
    }
    rows.checked = {true, true};
    BatchPlan plan{};
    ASSERT_TRUE(GetProfile(5, 15, plan.profile)); // heavy: many status lines
    plan.targetKind = GetCategory(5)->Target;
    plan.outputFolder = (folder_ / "out").string();
    plan.inputScriptPath = (folder_ / "edit.avs").string();
    std::filesystem::create_directories(plan.outputFolder);
    auto until = [](auto condition) {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(90);
        while (!condition() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return condition();
    };

    auto batch = std::async(std::launch::async, [&] { return RunBatch(controller_, rows, plan); });
    ASSERT_TRUE(until([&] { return controller_.CurrentFigures().percent >= 3; }));
    controller_.PauseConvert();
    EXPECT_TRUE(controller_.IsPaused());
    const std::string out = plan.outputFolder;
    ASSERT_TRUE(until([&] {
        std::vector<pid_t> pids = PidsMentioning(out); // enc and FFmpeg
        return pids.size() == 2 && std::all_of(pids.begin(), pids.end(),
                                               [](pid_t pid) { return ProcessState(pid) == 'T'; });
    }));
    // What was written before is read, then nothing moves: no status line,
    // and the time spent and the time left stand still.
    EXPECT_TRUE(Settled([&] {
        const ProgressFigures figures = controller_.CurrentFigures();
        return std::tuple(rows.Progress().size(), figures.elapsedSeconds, figures.secondsLeft);
    }));
    EXPECT_TRUE(controller_.CurrentFigures().paused);
    const std::size_t heldLines = rows.Progress().size();

    controller_.ResumeConvert();
    EXPECT_FALSE(controller_.CurrentFigures().paused);
    ASSERT_TRUE(until([&] { return rows.Progress().size() >= heldLines + 2; }));
    controller_.StopConvert();
    ASSERT_EQ(batch.wait_for(std::chrono::seconds(60)), std::future_status::ready);
    BatchReport report = batch.get();
    EXPECT_EQ(report.end, BatchEnd::Stopped);
    EXPECT_EQ(report.stopped, 1);
    EXPECT_EQ(report.converted, 0);
    EXPECT_EQ(rows.events, (std::vector<std::string>{
                               "begin 0", "stopped 0 long_libx264_libfaac (partial).mp4"}));
    EXPECT_EQ(rows.jobs[0].done, 0);
    EXPECT_FALSE(std::filesystem::exists(folder_ / "out" / "long_libx264_libfaac.mp4"));
    MediaInspection partial =
        Inspect((folder_ / "out" / "long_libx264_libfaac (partial).mp4").string());
    EXPECT_TRUE(partial.opened) << LogTail();
    EXPECT_GT(partial.seconds, 0.2);
    EXPECT_LT(partial.seconds, 18);

    rows.events.clear();
    report = RunBatch(controller_, rows, plan);
    EXPECT_EQ(report.end, BatchEnd::Finished);
    EXPECT_EQ(report.converted, 2);
    EXPECT_EQ(rows.events,
              (std::vector<std::string>{"begin 0", "finished 0 long_libx264_libfaac.mp4", "begin 1",
                                        "finished 1 b_libx264_libfaac.mp4"}));
    EXPECT_NEAR(Inspect((folder_ / "out" / "long_libx264_libfaac.mp4").string()).seconds, 20, 0.6);
    EXPECT_TRUE(std::filesystem::exists(folder_ / "out" / "long_libx264_libfaac (partial).mp4"));
    // The time left was told once there were a few seconds of data.
    auto progress = rows.Progress();
    EXPECT_TRUE(std::any_of(progress.begin(), progress.end(),
                            [](const auto& p) { return p.first.secondsLeft.has_value(); }));
}
