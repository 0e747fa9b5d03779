#pragma once
// FFmpeg's -progress blocks (key=value lines, one block per update) turned
// into the status line the program reads: "time=" as the third and the
// seventh blank-separated field, whole seconds readable with %d.

#include <optional>
#include <string>
#include <string_view>

namespace kiv::enc {

struct ProgressValues {
    int frame = 0;
    int sizeKilobytes = 0;
    double seconds = 0; // of output written
    double kilobitsPerSecond = 0;
    double speed = 0;
    int fps = 0;
    double quality = 0;
};

// "frame=%d size=%dkB time=%.2f bitrate=%.1fkbits/s speed=%.2fx fps=%d
// time=%.2f q=%.1f" with a line feed.
std::string FormatStatusLine(const ProgressValues& values);

// Collects one block; Feed returns the values when a line ends the block
// ("progress=continue" or "progress=end").
class ProgressBlockReader {
public:
    std::optional<ProgressValues> Feed(std::string_view line);

private:
    ProgressValues values_;
    bool haveQuality_ = false;
};

} // namespace kiv::enc
