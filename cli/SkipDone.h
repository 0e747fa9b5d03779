#pragma once
// kiv-convert --skip-done: a file whose output is there whole already
// (CompleteOutput.h says when) is not converted again, so a run started
// anew after a failure, a kill or a power cut converts only what is
// missing. Each output is named as the run itself names it, in file order
// (a second file of the same name gets " (2)"), and the outputs of skipped
// files are kept from being replaced by the files that still convert.
//
//     std::vector<std::string> skipped = SkipDoneFiles(controller, options, jobs, plan, trims);
//     // jobs[i].done == 1 where skipped[i] names the output found whole
//
// A skipped file is told on standard error ("kiv-convert: 'a.mp4' is done
// already: /out/a_x.mp4"), with --json as one object on standard output:
//     {"file":"a.mp4","state":"skipped","output":"/out/a_x.mp4","result":"skipped"}
// The pieces earlier runs left of a complete output (its "(partial)" files,
// temporaries no encoder holds) are removed, but for a dry run.

#include "CEncoderCntl.h"
#include "CliOptions.h"
#include "runs/BatchLoop.h"

#include <string>
#include <vector>

namespace kiv {

// One entry per file: the output found whole, or empty when the file
// converts. Marks the skipped jobs done and adds their outputs to
// plan.outputsToKeep.
std::vector<std::string> SkipDoneFiles(CEncoderCntl& controller, const CliOptions& options,
                                       std::vector<ConversionJob>& jobs, BatchPlan& plan,
                                       const std::vector<TrimRange>& trims);

} // namespace kiv
