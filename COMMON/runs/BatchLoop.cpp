#include "runs/BatchLoop.h"

#include "FixedText.h"
#include "Log.h"
#include "TargetKind.h"
#include "Vocabularies.h"
#include "media/MediaDetector.h"

#include "runs/FilesAtOnce.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <map>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

namespace kiv {

bool IsSoundOnlyKind(int targetKind) {
    return (targetKind >= KindNumber(TargetKind::WmaAudio) &&
            targetKind <= KindNumber(TargetKind::MmfAudio)) ||
           targetKind == KindNumber(TargetKind::ModernAudio);
}

std::string ShortOutputWarning(double startSeconds, double endSeconds, double outputSeconds) {
    const double expected = endSeconds - startSeconds;
    const double missing = expected - outputSeconds;
    if (!(missing > 2 && missing > 0.05 * expected))
        return {};
    return "the source ends at " + ShortClock(startSeconds + outputSeconds) + " of " +
           ShortClock(endSeconds);
}

namespace {

constexpr const char* kNoSound = "the file has no sound, and the profile makes sound only";

// The input script of a lane: the plan's for the first, "edit-2.avs" and so
// on for the others, so that lanes never write one another's.
std::string LaneScriptPath(const std::string& planned, int lane) {
    if (lane == 0 || planned.empty())
        return planned;
    const std::size_t dot = planned.rfind('.');
    const std::size_t slash = planned.rfind('/');
    const std::string suffix = "-" + std::to_string(lane + 1);
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return planned + suffix;
    return planned.substr(0, dot) + suffix + planned.substr(dot);
}

// One batch from its first row to its end. Each lane (a controller with its
// own encoder process) takes the next waiting row in list order until none
// is left or the batch ends; with one lane that is the calling thread alone.
class Batch {
public:
    Batch(CEncoderCntl& controller, BatchRows& rows, const BatchPlan& plan, int lanes)
        : controller_(controller), rows_(rows), plan_(plan), laneSeconds_(std::size_t(lanes)) {}

    BatchReport Report() {
        std::lock_guard lock(mutex_);
        BatchReport report = report_;
        // Lanes convert side by side: the batch took as long as its longest.
        report.seconds = *std::max_element(laneSeconds_.begin(), laneSeconds_.end());
        return report;
    }

    BatchReport Run() {
        const int lanes = static_cast<int>(laneSeconds_.size());
        if (lanes == 1) {
            Work(controller_, 0);
            return Report();
        }
        std::vector<std::thread> others;
        for (int lane = 1; lane < lanes; ++lane)
            others.emplace_back([this, lane] { GuardedWork(lane); });
        GuardedWork(0);
        for (std::thread& other : others)
            other.join();
        return Report();
    }

private:
    // Where a running row stands, to weigh it in the batch's fraction.
    struct Running {
        double seconds = 0;
        double fraction = 0;
    };

    CEncoderCntl& controller_;
    BatchRows& rows_;
    const BatchPlan& plan_;
    // Guards everything below: the lanes share it.
    std::mutex mutex_;
    BatchReport report_;
    std::vector<double> laneSeconds_; // converting seconds of each lane
    std::set<std::string> written_ = plan_.outputsToKeep;
    std::set<std::string> reserved_; // outputs of the rows that run now
    std::map<int, Running> running_;
    int next_ = 0;        // the first row no lane has looked at
    bool ending_ = false; // a stop or a failure ends the batch: no row starts
    int begun_ = 0;
    int fileCount_ = 0;       // as the latest row began
    double doneSeconds_ = 0;  // media of the rows this batch has converted
    double batchSeconds_ = 1; // media of the whole batch, as far as known now
    std::atomic<bool> goOn_{plan_.goOnAfterFailure}; // also set by a failure of one row only

    bool Waiting(int row) { return rows_.Job(row).done != 1 && rows_.IsChecked(row); }

