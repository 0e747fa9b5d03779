#pragma once
// Legacy line text in, FFmpeg arguments out (after the fixed global options
// every run gets), joined for comparison.

#include "CommandLine.h"
#include "FfmpegPlan.h"
#include "Translator.h"

#include <string>
#include <vector>

namespace kiv::test {

inline const std::vector<std::string> kFixedGlobals = {
    "-hide_banner", "-nostats", "-progress", "pipe:3", "-abort_on", "empty_output", "-y"};

inline std::string Translate(const std::string& legacyText) {
    enc::FfmpegPlan plan;
    std::string error;
    if (!enc::BuildPlan(SplitCommandLine(legacyText), plan, error))
        return "error: " + error;
    std::vector<std::string> arguments = enc::FfmpegArguments(plan, plan.outputPath);
    arguments.erase(arguments.begin(), arguments.begin() + static_cast<long>(kFixedGlobals.size()));
    return JoinForDisplay(arguments);
}

} // namespace kiv::test
