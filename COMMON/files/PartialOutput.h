#pragma once
// A conversion that a stop cut short keeps what the encoder wrote under a
// name that says it is incomplete, so that it is never taken for a whole
// conversion, and an earlier file of the requested name stays as it was.
// enc names the file it keeps this way (kiv_files needs no other library).

#include <string>
#include <string_view>

namespace kiv {

// " (partial)" before the extension: "/out/clip_libx264_libfaac.mp4" gives
// "/out/clip_libx264_libfaac (partial).mp4"; number 2 and up give
// " (partial 2)", ... A name without an extension gets it at its end.
std::string PartialOutputPath(std::string_view output, int number = 1);

// True when candidate is one of output's partial names, as above.
bool IsPartialOutputOf(std::string_view candidate, std::string_view output);

// Renames written (the encoder's temporary) to the first partial name of
// output that no file has: no file is ever replaced, also not by a run
// beside this one. Returns the new path, or empty with the reason when the
// file could not be renamed.
std::string KeepAsPartial(const std::string& written, const std::string& output,
                          std::string& error);

} // namespace kiv
