#pragma once
// kiv-convert --dry-run --estimate: after the command lines, the expected
// size of each file's output, judged from a few seconds converted at
// several places of the part to convert (EstimateOutputSize), one line per
// file on standard output:
//
//     <file>\testimate=<bytes>\tseconds=<length>\tabout=<84 MB>
//
// The samples are written into a private folder in the run's folder and
// removed. Ctrl-C stops the sample being made.

#include "CEncoderCntl.h"
#include "CliOptions.h"
#include "ConversionJob.h"
#include "runs/BatchLoop.h"

#include <string>
#include <vector>

namespace kiv {

// Converts with the run's controller, which lives as long as the process.
// Returns the exit status: 0 with an estimate for every file, 1 when one
// could not be made (the reason on standard error), 130 when interrupted.
int PrintEstimates(const CliOptions& options, CEncoderCntl& controller,
                   const std::vector<ConversionJob>& jobs, const BatchPlan& plan,
                   const std::vector<TrimRange>& trims);

} // namespace kiv
