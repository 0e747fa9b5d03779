#pragma once
// What every kiv-convert command needs to start the engine: the encoder's
// start-up record (MakeEncoderInit.h) and the progress display the options
// ask for.

#include "CliOptions.h"
#include "ConversionJob.h"
#include "ProgressReporter.h"
#include "Settings.h"
#include "runs/MakeEncoderInit.h"

namespace kiv {

// A progress callback for runs that show none.
void IgnoreProgress(int value, void* user);

// Quiet, JSON, a bar on a terminal, or one line per change.
ProgressStyle StyleFor(const CliOptions& options);

} // namespace kiv
