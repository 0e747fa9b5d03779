#include "runs/BatchSummary.h"

#include <cmath>
#include <cstdio>

namespace kiv {

std::string ShortClock(double seconds) {
    long long whole = std::isfinite(seconds) && seconds > 0 ? std::llround(seconds) : 0;
    char text[32];
    if (whole >= 3600)
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", whole / 3600, whole / 60 % 60,
                      whole % 60);
    else
        std::snprintf(text, sizeof text, "%lld:%02lld", whole / 60, whole % 60);
    return text;
}

std::string BatchSummary(const BatchReport& report) {
    const std::string time = ShortClock(report.seconds);
    const std::string converted = std::to_string(report.converted) + " converted";
    switch (report.end) {
    case BatchEnd::Finished:
        if (report.failed > 0)
            return converted + ", " + std::to_string(report.failed) + " failed in " + time;
        if (report.converted == 0)
            return "No file converted";
        return std::to_string(report.converted) + (report.converted == 1 ? " file" : " files") +
               " converted in " + time;
    case BatchEnd::Stopped:
        if (report.stopped == 0)
            return converted + ", stopped after " + time;
        return converted + ", " + std::to_string(report.stopped) + " stopped after " + time;
    case BatchEnd::Failed:
    case BatchEnd::SourceMissing:
        break;
    }
    return converted + ", " + std::to_string(report.failed) + " failed after " + time;
}

} // namespace kiv
