#include "RunFolder.h"

#include "Log.h"
#include "Paths.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <mutex>
#include <regex>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kiv {

namespace {

constexpr int kAttempts = 5;

std::mutex runMutex;
std::optional<HeldFolder> runFolder;
pid_t runFolderOwner = 0; // a forked child that exits leaves its parent's folder alone

// The open folder is still the one at path: nobody removed or replaced it
// between making it and locking it.
bool StillAt(int descriptor, const std::string& path) {
    struct stat opened {
    }, named{};
    return ::fstat(descriptor, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

// Opens a folder (never through a link) and takes its lock without waiting.
int LockFolder(const std::string& path) {
    int descriptor = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (descriptor < 0)
        return -1;
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0 || !StillAt(descriptor, path)) {
        ::close(descriptor);
        return -1;
    }
    return descriptor;
}

} // namespace

std::optional<HeldFolder> MakeRunFolder(const std::string& base, std::string& error) {
    RemoveAbandonedRunFolders(base);
    std::string pattern = JoinPath(base, "run-" + std::to_string(::getpid()) + "-XXXXXX");
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::string path = pattern;
        if (!::mkdtemp(path.data())) {
            error = "cannot make a private folder in " + base + ": " + std::strerror(errno);
            return std::nullopt;
        }
        // Another run's sweep may take a folder between mkdtemp and the
        // lock; then it is gone and a new one is made.
        int descriptor = LockFolder(path);
        if (descriptor >= 0)
            return HeldFolder{path + kPathSeparator, descriptor};
    }
    error = "cannot keep a private folder in " + base;
    return std::nullopt;
}

void ReleaseRunFolder(HeldFolder& folder) {
    std::error_code ignored;
    if (!folder.path.empty())
        std::filesystem::remove_all(folder.path, ignored);
    if (folder.lockDescriptor >= 0)
        ::close(folder.lockDescriptor);
    folder = HeldFolder{};
}

void RemoveAbandonedRunFolders(const std::string& base) {
    namespace fs = std::filesystem;
    static const std::regex kRunFolder(R"(run-[0-9]{1,10}-[A-Za-z0-9]{6})");
    std::error_code error;
    for (fs::directory_iterator it(base, error), end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        struct stat info {};
        if (!std::regex_match(name, kRunFolder) || ::lstat(it->path().c_str(), &info) != 0 ||
            !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid())
            continue;
        int descriptor = LockFolder(it->path().string());
        if (descriptor < 0)
            continue; // a running process holds it
        std::error_code ignored;
        fs::remove_all(it->path(), ignored);
        ::close(descriptor);
    }
}

std::string RunFolderPath() {
    std::lock_guard lock(runMutex);
    // A folder removed under the running program (its parent cleared, say)
    // is made again.
    if (runFolder && !StillAt(runFolder->lockDescriptor,
                              runFolder->path.substr(0, runFolder->path.size() - 1))) {
        ::close(runFolder->lockDescriptor);
        runFolder.reset();
    }
    if (!runFolder) {
        std::string error;
        runFolder = MakeRunFolder(RuntimeDirectory(), error);
        runFolderOwner = ::getpid();
        if (!runFolder)
            WriteLogFormat("Module:app/RunFolder,Error Info :%s", error.c_str());
    }
    return runFolder ? runFolder->path : std::string();
}

std::string InputScriptPath() {
    std::string folder = RunFolderPath();
    return folder.empty() ? folder : folder + "edit.avs";
}

void RemoveRunFolder() {
    std::lock_guard lock(runMutex);
    if (runFolder && runFolderOwner == ::getpid())
        ReleaseRunFolder(*runFolder);
    runFolder.reset();
}

namespace {

// Every way out through exit() or main's return removes the folder; a
// killed process leaves it to the next run's sweep.
struct RemoveAtExit {
    ~RemoveAtExit() { RemoveRunFolder(); }
} removeAtExit;

} // namespace

} // namespace kiv
