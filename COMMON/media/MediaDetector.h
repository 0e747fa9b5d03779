#pragma once
// Reads the facts of a media file in process with libavformat: the streams,
// their lengths, the frame size and rate, bit rates, sample rate, channels.
// A file that does not say how long it is (one written to a pipe) is
// measured by reading its packets, for a few seconds at most.

#include "MediaFacts.h"

#include <string>

namespace kiv {

// Returns 0 when the file was read, a negative code otherwise. A missing,
// empty or non-regular file fails before anything is opened; reading is
// bounded in time so a stalled file cannot hang the caller.
int DetectMedia(const std::string& path, MediaFacts& facts);

} // namespace kiv
