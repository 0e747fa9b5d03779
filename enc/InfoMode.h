#pragma once
// "-info": the facts of one file in the line the program's probe reads.

#include "InfoAnswer.h"
#include "MediaFacts.h"

#include <string>

namespace kiv::enc {

// The answer for a file's facts: the frame size only for a file with video,
// whole seconds cut.
InfoAnswer AnswerFor(const MediaFacts& facts);

// Reads the file in process (bounded in time) and prints its line as the
// first bytes on standard output; all zeros for anything unreadable.
// Returns the exit status: 0 when the file was read, 1 otherwise.
int RunInfo(const std::string& path);

} // namespace kiv::enc