    // A lane's exception ends the batch as one on the calling thread would.
    void GuardedWork(int lane) {
        try {
            Work(controller_.Lane(lane), lane);
        } catch (const std::exception& error) {
            WriteLogFormat("Module:COMMON/BatchLoop,Error Info :the batch ended on an error: %s",
                           error.what());
            EndWith(BatchEnd::Failed);
        } catch (...) {
            WriteLog("Module:COMMON/BatchLoop,Error Info :the batch ended on an unknown error");
            EndWith(BatchEnd::Failed);
        }
        SetThreadLogTag({});
    }

    void Work(CEncoderCntl& lane, int laneIndex) {
        const bool tagged = laneSeconds_.size() > 1;
        for (;;) {
            int row = -1;
            BatchPosition position;
            double rowSeconds = 0;
            ConversionJob job;
            RowFailure failure;
            std::string output;
            Readiness readiness = Readiness::Failed;
            {
                // Rows begin and are named in list order: the next is taken,
                // begun and made ready at once.
                std::lock_guard lock(mutex_);
                if (ending_)
                    return;
                for (int candidate = next_; candidate < rows_.RowCount() && row < 0; ++candidate)
                    if (Waiting(candidate))
                        row = candidate;
                if (row < 0)
                    return;
                next_ = row + 1;
                position = Position(row, rowSeconds);
                rows_.BeginRow(row);
                job = rows_.Job(row);
                if (tagged)
                    SetThreadLogTag("[" + std::string(GetText(job.sourcePath)) + "] ");
                readiness = ReadyLocked(lane, laneIndex, row, job, failure, output);
            }
            switch (readiness) {
            case Readiness::Run:
                rows_.RowProgress(row, ProgressFigures{}, position);
                RunRow(lane, laneIndex, row, job, output, position, rowSeconds);
                break;
            case Readiness::SourceMissing:
                rows_.RowProgress(row, ProgressFigures{}, position);
                if (!goOn_)
                    EndWith(BatchEnd::SourceMissing);
                rows_.SourceMissing(row, std::string(GetText(job.sourcePath)));
                break;
            case Readiness::Failed:
                rows_.RowProgress(row, ProgressFigures{}, position);
                Failed(row, failure);
                break;
            }
            std::lock_guard lock(mutex_);
            running_.erase(row);
        }
    }

    // Ends the batch: no further row starts. A stop names the end even when
    // a failure came first.
    void EndWith(BatchEnd end) {
        std::lock_guard lock(mutex_);
        ending_ = true;
        if (report_.end == BatchEnd::Finished || end == BatchEnd::Stopped)
            report_.end = end;
    }

    // Media seconds a row converts, to weigh it in the batch's fraction:
    // its trim range, else the file's length; at least one second.
    double RowSeconds(int row) {
        const ConversionJob job = rows_.Job(row);
        const TrimRange trim = rows_.Trim(row);
        double seconds = job.hasVideo == 1 ? job.source.videoDuration : job.source.audioDuration;
        seconds -= trim.startSeconds;
        if (trim.endSeconds)
            seconds = std::min<double>(seconds, *trim.endSeconds - trim.startSeconds);
        return std::max(1.0, seconds);
    }

    // The whole batch's fraction done; with mutex_ held.
    double FractionLocked() const {
        double done = doneSeconds_;
        for (const auto& [row, running] : running_)
            done += running.seconds * running.fraction;
        return std::min(1.0, done / batchSeconds_);
    }

    // Where the batch stands as the row begins; the rows after it are
    // those still waiting now. With mutex_ held.
    BatchPosition Position(int row, double& rowSeconds) {
        BatchPosition position;
        position.fileNumber = ++begun_;
        rowSeconds = RowSeconds(row);
        running_[row] = {rowSeconds, 0};
        batchSeconds_ = doneSeconds_;
        for (const auto& [other, running] : running_)
            batchSeconds_ += running.seconds;
        position.fileCount = begun_;
        for (int later = row + 1; later < rows_.RowCount(); ++later) {
            if (Waiting(later)) {
                ++position.fileCount;
                batchSeconds_ += RowSeconds(later);
            }
        }
        position.fraction = FractionLocked();
        fileCount_ = position.fileCount;
        return position;
    }

