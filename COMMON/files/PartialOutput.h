#pragma once
// A file that a stop cut short keeps what the encoder wrote, under a name
// that says it is incomplete, so that it is never taken for a whole
// conversion and the next conversion of the same file has its name free.

#include <string>
#include <string_view>

namespace kiv {

// " (partial)" before the extension: "/out/clip_libx264_libfaac.mp4" gives
// "/out/clip_libx264_libfaac (partial).mp4"; number 2 and up give
// " (partial 2)", ... A name without an extension gets it at its end.
std::string PartialOutputPath(std::string_view output, int number = 1);

// True when candidate is one of output's partial names, as above.
bool IsPartialOutputOf(std::string_view candidate, std::string_view output);

// Renames output to the first partial name that no file has (no file is
// ever replaced, also not by a run beside this one). Returns the new path,
// or empty with the reason when the file could not be renamed.
std::string KeepAsPartial(const std::string& output, std::string& error);

} // namespace kiv
