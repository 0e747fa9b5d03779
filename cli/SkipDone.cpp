#include "SkipDone.h"

#include "FixedText.h"
#include "Json.h"
#include "Log.h"
#include "runs/CompleteOutput.h"

#include <cstdio>
#include <set>

namespace kiv {

namespace {

// The output the batch will give the job, after the outputs named before it.
std::string PlannedOutput(CEncoderCntl& controller, ConversionJob job, const BatchPlan& plan,
                          const TrimRange& trim, const std::set<std::string>& named) {
    std::string commandLine, reason;
    controller.SetOutputsToKeep(named);
    if (!PrepareJobForConversion(job, plan.profile, plan.targetKind, RowJobPlan(plan, trim),
                                 &reason) ||
        !controller.PrepareCommandLine(job, commandLine, reason))
        return {}; // the batch tells why when it reaches the file
    return std::string(GetText(job.outputPath));
}

void TellSkipped(const CliOptions& options, const std::string& file, const std::string& output) {
    if (options.json) {
        std::printf("{%s,\"state\":\"skipped\",%s,\"result\":\"skipped\"}\n",
                    JsonField("file", file).c_str(), JsonField("output", output).c_str());
        std::fflush(stdout);
    } else if (!options.quiet) {
        std::fprintf(stderr, "kiv-convert: '%s' is done already: %s\n", file.c_str(),
                     output.c_str());
    }
}

} // namespace

std::vector<std::string> SkipDoneFiles(CEncoderCntl& controller, const CliOptions& options,
                                       std::vector<ConversionJob>& jobs, BatchPlan& plan,
                                       const std::vector<TrimRange>& trims) {
    std::vector<std::string> skipped(jobs.size());
    std::set<std::string> named;
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        const std::string output = PlannedOutput(controller, jobs[i], plan, trims[i], named);
        if (output.empty())
            continue;
        named.insert(output);
        const std::string why = WhyNotComplete(output, jobs[i], trims[i], plan.targetKind);
        if (!why.empty()) {
            if (why != "not there")
                WriteLogFormat("Skip done: %s is converted again: %s is %s\n",
                               options.files[i].c_str(), output.c_str(), why.c_str());
            continue;
        }
        jobs[i].done = 1;
        plan.outputsToKeep.insert(output);
        skipped[i] = output;
        if (!options.dryRun)
            RemoveLeftoversOf(output);
        WriteLogFormat("Skip done: %s is done already: %s\n", options.files[i].c_str(),
                       output.c_str());
        TellSkipped(options, options.files[i], output);
    }
    controller.SetOutputsToKeep({});
    return skipped;
}

} // namespace kiv
