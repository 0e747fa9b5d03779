#include "AtomicOutput.h"

#include "TemporaryOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <map>
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

} // namespace

bool IsPlainFilePath(const std::string& path) {
    if (path.empty() || path == "-")
        return false;
    std::size_t colon = path.find(':');
    std::size_t slash = path.find('/');
    // "pipe:1", "file:x", "http://": a protocol name before any slash.
    return colon == std::string::npos || (slash != std::string::npos && slash < colon);
}

std::string HoldTemporaryOutput(const std::string& outputPath, std::string& error) {
    int n = 1;
    for (int attempt = 0; attempt < kNames; ++attempt) {
        std::string temporary = TemporaryOutputName(outputPath, static_cast<long>(::getpid()), n);
        int descriptor = OpenForOutputLock(temporary, O_CREAT | O_EXCL);
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
        if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0 && IsStillAt(descriptor, temporary)) {
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
    RemoveAbandonedTemporariesIn(std::filesystem::path(outputPath).parent_path().string());
}

} // namespace kiv::enc
