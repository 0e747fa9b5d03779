#pragma once
// Each run's private folder. Several programs of one user may convert at
// once (a window, kiv-convert under a script); what one run hands to enc
// must not be read or replaced by another. So every process makes its own
// folder on first use, with mkdtemp (mode 0700) in the runtime directory,
// named "run-<pid>-XXXXXX", and keeps in it the input script and the links
// through which enc reaches files it cannot be given by name.
//
// The process holds an flock on its folder while it lives. A folder whose
// lock can be taken belongs to no running process, wherever that process's
// pid lives (a container, another machine sharing the folder), and is
// removed by the next run that makes its own; a pid alone proves nothing.

#include <optional>
#include <string>

namespace kiv {

// The folder of this process, ending in the separator; made on first call.
// Empty when it cannot be made (the log says why).
std::string RunFolderPath();

// Removes this process's folder with everything in it. Called when the
// program ends; a later RunFolderPath makes a new folder.
void RemoveRunFolder();

// The pieces, for tests. A folder made and locked in base (which must exist).
struct HeldFolder {
    std::string path; // ends in the separator
    int lockDescriptor = -1;
};
std::optional<HeldFolder> MakeRunFolder(const std::string& base, std::string& error);
// Releases the lock and removes the folder.
void ReleaseRunFolder(HeldFolder& folder);
// Removes the run folders in base that no running process holds.
void RemoveAbandonedRunFolders(const std::string& base);

} // namespace kiv
