#include "ProgressReport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace kiv::enc {

namespace {

// The leading number of a value ("831.7kbits/s", "7.94x"); 0 for "N/A" and
// anything that is not finite.
double LeadingNumber(std::string_view text) {
    std::string copy(text);
    char* end = nullptr;
    double value = std::strtod(copy.c_str(), &end);
    if (end == copy.c_str() || !std::isfinite(value))
        return 0;
    return value;
}

int ClampToInt(double value) {
    if (!(value > 0))
        return 0;
    return value >= 2e9 ? 2000000000 : static_cast<int>(value);
}

} // namespace

std::string FormatStatusLine(const ProgressValues& values) {
    // Sized to the text, so absurd values never cut the line or its feed.
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

std::optional<ProgressValues> ProgressBlockReader::Feed(std::string_view line) {
    std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    std::string_view key = line.substr(0, equals);
    std::string_view value = line.substr(equals + 1);
    if (key == "frame") {
        values_.frame = ClampToInt(LeadingNumber(value));
    } else if (key == "fps") {
        values_.fps = ClampToInt(std::lround(LeadingNumber(value)));
    } else if (key.starts_with("stream_") && key.ends_with("_q") && !haveQuality_) {
        values_.quality = LeadingNumber(value);
        haveQuality_ = true;
    } else if (key == "bitrate") {
        values_.kilobitsPerSecond = std::max(0.0, LeadingNumber(value));
    } else if (key == "total_size") {
        values_.sizeKilobytes = ClampToInt(LeadingNumber(value) / 1024);
    } else if (key == "out_time_us") {
        // Before the first packet FFmpeg can report N/A or a negative time.
        values_.seconds = std::max(0.0, LeadingNumber(value) / 1e6);
    } else if (key == "speed") {
        values_.speed = std::max(0.0, LeadingNumber(value));
    } else if (key == "progress") {
        ProgressValues complete = values_;
        haveQuality_ = false;
        return complete;
    }
    return std::nullopt;
}

} // namespace kiv::enc
