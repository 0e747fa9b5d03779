#pragma once
// The three things kiv-convert does: list profiles, probe files, convert.

#include "CliOptions.h"

namespace kiv {

enum ExitStatus { kExitOk = 0, kExitFailed = 1, kExitUsage = 2, kExitInterrupted = 130 };

int ListProfiles(const CliOptions& options);
int ProbeFiles(const CliOptions& options);
int ConvertFiles(const CliOptions& options);

} // namespace kiv
