#pragma once
// The numbers of a line checked before anything is built from them: a
// sample rate, a channel count, a bit rate, a frame rate, a frame size or
// an aspect that no encoder could take (a sample rate of 4.5e15) is refused
// with a clear error instead of reaching arithmetic that cannot hold it.
// Values that are no number at all are FFmpeg's to judge.

#include "FfmpegPlan.h"

#include <optional>
#include <string>

namespace kiv::enc {

// Why the plan's numbers cannot be converted; nothing when they can.
std::optional<std::string> OutOfRangeOption(const FfmpegPlan& plan);

} // namespace kiv::enc
