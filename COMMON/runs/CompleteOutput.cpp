#include "runs/CompleteOutput.h"

#include "FixedText.h"
#include "TemporaryOutput.h"
#include "files/PartialOutput.h"
#include "media/MediaDetector.h"
#include "media/MediaEnd.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace kiv {

namespace {

namespace fs = std::filesystem;

std::string Seconds(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", seconds);
    return text;
}

// The seconds of the source the output is made of: the trim range within
// the source's length (the sound's alone for a profile that makes sound only).
double ExpectedSeconds(const ConversionJob& job, const TrimRange& trim, int targetKind) {
    MediaFacts facts;
    double length = job.source.audioDuration - 1.0; // the probe adds a second
    if (DetectMedia(GetText(job.sourcePath).data(), facts) == 0)
        length = IsSoundOnlyKind(targetKind) && facts.audioDuration > 0 ? facts.audioDuration
                                                                        : facts.duration;
    if (trim.endSeconds)
        length = std::min<double>(length, *trim.endSeconds);
    return std::max(0.0, length - trim.startSeconds);
}

} // namespace

std::string WhyNotComplete(const std::string& outputPath, const ConversionJob& job,
                           const TrimRange& trim, int targetKind) {
    std::error_code error;
    const fs::file_status status = fs::status(outputPath, error);
    if (!fs::exists(status))
        return "not there";
    if (!fs::is_regular_file(status))
        return "not a regular file";
    const fs::path source(GetText(job.sourcePath));
    const auto made = fs::last_write_time(outputPath, error);
    const auto sourceChanged = fs::last_write_time(source, error);
    if (!error && made < sourceChanged)
        return "older than its source";
    const MediaEnd end = ReadMediaEnd(outputPath);
    if (!end.readable)
        return "cannot be read to its end";
    const double expected = ExpectedSeconds(job, trim, targetKind);
    const double slack = std::max(0.5, 0.02 * expected);
    if (end.readSeconds < expected - slack)
        return "shorter than its source: " + Seconds(end.readSeconds) + " of " + Seconds(expected);
    if (end.readSeconds > expected + slack)
        return "longer than its source: " + Seconds(end.readSeconds) + " of " + Seconds(expected);
    return {};
}

int RemoveLeftoversOf(const std::string& outputPath) {
    const fs::path output(outputPath);
    const fs::path folder = output.has_parent_path() ? output.parent_path() : fs::path(".");
    int removed = 0;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), last; !error && it != last;
         it.increment(error)) {
        std::error_code ignored;
        if (IsPartialOutputOf(it->path().filename().string(), output.filename().string()) &&
            it->is_regular_file(ignored) && !it->is_symlink(ignored))
            removed += fs::remove(it->path(), ignored) ? 1 : 0;
    }
    return removed + RemoveAbandonedTemporariesIn(folder.string(), output.stem().string());
}

} // namespace kiv
