#include "EstimateCommand.h"

#include "Commands.h"
#include "InterruptWatcher.h"
#include "Json.h"
#include "RunFolder.h"
#include "commandline/CommandLineBuilder.h"
#include "files/PrivateWorkFolder.h"
#include "runs/SampleEncode.h"

#include <cmath>
#include <cstdio>
#include <memory>

namespace kiv {

int PrintEstimates(const CliOptions& options, CEncoderCntl& controller,
                   const std::vector<ConversionJob>& jobs, const BatchPlan& plan,
                   const std::vector<TrimRange>& trims) {
    // Process-long, like the controller: the watcher may use it until the end.
    static std::unique_ptr<InterruptWatcher> watcher;
    watcher = std::make_unique<InterruptWatcher>(controller);
    const std::string runFolder = RunFolderPath();
    PrivateWorkFolder folder;
    if (runFolder.empty()) {
        std::fprintf(stderr, "kiv-convert: no estimate: the program has no private folder\n");
        return kExitFailed;
    }
    if (std::optional<std::string> problem = folder.Create(runFolder + "estimate-")) {
        std::fprintf(stderr, "kiv-convert: no estimate: %s\n", problem->c_str());
        return kExitFailed;
    }
    SampleRequest request{plan.profile, plan.targetKind, folder.Path(), plan.inputScriptPath};
    request.choices = plan.choices;
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        if (jobs[i].done == 1)
            continue; // its output is there whole (--skip-done)
        controller.ResetStop();
        const SizeEstimate estimate =
            EstimateOutputSize(controller, jobs[i], request, trims[i].startSeconds,
                               trims[i].endSeconds.value_or(WholeFileEndSeconds(jobs[i])));
        if (watcher->Interrupted() || estimate.result.outcome == ConvertOutcome::Stopped)
            return kExitInterrupted;
        if (estimate.result.outcome != ConvertOutcome::Done) {
            std::fprintf(stderr, "kiv-convert: no estimate for '%s': %s\n",
                         options.files[i].c_str(), estimate.result.reason.c_str());
            return kExitFailed;
        }
        if (options.json)
            std::printf("{%s,\"estimate\":%ju,\"seconds\":%.0f,\"about\":%s}\n",
                        JsonField("file", options.files[i]).c_str(), estimate.bytes,
                        std::floor(estimate.outputSeconds),
                        JsonString(SizeText(estimate.bytes)).c_str());
        else
            std::printf("%s\testimate=%ju\tseconds=%.0f\tabout=%s\n", options.files[i].c_str(),
                        estimate.bytes, std::floor(estimate.outputSeconds),
                        SizeText(estimate.bytes).c_str());
        std::fflush(stdout);
    }
    return kExitOk;
}

} // namespace kiv
