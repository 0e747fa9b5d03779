#pragma once
// One conversion: the legacy line in, FFmpeg run, the output made visible
// under its requested name only after a normal end, and under a partial name
// after a stop that cut it short (PartialKeptLine.h).

#include <string>
#include <vector>

namespace kiv::enc {

// arguments: everything after the fixed first token. Returns enc's exit
// status: 0 after a normal end or a stop that left a file, else non-zero.
int RunConversion(const std::vector<std::string>& arguments);

} // namespace kiv::enc