    enum class Readiness { Run, SourceMissing, Failed };

    // What a row needs before its encoder runs, with mutex_ held: its job
    // prepared and its output named (an output another lane is writing
    // counts as written, so two rows never share a name), or why it cannot
    // run.
    Readiness ReadyLocked(CEncoderCntl& lane, int laneIndex, int row, ConversionJob& job,
                          RowFailure& failure, std::string& output) {
        std::error_code error;
        if (!std::filesystem::exists(std::string(GetText(job.sourcePath)), error)) {
            ++report_.failed;
            return Readiness::SourceMissing;
        }
        if (IsSoundOnlyKind(plan_.targetKind) && job.hasAudio != 1) {
            goOn_ = true;
            failure = {kNoSound, FailureKind::NoSound};
            return Readiness::Failed;
        }
        JobPlan jobPlan = RowJobPlan(plan_, rows_.Trim(row));
        jobPlan.inputScriptPath = LaneScriptPath(plan_.inputScriptPath, laneIndex);
        if (!PrepareJobForConversion(job, plan_.profile, plan_.targetKind, jobPlan,
                                     &failure.reason))
            return Readiness::Failed;
        std::set<std::string> keep = written_;
        keep.insert(reserved_.begin(), reserved_.end());
        lane.SetOutputsToKeep(std::move(keep));
        if (lane.bPrepareConvert(&job) != 1) {
            failure.reason = lane.LastResult().reason;
            return Readiness::Failed;
        }
        output = GetText(job.outputPath);
        reserved_.insert(output);
        return Readiness::Run;
    }

    void RunRow(CEncoderCntl& lane, int laneIndex, int row, ConversionJob& job, std::string output,
                BatchPosition position, double rowSeconds) {
        const std::string source(GetText(job.sourcePath));
        lane.SetProgressListener([&, row, position](const ProgressFigures& figures) mutable {
            {
                // The batch as it stands now: with several rows at once,
                // the latest begun row's place.
                std::lock_guard lock(mutex_);
                running_[row].fraction = figures.fraction;
                position.fraction = FractionLocked();
                position.fileNumber = begun_;
                position.fileCount = fileCount_;
            }
            rows_.RowProgress(row, figures, position);
        });
        lane.bRunPrepared(&job);
        lane.SetProgressListener(nullptr);
        ConvertResult result = lane.LastResult();
        {
            std::lock_guard lock(mutex_);
            laneSeconds_[std::size_t(laneIndex)] += lane.CurrentFigures().elapsedSeconds;
            reserved_.erase(output);
        }
        output = GetText(job.outputPath);
        if (result.outcome == ConvertOutcome::Stopped)
            return Stopped(row, result);
        // The engine judged the output already: written means there, not empty.
        if (result.Failed() || !result.outputWritten)
            return Failed(row, {result.Failed() ? result.reason
                                                : "the encoder left no output file " + output});
        {
            std::lock_guard lock(mutex_);
            written_.insert(output);
            doneSeconds_ += rowSeconds;
            running_.erase(row);
            ++report_.converted;
        }
        std::string warning = Shortness(row, job, output);
        if (!warning.empty())
            WriteLogFormat("Module:COMMON/BatchLoop,Error Info :%s: %s\n", source.c_str(),
                           warning.c_str());
        rows_.RowFinished(row, output, warning);
    }

    // The batch's end is decided before the row is told: a front end may
    // hold its lane there (the window shows why) while the others go on.
    void Failed(int row, const RowFailure& failure) {
        {
            std::lock_guard lock(mutex_);
            ++report_.failed;
        }
        if (!goOn_)
            EndWith(BatchEnd::Failed);
        rows_.RowFailed(row, failure);
    }

