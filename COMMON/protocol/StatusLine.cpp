#include "StatusLine.h"

#include <cstdio>

namespace kiv {

std::string FormatStatusLine(const ProgressValues& values) {
    auto format = [&](char* buffer, std::size_t size) {
        return std::snprintf(buffer, size,
                             "frame=%d size=%dkB time=%.2f bitrate=%.1fkbits/s speed=%.2fx fps=%d "
                             "time=%.2f q=%.1f\n",
                             values.frame, values.sizeKilobytes, values.seconds,
                             values.kilobitsPerSecond, values.speed, values.fps, values.seconds,
                             values.quality);
    };
    std::string line(static_cast<std::size_t>(format(nullptr, 0)), '\0');
    format(line.data(), line.size() + 1);
    return line;
}

bool ReadStatusSeconds(const char* line, bool hasVideo, int& seconds) {
    const char* format = hasVideo ? "%*s %*s %*s %*s %*s %*s time=%d %*s" : "%*s %*s time=%d";
    return std::sscanf(line, format, &seconds) == 1;
}

bool ReadStatusValues(const char* line, ProgressValues& values) {
    ProgressValues read = values;
    int count = std::sscanf(
        line, "frame=%d size=%dkB time=%lf bitrate=%lfkbits/s speed=%lfx fps=%d time=%*f q=%lf",
        &read.frame, &read.sizeKilobytes, &read.seconds, &read.kilobitsPerSecond, &read.speed,
        &read.fps, &read.quality);
    if (count < 3)
        return false;
    values = read;
    return true;
}

} // namespace kiv
