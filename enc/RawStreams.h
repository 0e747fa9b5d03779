#pragma once
// A raw elementary stream (an .h264 or .m2v file as a camera or a capture
// tool writes it, with no container around it) has no index to seek in:
// FFmpeg given "-ss" before such an input writes nothing at all. Its seek
// goes after the input instead, where FFmpeg decodes up to the start.

#include "FfmpegPlan.h"

#include <string_view>

namespace kiv::enc {

// True when the first bytes of a file are those of a video elementary
// stream: a start code (00 00 01 or 00 00 00 01) that does not open an
// MPEG program stream's pack (00 00 01 BA), which has an index of its own.
bool IsRawElementaryStream(std::string_view head);

// Moves the input seek of the plan's first input after it when that input
// is a raw elementary stream.
void SeekInsideRawStreams(FfmpegPlan& plan);

} // namespace kiv::enc
