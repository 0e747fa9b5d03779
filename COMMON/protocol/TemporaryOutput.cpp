#include "TemporaryOutput.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <regex>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kiv {

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

bool IsTemporaryOutputName(const std::string& fileName) {
    static const std::regex kTemporary(R"(\..*\.kivtmp-[0-9]{1,10}(-[0-9]{1,3})?(\.[^.]*)?)");
    return std::regex_match(fileName, kTemporary);
}

int OpenForOutputLock(const std::string& path, int flags) {
    int descriptor = ::open(path.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC | flags, 0666);
    if (descriptor < 0 && errno == EACCES && (flags & O_CREAT) == 0)
        descriptor = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    return descriptor;
}

bool IsStillAt(int descriptor, const std::string& path) {
    struct stat opened {
    }, named{};
    return ::fstat(descriptor, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

bool RemoveIfAbandoned(const std::string& path) {
    int descriptor = OpenForOutputLock(path, O_NONBLOCK);
    if (descriptor < 0)
        return false;
    bool abandoned = ::flock(descriptor, LOCK_EX | LOCK_NB) == 0 && IsStillAt(descriptor, path);
    if (abandoned)
        ::unlink(path.c_str());
    ::close(descriptor);
    return abandoned;
}

int RemoveAbandonedTemporariesIn(const std::string& folder, const std::string& outputStem) {
    namespace fs = std::filesystem;
    const std::string prefix = "." + outputStem;
    int removed = 0;
    std::error_code error;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), error), end;
         !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.compare(0, prefix.size(), prefix) == 0 && IsTemporaryOutputName(name) &&
            it->is_regular_file(error) && !it->is_symlink(error))
            removed += RemoveIfAbandoned(it->path().string()) ? 1 : 0;
    }
    return removed;
}

} // namespace kiv
