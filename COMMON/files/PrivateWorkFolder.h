#pragma once
// A slideshow's work folder of its own. Shows that run at the same time
// into one output folder, and other users of a shared folder, must never
// meet in it: it is made with mkdtemp beside the show's output
// ("<prefix>kiv-XXXXXX", mode 0700), refused unless it is a folder of this
// user that nobody else may write to, and locked for as long as the show
// uses it (flock on "kiv.lock" inside), so that a later show can tell a
// folder that a killed show left behind from one in use, and clear it.

#include <optional>
#include <string>

namespace kiv {

class PrivateWorkFolder {
public:
    PrivateWorkFolder() = default;
    ~PrivateWorkFolder() { Remove(); }
    PrivateWorkFolder(const PrivateWorkFolder&) = delete;
    PrivateWorkFolder& operator=(const PrivateWorkFolder&) = delete;

    // Clears the abandoned work folders of this prefix, then makes and locks
    // a new one (removing the one this object held). Returns why it could
    // not, or nothing.
    std::optional<std::string> Create(const std::string& prefix);
    // The folder's path; empty when there is none.
    const std::string& Path() const { return path_; }
    // Removes the folder with everything in it, then gives up the lock.
    void Remove();

private:
    std::string path_;
    int lockFd_ = -1;
};

// The name pattern of a prefix's work folders, as mkdtemp takes it.
std::string WorkFolderPattern(const std::string& prefix);

// Removes the work folders of this prefix that no running show holds: real
// folders of this user whose lock can be taken. Links, other users' folders
// and folders without a lock file are left alone.
void RemoveAbandonedWorkFolders(const std::string& prefix);

} // namespace kiv
