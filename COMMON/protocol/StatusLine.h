#pragma once
// The encoder's status line: enc writes one per progress update, the engine
// reads the elapsed output time from it. "time=" is the third blank-separated
// field (read for sources without video) and the seventh (read for sources
// with video); only whole seconds are read.

#include <string>

namespace kiv {

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
// time=%.2f q=%.1f" and a line feed, however long the values make it.
std::string FormatStatusLine(const ProgressValues& values);

// The whole seconds of a status line, read the way the engine reads them.
bool ReadStatusSeconds(const char* line, bool hasVideo, int& seconds);

// Every value of a status line, for the time-left estimate: true when at
// least the frame count, the size and the (fractional) seconds were read;
// fields after the last one read keep their values.
bool ReadStatusValues(const char* line, ProgressValues& values);

} // namespace kiv
