#pragma once
// Container and codec repairs: FFmpeg 5.1 refuses some codec, container,
// sample-rate, bit-rate and frame-size combinations the program's lines can
// ask for. Each rule is a table row; RepairPlan applies them in order:
// container choices first, then the limits of the codecs finally used.

#include "Containers.h"
#include "FfmpegPlan.h"

#include <string>

namespace kiv::enc {

struct OutputFacts {
    std::string format;     // muxer name
    std::string videoCodec; // encoder name, empty when unknown
    std::string audioCodec;
    const TargetPreset* preset = nullptr;
};

// The muxer and encoders a plan ends up with: -f, else the -target preset,
// else the output file name; codecs from -c:v/-c:a, else the muxer's default.
OutputFacts ReadOutputFacts(const FfmpegPlan& plan);

void RepairPlan(FfmpegPlan& plan);

} // namespace kiv::enc
