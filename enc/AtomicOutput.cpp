#include "AtomicOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <regex>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kiv::enc {

namespace {

constexpr int kNames = 100;

// The locks this process holds, by temporary path.
std::map<std::string, int>& HeldLocks() {
    static std::map<std::string, int> locks;
    return locks;
}

void ReleaseLock(const std::string& temporary) {
    auto held = HeldLocks().find(temporary);
    if (held == HeldLocks().end())
        return;
    ::close(held->second);
    HeldLocks().erase(held);
}

// The open file is still the one at path.
bool StillAt(int descriptor, const std::string& path) {
    struct stat opened {
    }, named{};
    return ::fstat(descriptor, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

// Opened for writing where possible: a network file system grants an
// exclusive lock only on a file open for writing.
int OpenForLock(const std::string& path, int flags) {
    int descriptor = ::open(path.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC | flags, 0666);
    if (descriptor < 0 && errno == EACCES && (flags & O_CREAT) == 0)
        descriptor = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    return descriptor;
}

// Deletes path when no process holds its lock. True when it was deleted.
bool RemoveIfAbandoned(const std::string& path) {
    int descriptor = OpenForLock(path, O_NONBLOCK);
    if (descriptor < 0)
        return false;
    bool abandoned = ::flock(descriptor, LOCK_EX | LOCK_NB) == 0 && StillAt(descriptor, path);
    if (abandoned)
        ::unlink(path.c_str());
    ::close(descriptor);
    return abandoned;
}

} // namespace

bool IsPlainFilePath(const std::string& path) {
    if (path.empty() || path == "-")
        return false;
    std::size_t colon = path.find(':');
    std::size_t slash = path.find('/');
    // "pipe:1", "file:x", "http://": a protocol name before any slash.
    return colon == std::string::npos || (slash != std::string::npos && slash < colon);
}

std::string TemporaryOutputName(const std::string& path, long pid, int n) {
    std::filesystem::path output(path);
    // Appended piece by piece: GCC 12 misjudges "." + string as overlapping.
    std::string name = ".";
    name += output.stem().string();
    name += ".kivtmp-";
    name += std::to_string(pid);
    if (n > 1) {
        name += "-";
        name += std::to_string(n);
    }
    name += output.extension().string();
    return output.has_parent_path() ? (output.parent_path() / name).string() : name;
}

std::string HoldTemporaryOutput(const std::string& outputPath, std::string& error) {
    int n = 1;
    for (int attempt = 0; attempt < kNames; ++attempt) {
        std::string temporary = TemporaryOutputName(outputPath, static_cast<long>(::getpid()), n);
        int descriptor = OpenForLock(temporary, O_CREAT | O_EXCL);
        if (descriptor < 0) {
            if (errno != EEXIST)
                break;
            // One left by a killed run is cleared and the name tried again;
            // one of a live run (the same pid in another namespace) is kept.
            if (!RemoveIfAbandoned(temporary))
                ++n;
            continue;
        }
        // A sweep of another run may have deleted the new file before the
        // lock was taken; then the next name is tried.
        if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0 && StillAt(descriptor, temporary)) {
            HeldLocks()[temporary] = descriptor;
            return temporary;
        }
        ::close(descriptor);
        ++n;
    }
    error = "cannot create a temporary output beside " + outputPath + ": " + std::strerror(errno);
    return {};
}

std::string WrittenPathFor(const std::string& outputPath, bool& atomic, std::string& error) {
    atomic = IsPlainFilePath(outputPath);
    if (!atomic)
        return outputPath;
    RemoveAbandonedTemporaries(outputPath);
    return HoldTemporaryOutput(outputPath, error);
}

bool CommitOutput(const std::string& temporary, const std::string& path, std::string& error) {
    if (std::rename(temporary.c_str(), path.c_str()) == 0) {
        ReleaseLock(temporary);
        return true;
    }
    error = "cannot rename " + temporary + " to " + path + ": " + std::strerror(errno);
    DiscardOutput(temporary);
    return false;
}

void DiscardOutput(const std::string& temporary) {
    ::unlink(temporary.c_str());
    ReleaseLock(temporary);
}

void ReleaseOutputLock(const std::string& temporary) {
    ReleaseLock(temporary);
}

void RemoveAbandonedTemporaries(const std::string& outputPath) {
    namespace fs = std::filesystem;
    static const std::regex kTemporary(R"(\..*\.kivtmp-[0-9]{1,10}(-[0-9]{1,3})?(\.[^.]*)?)");
    fs::path folder = fs::path(outputPath).parent_path();
    std::error_code error;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, error), end;
         !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        if (std::regex_match(name, kTemporary) && it->is_regular_file(error) &&
            !it->is_symlink(error))
            RemoveIfAbandoned(it->path().string());
    }
}

} // namespace kiv::enc
