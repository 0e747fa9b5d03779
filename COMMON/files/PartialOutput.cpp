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

bool IsPartialOutputOf(std::string_view candidate, std::string_view output) {
    if (candidate == PartialOutputPath(output))
        return true;
    // " (partial N)" for N from 2: the name of number 2 with other digits.
    const std::string second = PartialOutputPath(output, 2);
    const std::size_t digits = second.rfind(" 2)") + 1;
    const std::string_view before(second.data(), digits);
    const std::string_view after(second.data() + digits + 1, second.size() - digits - 1);
    if (candidate.size() <= before.size() + after.size() || !candidate.starts_with(before) ||
        !candidate.ends_with(after))
        return false;
    const std::string_view number =
        candidate.substr(before.size(), candidate.size() - before.size() - after.size());
    return number.size() <= 3 && number[0] != '0' &&
           number.find_first_not_of("0123456789") == std::string_view::npos;
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
