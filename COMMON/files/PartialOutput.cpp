#include "files/PartialOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace kiv {

namespace {

constexpr int kMostNumbers = 100;

// Renames without replacing: EEXIST when the name is taken.
int RenameNoReplace(const std::string& from, const std::string& to) {
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // A file system without the flag: a hard link never replaces either.
    if (link(from.c_str(), to.c_str()) == 0)
        return unlink(from.c_str()) == 0 ? 0 : errno;
    if (errno != EPERM && errno != ENOTSUP)
        return errno;
    // Nor links: look, then rename (a run beside this one could slip in).
    std::error_code ignored;
    if (std::filesystem::exists(to, ignored))
        return EEXIST;
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

} // namespace

std::string PartialOutputPath(std::string_view output, int number) {
    std::size_t slash = output.rfind('/');
    std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    std::size_t dot = output.rfind('.');
    // A dot that leads the name starts no extension (".mp4" is a name).
    if (dot == std::string_view::npos || dot <= nameStart)
        dot = output.size();
    std::string mark = number <= 1 ? " (partial)" : " (partial " + std::to_string(number) + ")";
    return std::string(output.substr(0, dot)) + mark + std::string(output.substr(dot));
}

std::string KeepAsPartial(const std::string& written, const std::string& output,
                          std::string& error) {
    for (int number = 1; number <= kMostNumbers; ++number) {
        std::string partial = PartialOutputPath(output, number);
        int result = RenameNoReplace(written, partial);
        if (result == 0)
            return partial;
        if (result != EEXIST) {
            error = "the partial file " + written + " cannot be renamed: " + std::strerror(result);
            return {};
        }
    }
    error = "the partial file " + written + " cannot be renamed: every partial name is taken";
    return {};
}

} // namespace kiv
