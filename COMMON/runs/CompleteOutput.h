#pragma once
// Whether a conversion's output is there whole already, for a run that
// converts only what is missing (kiv-convert --skip-done), and the pieces
// earlier runs left of an output that is.
//
// An output counts as complete only when every one of these holds:
// - it lies under its final name: enc writes under a temporary name and
//   renames on a normal end only, and a stop renames what it left to
//   "NAME (partial).EXT", so neither is ever taken for it;
// - it is a regular file no older than its source (a source replaced since
//   is converted again);
// - it reads to its end: its last seconds are there, packet by packet,
//   whatever its header says (a copy that broke off is not complete);
// - it runs as long as the part of the source it is made of, within 0.5 s or
//   2 % (a file cut short, or the output of another source that happens to
//   share its name, is not complete).
//
//     if (std::string why = WhyNotComplete(output, job, trim, kind); why.empty())
//         RemoveLeftoversOf(output);  // done: its partial files can go

#include "ConversionJob.h"
#include "runs/BatchLoop.h"

#include <string>

namespace kiv {

// Empty when the output at outputPath is complete for the probed job's
// source converted over trim with a profile of targetKind; else why not,
// in a few words ("not there", "shorter than its source: 3.0 s of 8.0 s").
std::string WhyNotComplete(const std::string& outputPath, const ConversionJob& job,
                           const TrimRange& trim, int targetKind);

// Removes what earlier runs left of an output that is now complete: its
// partial files (" (partial)", " (partial 2)", ...) and the temporaries
// that no running encoder holds. Returns how many files went.
int RemoveLeftoversOf(const std::string& outputPath);

} // namespace kiv
