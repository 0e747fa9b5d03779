#include "FieldDetection.h"

#include "ChildRun.h"
#include "FfmpegRunner.h"
#include "NumberText.h"

#include <algorithm>
#include <cstdio>

namespace kiv::enc {

namespace {

// About four seconds of PAL video: enough for idet's verdict, little to
// decode.
constexpr int kFrames = 100;
constexpr std::chrono::seconds kLimit{60};
// How many times more pictures one field order must have than the other.
constexpr int kDominance = 3;

} // namespace

FieldOrder ReadFieldCounts(const std::string& idetMessages) {
    // The last report wins; idet's multi-frame count is the steadier one.
    const std::string kReport = "Multi frame detection:";
    std::size_t at = idetMessages.rfind(kReport);
    if (at == std::string::npos)
        return FieldOrder::Unknown;
    int top = 0, bottom = 0, progressive = 0, undetermined = 0;
    if (std::sscanf(idetMessages.c_str() + at + kReport.size(),
                    " TFF: %d BFF: %d Progressive: %d Undetermined: %d", &top, &bottom,
                    &progressive, &undetermined) != 4 ||
        top + bottom + progressive == 0)
        return FieldOrder::Unknown;
    // Interlaced pictures have one field order. Fine detail moving fast
    // fools idet into counting progressive pictures as interlaced, but then
    // both orders about equally often.
    bool oneOrder = std::max(top, bottom) >= kDominance * std::min(top, bottom);
    if (top + bottom <= progressive || !oneOrder)
        return FieldOrder::Progressive;
    return top >= bottom ? FieldOrder::TopFirst : FieldOrder::BottomFirst;
}

FieldOrder DetectFieldOrder(const std::string& path, int streamIndex, double startSeconds) {
    ChildOutcome run = RunChild({FfmpegExecutable(),
                                 "-hide_banner",
                                 "-nostdin",
                                 "-v",
                                 "info",
                                 "-ss",
                                 NumberText(startSeconds),
                                 "-i",
                                 path,
                                 "-map",
                                 "0:" + std::to_string(streamIndex),
                                 "-frames:v",
                                 std::to_string(kFrames),
                                 "-vf",
                                 "idet",
                                 "-an",
                                 "-sn",
                                 "-dn",
                                 "-f",
                                 "null",
                                 "-"},
                                -1, kLimit);
    if (run.exitCode != 0)
        return FieldOrder::Unknown;
    return ReadFieldCounts(run.messages);
}

} // namespace kiv::enc
