#include "IniFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace kiv {

namespace {

std::string_view Trim(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The section name when the line is a section header.
bool SectionHeader(std::string_view line, std::string_view& name) {
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[')
        return false;
    std::size_t close = line.find(']');
    if (close == std::string_view::npos)
        return false;
    name = Trim(line.substr(1, close - 1));
    return true;
}

// Splits "key=value"; comment and garbage lines are not entries.
bool KeyValue(std::string_view line, std::string_view& key, std::string_view& value) {
    std::string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[')
        return false;
    std::size_t equals = trimmed.find('=');
    if (equals == std::string_view::npos)
        return false;
    key = Trim(trimmed.substr(0, equals));
    value = Trim(trimmed.substr(equals + 1));
    return !key.empty();
}

// Larger values are cut to this, as the platform's reader does.
constexpr long long kLargest = 2147483647LL;

} // namespace

int ParseLeadingInt(std::string_view text) {
    text = Trim(text);
    if (text.starts_with("+-"))
        return 0;
    if (text.starts_with('+'))
        text.remove_prefix(1);
    long long value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range)
        value = text.starts_with('-') ? -kLargest : kLargest;
    return static_cast<int>(std::clamp(value, -kLargest, kLargest));
}

IniFile IniFile::Parse(std::string_view text) {
    IniFile file;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        file.lines_.emplace_back(line);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return file;
}

IniFile IniFile::Load(const std::string& path) {
    IniFile file;
    Read(path, file); // what cannot be read gives the empty document
    return file;
}

int IniFile::FindKey(std::string_view section, std::string_view key) const {
    bool inSection = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        std::string_view name;
        if (SectionHeader(lines_[i], name)) {
            inSection = EqualsNoCase(name, section);
            continue;
        }
        std::string_view lineKey, value;
        if (inSection && KeyValue(lines_[i], lineKey, value) && EqualsNoCase(lineKey, key))
            return static_cast<int>(i);
    }
    return -1;
}

std::string IniFile::GetString(std::string_view section, std::string_view key,
                               std::string_view defaultValue) const {
    int index = FindKey(section, key);
    if (index < 0)
        return std::string(defaultValue);
    std::string_view lineKey, value;
    KeyValue(lines_[static_cast<std::size_t>(index)], lineKey, value);
    // A value in double quotes loses its quotes, as the platform reader does.
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

int IniFile::GetInt(std::string_view section, std::string_view key, int defaultValue) const {
    if (FindKey(section, key) < 0)
        return defaultValue;
    return ParseLeadingInt(GetString(section, key, ""));
}

void IniFile::SetString(std::string_view section, std::string_view key, std::string_view value) {
    std::string entry = std::string(key) + "=" + std::string(value);
    int index = FindKey(section, key);
    if (index >= 0) {
        lines_[static_cast<std::size_t>(index)] = entry;
        return;
    }
    // Append after the last entry of the section, or add the section.
    bool inSection = false;
    int insertAt = -1;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        std::string_view name;
        if (SectionHeader(lines_[i], name)) {
            if (inSection)
                break;
            inSection = EqualsNoCase(name, section);
            if (inSection)
                insertAt = static_cast<int>(i) + 1;
            continue;
        }
        if (inSection && !Trim(lines_[i]).empty())
            insertAt = static_cast<int>(i) + 1;
    }
    if (insertAt >= 0) {
        lines_.insert(lines_.begin() + insertAt, entry);
        return;
    }
    std::string header(1, '[');
    header.append(section);
    header.push_back(']');
    lines_.push_back(header);
    lines_.push_back(entry);
}

void IniFile::SetInt(std::string_view section, std::string_view key, int value) {
    SetString(section, key, std::to_string(value));
}

std::string IniFile::Text() const {
    std::string text;
    for (const std::string& line : lines_)
        text += line + "\n";
    return text;
}

namespace {

void Tell(std::string* reason, const std::string& path, int error) {
    if (reason)
        *reason = path + ": " + std::strerror(error);
}

// The file a path names once its symbolic links are followed; the path
// itself when it is none. A link to nothing gives where it points.
std::string FollowLinks(const std::string& path) {
    namespace fs = std::filesystem;
    fs::path at(path);
    std::error_code error;
    for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(at, error)); ++hops) {
        const fs::path to = fs::read_symlink(at, error);
        if (error)
            break;
        at = to.is_absolute() ? to : at.parent_path() / to;
    }
    return at.lexically_normal().string();
}

