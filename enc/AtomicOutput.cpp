#include "AtomicOutput.h"

#include "Containers.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace kiv::enc {

bool IsPlainFilePath(const std::string& path) {
    if (path.empty() || path == "-")
        return false;
    std::size_t colon = path.find(':');
    std::size_t slash = path.find('/');
    // "pipe:1", "file:x", "http://": a protocol name before any slash.
    return colon == std::string::npos || (slash != std::string::npos && slash < colon);
}

std::string TemporaryOutputName(const std::string& path, long pid) {
    std::size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string extension = FileExtension(name);
    std::string base = name.substr(0, name.size() - extension.size());
    return folder + "." + base + ".kivtmp-" + std::to_string(pid) + extension;
}

bool IsNonEmptyFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0;
}

bool CommitOutput(const std::string& temporary, const std::string& path, std::string& error) {
    if (std::rename(temporary.c_str(), path.c_str()) == 0)
        return true;
    error = "cannot rename " + temporary + " to " + path + ": " + std::strerror(errno);
    DiscardOutput(temporary);
    return false;
}

void DiscardOutput(const std::string& temporary) {
    ::unlink(temporary.c_str());
}

} // namespace kiv::enc
