#include "ExclusiveFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kiv::enc {

namespace {

std::string Taken(const std::string& path) {
    return "the file " + path + " exists; it is kept and the show is not written over it";
}

} // namespace

bool WriteNewFile(const std::string& path, const std::string& text, std::string& error) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        error = "cannot create " + path + ": " + std::strerror(errno);
        return false;
    }
    std::size_t written = 0;
    while (written < text.size()) {
        ssize_t count = ::write(fd, text.data() + written, text.size() - written);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            break;
        written += static_cast<std::size_t>(count);
    }
    bool complete = written == text.size();
    if (::close(fd) != 0 || !complete) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        ::unlink(path.c_str());
        return false;
    }
    return true;
}

bool CommitAsNewFile(const std::string& temporary, const std::string& path, std::string& error) {
    if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    int renameError = errno;
    if (renameError == EINVAL || renameError == ENOSYS || renameError == ENOTSUP) {
        // A file system without the no-replace rename: a hard link is made
        // only where no name is, and where there are no links either, the
        // name is checked just before the rename.
        if (::link(temporary.c_str(), path.c_str()) == 0) {
            ::unlink(temporary.c_str());
            return true;
        }
        renameError = errno;
        struct stat info {};
        if (renameError != EEXIST && ::lstat(path.c_str(), &info) != 0 && errno == ENOENT &&
            std::rename(temporary.c_str(), path.c_str()) == 0)
            return true;
        if (renameError != EEXIST && ::lstat(path.c_str(), &info) == 0)
            renameError = EEXIST;
    }
    error = renameError == EEXIST
                ? Taken(path)
                : "cannot rename " + temporary + " to " + path + ": " + std::strerror(renameError);
    ::unlink(temporary.c_str());
    return false;
}

} // namespace kiv::enc
