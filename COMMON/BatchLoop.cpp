#include "BatchLoop.h"

#include "FixedText.h"
#include "JobBuilder.h"
#include "Log.h"

#include <filesystem>
#include <set>

namespace kiv {

namespace {

BatchEnd Run(CEncoderCntl& controller, BatchRows& rows, const BatchPlan& plan) {
    std::set<std::string> written;
    for (int row = 0; row < rows.RowCount(); ++row) {
        ConversionJob& job = rows.Job(row);
        if (job.done == 1 || !rows.IsChecked(row))
            continue;
        rows.BeginRow(row);
        std::string source(GetText(job.sourcePath));
        std::error_code error;
        if (!std::filesystem::exists(source, error)) {
            rows.SourceMissing(row, source);
            return BatchEnd::SourceMissing;
        }
        JobPlan jobPlan{plan.outputFolder, rows.TrimStart(row), rows.TrimEnd(row),
                        plan.inputScriptPath};
        std::string reason;
        if (!PrepareJobForConversion(job, plan.profile, plan.targetKind, jobPlan, &reason)) {
            job.done = 1;
            rows.RowFailed(row, reason);
            return BatchEnd::Failed;
        }
        controller.SetOutputsToKeep(written);
        controller.bDoConvert(&job);
        ConvertResult result = controller.LastResult();
        std::string output(GetText(job.outputPath));
        if (result.outcome == ConvertOutcome::Stopped && !result.outputWritten) {
            rows.RowStopped(row);
            return BatchEnd::Stopped;
        }
        job.done = 1;
        // The engine judged the output already: written means there, not empty.
        if (result.Failed() || !result.outputWritten) {
            rows.RowFailed(row, result.Failed() ? result.reason
                                                : "the encoder left no output file " + output);
            return BatchEnd::Failed;
        }
        written.insert(output);
        rows.RowFinished(row, output);
    }
    return BatchEnd::Finished;
}

} // namespace

BatchEnd RunBatch(CEncoderCntl& controller, BatchRows& rows, const BatchPlan& plan) {
    controller.ResetStop(); // a stop from before this batch is not for it
    try {
        return Run(controller, rows, plan);
    } catch (const std::exception& error) {
        WriteLogFormat("Module:COMMON/BatchLoop,Error Info :the batch ended on an error: %s",
                       error.what());
    } catch (...) {
        WriteLog("Module:COMMON/BatchLoop,Error Info :the batch ended on an unknown error");
    }
    return BatchEnd::Failed;
}

} // namespace kiv
