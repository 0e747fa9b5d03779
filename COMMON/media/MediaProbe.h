#pragma once
// The encoder's own probe: runs `enc -info "path"` and reads its answer
// "Duration:%d Width:%d Height:%d Video:%d Audio:%d".

#include <chrono>
#include <string>

namespace kiv {

// The probe command line for a path.
std::string EncoderInfoCommand(const std::string& appFolder, const std::string& path);

// Runs the probe; the five places keep their values for fields the answer
// does not give. Returns 1 when a duration was learnt (a video file without
// one is taken as 300 seconds), else 0. The child is always reaped, and the
// reading ends after timeLimit.
int RunEncoderInfo(const std::string& appFolder, const std::string& path, int* duration, int* width,
                   int* height, int* hasVideo, int* hasAudio,
                   std::chrono::milliseconds timeLimit = std::chrono::seconds(15));

} // namespace kiv
