#pragma once
// The temporary outputs of enc, as the program sees them too. enc writes an
// output under a hidden temporary name beside it and holds an flock on that
// file while it writes, so a temporary counts as abandoned (left by a run
// that was killed, or by a computer that lost its power) only when its lock
// can be taken; the pid in its name only keeps names apart.
//
//     TemporaryOutputName("/out/clip.avi", 42) == "/out/.clip.kivtmp-42.avi"
//     RemoveAbandonedTemporariesIn("/out", "clip");  // after a crash

#include <string>

namespace kiv {

// "dir/name.ext" -> "dir/.name.kivtmp-<pid>.ext" ("kivtmp-<pid>-<n>" for
// n > 1); the real extension stays last so FFmpeg still picks the muxer from
// the name.
std::string TemporaryOutputName(const std::string& path, long pid, int n = 1);

// True for a file name of that form.
bool IsTemporaryOutputName(const std::string& fileName);

// Opens path to lock it: for writing where possible, as a network file
// system grants an exclusive lock only on a file open for writing.
int OpenForOutputLock(const std::string& path, int flags);

// The open file is still the one named path.
bool IsStillAt(int descriptor, const std::string& path);

// Deletes path when no process holds its lock. True when it was deleted.
bool RemoveIfAbandoned(const std::string& path);

// Deletes the temporaries in folder that no running enc holds; with
// outputStem, only those of outputs whose names begin with it. Anything
// that is not a regular file is kept. Returns how many went.
int RemoveAbandonedTemporariesIn(const std::string& folder, const std::string& outputStem = {});

} // namespace kiv
