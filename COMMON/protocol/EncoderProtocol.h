#pragma once
// How the program starts its encoder adapter: the file name beside the
// program and the fixed first argument of every launch.

namespace kiv {

inline constexpr const char* kEncoderExecutable = "enc";
inline constexpr const char* kEncoderToken = "quillon-transcode-gates";

// Added to a slideshow's encoding line, before the output file, when the
// pictures are to move slowly (kiv-convert --slideshow --pan-zoom); enc
// takes it off the line before anything else reads the line.
inline constexpr const char* kPanZoomOption = "-pan_zoom";

} // namespace kiv