    // A source cut short (a download that broke off) still converts, up
    // to where its data ends; the output says where that is.
    std::string Shortness(int row, const ConversionJob& job, const std::string& output) {
        MediaFacts facts;
        if (DetectMedia(output, facts) != 0)
            return {};
        // The probe's length carries one second more than measured.
        double end = job.source.audioDuration - 1.0;
        const TrimRange trim = rows_.Trim(row);
        if (trim.endSeconds)
            end = std::min<double>(end, *trim.endSeconds);
        return ShortOutputWarning(trim.startSeconds, end, facts.duration);
    }

    // What the encoder wrote before the stop is kept under a name that says
    // so, and an earlier file of the output's name is left as it was; the
    // row is not done, so the next batch converts it whole.
    void Stopped(int row, const ConvertResult& result) {
        if (!result.reason.empty())
            WriteLogFormat("Module:COMMON/BatchLoop,Error Info :the stopped encoder %s",
                           result.reason.c_str());
        EndWith(BatchEnd::Stopped);
        if (!result.partialPath.empty()) {
            std::lock_guard lock(mutex_);
            ++report_.stopped;
        }
        rows_.RowStopped(row, result.partialPath);
    }
};

// How many lanes the batch runs: one unless the plan asks for more (or
// Automatic) and there are rows for them.
int LanesFor(CEncoderCntl& controller, BatchRows& rows, const BatchPlan& plan) {
    if (plan.filesAtOnce == 1)
        return 1;
    int waiting = 0;
    ConversionJob first{};
    for (int row = 0; row < rows.RowCount(); ++row) {
        const ConversionJob job = rows.Job(row);
        if (job.done == 1 || !rows.IsChecked(row))
            continue;
        if (waiting++ == 0)
            first = job;
    }
    const ConversionLoad load =
        LoadOf(plan.profile, plan.targetKind, first.source.width, first.source.height);
    int lanes = FilesAtOnce(plan.filesAtOnce, load, waiting);
    if (plan.filesAtOnce == kFilesAtOnceAutomatic)
        WriteLogFormat("Module:COMMON/BatchLoop,Info :files at once: %d (Automatic, %d cores)",
                       lanes, UsableCores());
    else
        WriteLogFormat("Module:COMMON/BatchLoop,Info :files at once: %d", lanes);
    if (lanes > 1 && !controller.EnsureLanes(lanes)) {
        WriteLog("Module:COMMON/BatchLoop,Error Info :the encoders to convert several files at "
                 "once could not be made; one file at a time");
        return 1;
    }
    return lanes;
}

} // namespace

JobPlan RowJobPlan(const BatchPlan& plan, const TrimRange& trim) {
    return {plan.outputFolder, FormatDuration(trim.startSeconds),
            trim.endSeconds ? FormatDuration(*trim.endSeconds) : std::string(),
            plan.inputScriptPath, plan.choices};
}

BatchReport RunBatch(CEncoderCntl& controller, BatchRows& rows, const BatchPlan& plan) {
    controller.ResetStop(); // a stop or pause from before this batch is not for it
    Batch batch(controller, rows, plan, LanesFor(controller, rows, plan));
    BatchReport report;
    try {
        report = batch.Run();
    } catch (const std::exception& error) {
        WriteLogFormat("Module:COMMON/BatchLoop,Error Info :the batch ended on an error: %s",
                       error.what());
        report = batch.Report();
        report.end = BatchEnd::Failed;
    } catch (...) {
        WriteLog("Module:COMMON/BatchLoop,Error Info :the batch ended on an unknown error");
        report = batch.Report();
        report.end = BatchEnd::Failed;
    }
    controller.SetProgressListener(nullptr);
    // A pause ends with its batch: nothing the engine runs later starts held.
    controller.ResumeConvert();
    return report;
}

} // namespace kiv
