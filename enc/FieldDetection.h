#pragma once
// Whether a video whose stream does not say how it is scanned holds
// interlaced pictures: FFmpeg's idet filter looks at a short stretch of it
// (the first pictures the conversion takes) and counts the pictures it finds
// top field first, bottom field first or progressive.

#include "StreamFacts.h"

#include <string>

namespace kiv::enc {

// The order idet's counts show: interlaced when most pictures are and one
// field order clearly leads; progressive otherwise. Unknown when nothing
// was counted.
FieldOrder ReadFieldCounts(const std::string& idetMessages);

// Runs idet on the stream from startSeconds on; Unknown when FFmpeg cannot
// say (the run fails or finds nothing).
FieldOrder DetectFieldOrder(const std::string& path, int streamIndex, double startSeconds);

} // namespace kiv::enc
