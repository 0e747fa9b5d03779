#include "runs/BatchLoop.h"

#include "FixedText.h"
#include "Log.h"
#include "TargetKind.h"
#include "Vocabularies.h"
#include "media/MediaDetector.h"

#include <algorithm>
#include <filesystem>
#include <set>

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

// One batch from its first row to its end.
class Batch {
public:
    Batch(CEncoderCntl& controller, BatchRows& rows, const BatchPlan& plan)
        : controller_(controller), rows_(rows), plan_(plan) {}

    const BatchReport& Report() const { return report_; }

    BatchReport Run() {
        for (int row = 0; row < rows_.RowCount(); ++row) {
            if (!Waiting(row))
                continue;
            BatchEnd end = ConvertRow(row);
            if (end == BatchEnd::Finished || (end != BatchEnd::Stopped && goOn_))
                continue;
            report_.end = end;
            break;
        }
        return report_;
    }

private:
    CEncoderCntl& controller_;
    BatchRows& rows_;
    const BatchPlan& plan_;
    BatchReport report_;
    std::set<std::string> written_ = plan_.outputsToKeep;
    int begun_ = 0;
    double doneSeconds_ = 0;             // media of the rows this batch has converted
    bool goOn_ = plan_.goOnAfterFailure; // also set by a failure that concerns one row only

    bool Waiting(int row) { return rows_.Job(row).done != 1 && rows_.IsChecked(row); }

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

    // Where the batch stands as the row begins; the rows after it are
    // those still waiting now.
    BatchPosition Position(int row, double& rowSeconds, double& batchSeconds) {
        BatchPosition position;
        position.fileNumber = ++begun_;
        rowSeconds = RowSeconds(row);
        batchSeconds = doneSeconds_ + rowSeconds;
        position.fileCount = begun_;
        for (int later = row + 1; later < rows_.RowCount(); ++later) {
            if (Waiting(later)) {
                ++position.fileCount;
                batchSeconds += RowSeconds(later);
            }
        }
        position.fraction = doneSeconds_ / batchSeconds;
        return position;
    }

    BatchEnd ConvertRow(int row) {
        double rowSeconds = 0, batchSeconds = 0;
        BatchPosition position = Position(row, rowSeconds, batchSeconds);
        ConversionJob job = rows_.Job(row);
        rows_.BeginRow(row);
        rows_.RowProgress(row, ProgressFigures{}, position);
        std::string source(GetText(job.sourcePath));
        std::error_code error;
        if (!std::filesystem::exists(source, error)) {
            ++report_.failed;
            rows_.SourceMissing(row, source);
            return BatchEnd::SourceMissing;
        }
        if (IsSoundOnlyKind(plan_.targetKind) && job.hasAudio != 1) {
            goOn_ = true;
            return Failed(row, {kNoSound, FailureKind::NoSound});
        }
        std::string reason;
        if (!PrepareJobForConversion(job, plan_.profile, plan_.targetKind,
                                     RowJobPlan(plan_, rows_.Trim(row)), &reason))
            return Failed(row, {reason});
        controller_.SetOutputsToKeep(written_);
        const double doneBefore = doneSeconds_;
        controller_.SetProgressListener([&, row, position](const ProgressFigures& figures) mutable {
            position.fraction = (doneBefore + rowSeconds * figures.fraction) / batchSeconds;
            rows_.RowProgress(row, figures, position);
        });
        controller_.bDoConvert(&job);
        controller_.SetProgressListener(nullptr);
        report_.seconds += controller_.CurrentFigures().elapsedSeconds;
        ConvertResult result = controller_.LastResult();
        std::string output(GetText(job.outputPath));
        if (result.outcome == ConvertOutcome::Stopped)
            return Stopped(row, result);
        // The engine judged the output already: written means there, not empty.
        if (result.Failed() || !result.outputWritten)
            return Failed(row, {result.Failed() ? result.reason
                                                : "the encoder left no output file " + output});
        written_.insert(output);
        doneSeconds_ += rowSeconds;
        ++report_.converted;
        std::string warning = Shortness(row, job, output);
        if (!warning.empty())
            WriteLogFormat("Module:COMMON/BatchLoop,Error Info :%s: %s\n", source.c_str(),
                           warning.c_str());
        rows_.RowFinished(row, output, warning);
        return BatchEnd::Finished;
    }

    BatchEnd Failed(int row, const RowFailure& failure) {
        ++report_.failed;
        rows_.RowFailed(row, failure);
        return BatchEnd::Failed;
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
    BatchEnd Stopped(int row, const ConvertResult& result) {
        if (!result.reason.empty())
            WriteLogFormat("Module:COMMON/BatchLoop,Error Info :the stopped encoder %s",
                           result.reason.c_str());
        if (!result.partialPath.empty())
            ++report_.stopped;
        rows_.RowStopped(row, result.partialPath);
        return BatchEnd::Stopped;
    }
};

} // namespace

JobPlan RowJobPlan(const BatchPlan& plan, const TrimRange& trim) {
    return {plan.outputFolder, FormatDuration(trim.startSeconds),
            trim.endSeconds ? FormatDuration(*trim.endSeconds) : std::string(),
            plan.inputScriptPath};
}

BatchReport RunBatch(CEncoderCntl& controller, BatchRows& rows, const BatchPlan& plan) {
    controller.ResetStop(); // a stop or pause from before this batch is not for it
    Batch batch(controller, rows, plan);
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
