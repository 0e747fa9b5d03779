#pragma once
// How the program starts its encoder adapter: the file name beside the
// program and the fixed first argument of every launch.

namespace kiv {

inline constexpr const char* kEncoderExecutable = "enc";
inline constexpr const char* kEncoderToken = "quillon-transcode-gates";

} // namespace kiv
