#pragma once
// FFmpeg writes to a hidden temporary name beside the requested output; the
// file appears under its real name only when the run ended normally, so a
// failed run never leaves a file the program would count as a success and
// never destroys an earlier file of the same name.

#include <string>

namespace kiv::enc {

// True for a path enc can write through a temporary name (not "-", not a
// protocol such as "pipe:1" or "http://").
bool IsPlainFilePath(const std::string& path);

// "dir/name.ext" -> "dir/.name.kivtmp-<pid>.ext"; the real extension stays
// last so FFmpeg still picks the muxer from the name.
std::string TemporaryOutputName(const std::string& path, long pid);

bool IsNonEmptyFile(const std::string& path);

// Renames the temporary file to the requested name (replacing an earlier
// file); false with a reason when that fails.
bool CommitOutput(const std::string& temporary, const std::string& path, std::string& error);

void DiscardOutput(const std::string& temporary);

// Deletes the temporary files in the folder of outputPath that an enc which
// no longer runs left behind (killed before it could clean up). Files of a
// running enc, and anything that is not a regular file, are kept.
void RemoveAbandonedTemporaries(const std::string& outputPath);

} // namespace kiv::enc
