#include "DirectoryTree.h"

#include "Paths.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace kiv {

namespace {

enum class Step { Entered, Created, Failed };

std::string_view WithoutTrailingSeparator(std::string_view path) {
    if (!path.empty() && path.back() == kPathSeparator)
        path.remove_suffix(1);
    return path;
}

// Enters path, creating it when missing. Each directory is made and entered
// by its own name from its parent, so no path handed to the system grows
// longer than one name. A directory is only made inside a parent that was
// entered: a parent that could not be made leaves nothing behind elsewhere.
Step EnterOrCreate(std::string_view path) {
    path = WithoutTrailingSeparator(path);
    if (path.empty())
        return Step::Failed;
    std::string whole(path);
    if (chdir(whole.c_str()) == 0)
        return Step::Entered;
    std::size_t last = path.rfind(kPathSeparator);
    if (last == std::string_view::npos)
        return Step::Failed;
    std::string_view parent = path.substr(0, last);
    Step parentStep =
        parent.empty() ? (chdir("/") == 0 ? Step::Entered : Step::Failed) : EnterOrCreate(parent);
    if (parentStep == Step::Failed)
        return Step::Failed;
    std::string name(path.substr(last + 1));
    if (name.empty())
        return parentStep;
    if (mkdir(name.c_str(), 0777) == 0)
        return chdir(name.c_str()) == 0 ? Step::Created : Step::Failed;
    if (errno == EEXIST && chdir(name.c_str()) == 0)
        return Step::Entered;
    return Step::Failed;
}

// Deletes every entry of the open directory. unlinkat without AT_REMOVEDIR
// removes files and symbolic links (never their targets); a directory is
// opened with O_NOFOLLOW from its parent, emptied and removed.
void ClearDirectory(int directoryFd) {
    int listFd = dup(directoryFd);
    if (listFd < 0)
        return;
    DIR* listing = fdopendir(listFd);
    if (!listing) {
        close(listFd);
        return;
    }
    while (dirent* entry = readdir(listing)) {
        std::string_view name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        if (unlinkat(directoryFd, entry->d_name, 0) == 0 || errno != EISDIR)
            continue;
        int childFd =
            openat(directoryFd, entry->d_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (childFd < 0)
            continue;
        ClearDirectory(childFd);
        close(childFd);
        unlinkat(directoryFd, entry->d_name, AT_REMOVEDIR);
    }
    closedir(listing);
}

// Opens the directory that holds the last component of path, walking one
// component at a time (links on the way are followed as usual), and gives
// the last component's name.
int OpenParent(std::string_view path, std::string& lastName) {
    std::size_t last = path.rfind(kPathSeparator);
    lastName = std::string(last == std::string_view::npos ? path : path.substr(last + 1));
    bool absolute = !path.empty() && path.front() == kPathSeparator;
    int fd = open(absolute ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (last == std::string_view::npos || fd < 0)
        return fd;
    std::string_view rest = path.substr(0, last);
    while (!rest.empty()) {
        std::size_t end = rest.find(kPathSeparator);
        std::string component(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (component.empty())
            continue;
        int next = openat(fd, component.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        close(fd);
        if (next < 0)
            return -1;
        fd = next;
    }
    return fd;
}

} // namespace

bool MakeDirectoryPath(const std::string& path) {
    return EnterOrCreate(path) == Step::Created;
}

bool RemoveDirectoryTree(const std::string& path) {
    std::string_view trimmed = WithoutTrailingSeparator(path);
    std::string name;
    int parentFd = OpenParent(trimmed, name);
    if (parentFd < 0)
        return false;
    bool removed = false;
    if (!name.empty() && name != "." && name != "..") {
        int directoryFd =
            openat(parentFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (directoryFd >= 0) {
            ClearDirectory(directoryFd);
            close(directoryFd);
            removed = unlinkat(parentFd, name.c_str(), AT_REMOVEDIR) == 0;
        }
    }
    close(parentFd);
    return removed;
}

} // namespace kiv
