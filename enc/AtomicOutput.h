#pragma once
// FFmpeg writes to a hidden temporary name beside the requested output; the
// file appears under its real name only when the run ended normally, so a
// failed run never leaves a file the program would count as a success and
// never destroys an earlier file of the same name.
//
// Several runs may write into one folder at once, some of them in other pid
// namespaces or on other machines (a network folder). So enc holds an flock
// on its temporary for as long as it writes it, and a temporary counts as
// abandoned only when its lock can be taken; the pid in its name is only
// there to keep names apart.

#include "NonEmptyFile.h"
#include "TemporaryOutput.h"

#include <string>

namespace kiv::enc {

// True for a path enc can write through a temporary name (not "-", not a
// protocol such as "pipe:1" or "http://").
bool IsPlainFilePath(const std::string& path);

// The names and the locks of temporaries are shared with the program
// (TemporaryOutput.h).
using kiv::TemporaryOutputName;

// Creates the temporary for outputPath, empty, and holds its lock until
// CommitOutput or DiscardOutput. Returns its path, or empty with the reason.
std::string HoldTemporaryOutput(const std::string& outputPath, std::string& error);

// The path FFmpeg is to write for outputPath: for a plain file a held
// temporary (after clearing abandoned ones; atomic is set), otherwise the
// output itself. Empty with the reason when the temporary cannot be made.
std::string WrittenPathFor(const std::string& outputPath, bool& atomic, std::string& error);

// Renames the temporary file to the requested name (replacing an earlier
// file); false with a reason when that fails. Releases its lock.
bool CommitOutput(const std::string& temporary, const std::string& path, std::string& error);

// Deletes the temporary and releases its lock.
void DiscardOutput(const std::string& temporary);

// Releases the lock of a temporary that was renamed or deleted by other
// means.
void ReleaseOutputLock(const std::string& temporary);

// Deletes the temporary files in the folder of outputPath that no running
// enc holds (left by one that was killed before it could clean up).
// Anything that is not a regular file is kept.
void RemoveAbandonedTemporaries(const std::string& outputPath);

} // namespace kiv::enc
