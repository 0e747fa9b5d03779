#include "files/PrivateWorkFolder.h"

#include "DirectoryTree.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kiv {

namespace {

constexpr const char* kSuffix = "kiv-";
constexpr std::size_t kRandomLength = 6; // mkdtemp's XXXXXX
constexpr const char* kLockName = "/kiv.lock";
constexpr int kAttempts = 10;

bool IsOwnPrivateFolder(const struct stat& info) {
    return S_ISDIR(info.st_mode) && info.st_uid == geteuid() &&
           (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The lock file of a folder, opened without following links and checked to
// be what the path names now; -1 otherwise.
int OpenLock(const std::string& folder, int flags) {
    std::string path = folder + kLockName;
    int fd = open(path.c_str(), flags | O_RDWR | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    struct stat opened {
    }, named{};
    if (fstat(fd, &opened) != 0 || lstat(path.c_str(), &named) != 0 || !SameFile(opened, named) ||
        !S_ISREG(opened.st_mode)) {
        close(fd);
        return -1;
    }
    return fd;
}

// The folder and the prefix's file name: "/out/slideshow" -> "/out", "slideshow".
std::pair<std::string, std::string> SplitPrefix(const std::string& prefix) {
    std::size_t slash = prefix.rfind('/');
    if (slash == std::string::npos)
        return {".", prefix};
    return {slash == 0 ? "/" : prefix.substr(0, slash), prefix.substr(slash + 1)};
}

} // namespace

std::string WorkFolderPattern(const std::string& prefix) {
    return prefix + kSuffix + std::string(kRandomLength, 'X');
}

void RemoveAbandonedWorkFolders(const std::string& prefix) {
    auto [folder, name] = SplitPrefix(prefix);
    std::string stem = name + kSuffix;
    DIR* listing = opendir(folder.c_str());
    if (!listing)
        return;
    while (dirent* entry = readdir(listing)) {
        std::string_view entryName = entry->d_name;
        if (entryName.size() != stem.size() + kRandomLength || !entryName.starts_with(stem))
            continue;
        std::string path = prefix.substr(0, prefix.size() - name.size()) + std::string(entryName);
        struct stat info {};
        if (lstat(path.c_str(), &info) != 0 || !IsOwnPrivateFolder(info))
            continue;
        int lock = OpenLock(path, 0);
        if (lock < 0)
            continue;
        // Held by a running show: not ours to touch.
        if (flock(lock, LOCK_EX | LOCK_NB) == 0)
            RemoveDirectoryTree(path);
        close(lock);
    }
    closedir(listing);
}

std::optional<std::string> PrivateWorkFolder::Create(const std::string& prefix) {
    Remove();
    RemoveAbandonedWorkFolders(prefix);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::string path = WorkFolderPattern(prefix);
        if (!mkdtemp(path.data()))
            return "cannot make the slideshow work folder " + WorkFolderPattern(prefix) + ": " +
                   std::strerror(errno);
        struct stat info {};
        if (lstat(path.c_str(), &info) != 0 || !IsOwnPrivateFolder(info)) {
            rmdir(path.c_str());
            return "the slideshow work folder " + path +
                   " is not a private folder of this user; it is not used";
        }
        int lock = OpenLock(path, O_CREAT | O_EXCL);
        if (lock < 0) {
            if (errno == ENOENT)
                continue; // another show cleared it as abandoned before it was locked
            RemoveDirectoryTree(path);
            return "cannot lock the slideshow work folder " + path + ": " + std::strerror(errno);
        }
        // Another show may have taken it for abandoned between mkdtemp and
        // here; then it is that show's to remove, and this one tries anew.
        if (flock(lock, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
            close(lock);
            continue;
        }
        struct stat held {
        }, named{};
        std::string lockPath = path + kLockName;
        if (fstat(lock, &held) != 0 || lstat(lockPath.c_str(), &named) != 0 ||
            !SameFile(held, named)) {
            close(lock);
            continue;
        }
        path_ = path;
        lockFd_ = lock;
        return std::nullopt;
    }
    return "cannot make the slideshow work folder " + WorkFolderPattern(prefix) +
           ": other shows keep taking it";
}

void PrivateWorkFolder::Remove() {
    if (!path_.empty())
        RemoveDirectoryTree(path_);
    path_.clear();
    if (lockFd_ >= 0)
        close(lockFd_);
    lockFd_ = -1;
}

} // namespace kiv
