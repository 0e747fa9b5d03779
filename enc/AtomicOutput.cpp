#include "AtomicOutput.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <regex>
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
    std::filesystem::path output(path);
    // Appended piece by piece: GCC 12 misjudges "." + string as overlapping.
    std::string name = ".";
    name += output.stem().string();
    name += ".kivtmp-";
    name += std::to_string(pid);
    name += output.extension().string();
    return output.has_parent_path() ? (output.parent_path() / name).string() : name;
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

void RemoveAbandonedTemporaries(const std::string& outputPath) {
    namespace fs = std::filesystem;
    static const std::regex kTemporary(R"(\..*\.kivtmp-([0-9]{1,9})(\.[^.]*)?)");
    fs::path folder = fs::path(outputPath).parent_path();
    std::error_code error;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, error), end;
         !error && it != end; it.increment(error)) {
        std::smatch match;
        std::string name = it->path().filename().string();
        if (!std::regex_match(name, match, kTemporary) || !it->is_regular_file(error) ||
            it->is_symlink(error))
            continue;
        pid_t owner = static_cast<pid_t>(std::stol(match[1].str()));
        if (owner > 0 && ::kill(owner, 0) != 0 && errno == ESRCH)
            ::unlink(it->path().c_str());
    }
}

} // namespace kiv::enc
