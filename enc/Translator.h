#pragma once
// Turns a legacy encoder command line into what FFmpeg 5.1 runs: the option
// table first, then the container and codec repairs.

#include "FfmpegPlan.h"
#include "LegacyLine.h"

#include <string>
#include <vector>

namespace kiv::enc {

// Applies the option table alone. Returns false with a reason when the line
// has no input.
bool TranslateOptions(const LegacyLine& line, FfmpegPlan& plan, std::string& error);

// The whole way from the arguments after the fixed token to the plan:
// parse, translate, repair.
bool BuildPlan(const std::vector<std::string>& arguments, FfmpegPlan& plan, std::string& error);

} // namespace kiv::enc
