#pragma once
// One conversion the way the program runs it: a probed job, the shared job
// builder, the command line of CFFmpegEncoder, split and started, and the
// output checked with libavformat.

#include "EncTestSupport.h"
#include "MediaProfile.h"

#include <string>

namespace kiv::e2e {

struct Conversion {
    bool prepared = false;
    std::string reason; // why the preparation failed
    std::string commandLine;
    std::string outputPath;
    int progressTotal = 0;
    test::ProcessResult run;
    test::MediaInspection output;
};

// Converts the first two seconds of source with the profile; outputFolder is
// created fresh. The input goes through the input script when the probe
// would have read the source with the in-process detector (video sources).
Conversion Convert(const MediaProfile& profile, int targetKind, const std::string& source,
                   const std::string& outputFolder);

struct Expectation {
    std::string format;     // demuxer name
    std::string majorBrand; // mp4 family only; empty: not checked
    std::string videoCodec; // empty: no video stream
    int width = 0;
    int height = 0;
    std::string audioCodec; // empty: no audio stream
    int sampleRate = 0;
    int channels = 0;
};

constexpr double kClipSeconds = 2.0;
constexpr double kSecondsTolerance = 0.3;

// Checks the conversion against what was expected, with a readable report.
void ExpectOutput(const Conversion& conversion, const Expectation& expected);

// Demuxer names the checks use.
inline constexpr const char* kMovFamily = "mov,mp4,m4a,3gp,3g2,mj2";

} // namespace kiv::e2e
