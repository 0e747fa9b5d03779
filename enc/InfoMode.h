#pragma once
// "-info": the facts of one file in the line the program's probe reads.

#include "MediaDetector.h"

#include <string>

namespace kiv::enc {

// "Duration:%d Width:%d Height:%d Video:%d Audio:%d" and a line feed; the
// frame size only for a file with video, whole seconds cut.
std::string InfoLine(const MediaFacts& facts);

// Reads the file in process (bounded in time) and prints its line as the
// first bytes on standard output; all zeros for anything unreadable.
// Returns the exit status: 0 when the file was read, 1 otherwise.
int RunInfo(const std::string& path);

} // namespace kiv::enc