const char* KindOf(mode_t mode) {
    if (S_ISCHR(mode))
        return "a character device";
    if (S_ISBLK(mode))
        return "a block device";
    if (S_ISFIFO(mode))
        return "a FIFO";
    if (S_ISSOCK(mode))
        return "a socket";
    return "not a regular file";
}

// "/home/u/kivinfo.ini leads to /dev/null, a character device: ..."
void TellNotRegular(std::string* reason, const std::string& path, mode_t mode) {
    if (!reason)
        return;
    const std::string target = FollowLinks(path);
    *reason = path + (target != path ? " leads to " + target + ", " : " is ") + KindOf(mode) +
              ": settings are kept only in a regular file";
}

bool WriteAll(int descriptor, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = write(descriptor, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

bool IniFile::Read(const std::string& path, IniFile& file, std::string* reason) {
    file = IniFile();
    // Non-blocking: opening a FIFO must not wait for a writer.
    const int descriptor = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) {
        if (errno == ENOENT)
            return true; // nothing there yet
        Tell(reason, path, errno);
        return false;
    }
    struct stat info {};
    std::string text;
    int error = 0;
    bool refused = false;
    if (fstat(descriptor, &info) != 0) {
        error = errno;
    } else if (S_ISDIR(info.st_mode)) {
        error = EISDIR;
    } else if (!S_ISREG(info.st_mode)) {
        TellNotRegular(reason, path, info.st_mode);
        refused = true;
    } else if (info.st_size > kLargestFile) {
        error = EFBIG;
    } else {
        char buffer[4096];
        for (;;) {
            const ssize_t n = read(descriptor, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                error = errno;
            if (n <= 0)
                break;
            text.append(buffer, static_cast<std::size_t>(n));
            if (static_cast<long long>(text.size()) > kLargestFile) {
                error = EFBIG; // it grew while being read
                break;
            }
        }
    }
    close(descriptor);
    if (refused)
        return false;
    if (error != 0) {
        Tell(reason, path, error);
        return false;
    }
    file = Parse(text);
    return true;
}

bool IniFile::Save(const std::string& path, std::string* reason) const {
    const std::string target = FollowLinks(path);
    struct stat info {};
    const bool exists = lstat(target.c_str(), &info) == 0;
    if (exists && S_ISDIR(info.st_mode)) {
        Tell(reason, target, EISDIR);
        return false;
    }
    if (exists && S_ISLNK(info.st_mode)) { // links that never end
        Tell(reason, path, ELOOP);
        return false;
    }
    if (exists && !S_ISREG(info.st_mode)) {
        TellNotRegular(reason, path, info.st_mode);
        return false;
    }
    // A file the user made read-only stays as it is.
    if (exists && access(target.c_str(), W_OK) != 0) {
        Tell(reason, target, errno);
        return false;
    }
    const std::string temporary = target + ".tmp" + std::to_string(getpid());
    const int descriptor =
        open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (descriptor < 0) {
        Tell(reason, temporary, errno);
        return false;
    }
    int error = 0;
    if (exists && fchmod(descriptor, info.st_mode & 07777) != 0)
        error = errno;
    errno = 0;
    if (error == 0 && (!WriteAll(descriptor, Text()) || fsync(descriptor) != 0))
        error = errno != 0 ? errno : EIO;
    if (close(descriptor) != 0 && error == 0)
        error = errno;
    if (error == 0 && std::rename(temporary.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        std::remove(temporary.c_str());
        Tell(reason, target, error);
        return false;
    }
    return true;
}

} // namespace kiv
