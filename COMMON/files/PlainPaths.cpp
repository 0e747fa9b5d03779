#include "files/PlainPaths.h"

#include <algorithm>

#include "Paths.h"
#include "files/PartialOutput.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <unistd.h>

namespace kiv {

namespace {

namespace fs = std::filesystem;

constexpr int kAttempts = 100;

std::atomic<int> linkNumber{0};

std::string PlainExtension(const fs::path& path) {
    std::string extension = path.extension().string();
    return NeedsPlainName(extension) ? std::string() : extension;
}

// ".kivout-<pid>-<random><extension>": hidden, and unlikely to meet any
// other run's name even across pid namespaces.
std::string FreePlainName(const fs::path& folder, const std::string& extension) {
    static thread_local std::mt19937 random{std::random_device{}()};
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::string name = ".kivout-" + std::to_string(::getpid()) + "-" +
                           std::to_string(random() % 1000000) + extension;
        std::error_code error;
        if (!fs::exists(fs::symlink_status(folder / name, error)))
            return name;
    }
    return {};
}

} // namespace

bool NeedsPlainName(const std::string& path) {
    // A line end would also break the input script's line in two.
    return std::any_of(path.begin(), path.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return c == '"' || byte < 0x20 || byte == 0x7f;
    });
}

std::string MakePlainLink(const std::string& folder, const std::string& target,
                          const std::string& kind, std::string& error) {
    if (folder.empty() || NeedsPlainName(folder)) {
        error = "there is no private folder with a plain name for a link to " + target;
        return {};
    }
    std::error_code ignored;
    fs::path absolute = fs::absolute(target, ignored);
    std::string extension = PlainExtension(absolute);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::string link = JoinPath(folder, kind + "-" + std::to_string(++linkNumber) + extension);
        if (::symlink(absolute.c_str(), link.c_str()) == 0)
            return link;
        if (errno != EEXIST)
            break;
    }
    error = "cannot make a link to " + target + " in " + folder + ": " + std::strerror(errno);
    return {};
}

bool PlainPaths::Prepare(const std::string& runFolder, const std::string& source,
                         const std::string& output, std::string& error) {
    Clear();
    source_ = source;
    output_ = output;
    if (NeedsPlainName(source)) {
        source_ = MakePlainLink(runFolder, source, "source", error);
        if (source_.empty())
            return false;
        links_.push_back(source_);
    }
    if (!NeedsPlainName(output))
        return true;
    fs::path real(output);
    std::string folder = real.has_parent_path() ? real.parent_path().string() : ".";
    std::string folderGiven = folder;
    if (NeedsPlainName(folder)) {
        folderGiven = MakePlainLink(runFolder, folder, "folder", error);
        if (folderGiven.empty())
            return false;
        links_.push_back(folderGiven);
        folderLink_ = folderGiven;
        realFolder_ = folder;
    }
    std::string name = real.filename().string();
    if (NeedsPlainName(name)) {
        name = FreePlainName(folder, PlainExtension(real));
        if (name.empty()) {
            error = "cannot find a free plain name in " + folder;
            return false;
        }
        plainOutput_ = JoinPath(folder, name);
        realOutput_ = output;
    }
    output_ = JoinPath(folderGiven, name);
    return true;
}

bool PlainPaths::Commit(std::string& error) {
    if (plainOutput_.empty())
        return true;
    std::error_code missing;
    if (!fs::exists(plainOutput_, missing))
        return true; // enc wrote nothing: nothing to name
    if (std::rename(plainOutput_.c_str(), realOutput_.c_str()) != 0) {
        error =
            "cannot rename " + plainOutput_ + " to " + realOutput_ + ": " + std::strerror(errno);
        return false;
    }
    plainOutput_.clear();
    return true;
}

std::string PlainPaths::KeepPartial(const std::string& written, std::string& error) {
    if (!realOutput_.empty())
        return KeepAsPartial(written, realOutput_, error);
    if (!folderLink_.empty() && written.starts_with(folderLink_ + "/"))
        return JoinPath(realFolder_, written.substr(folderLink_.size() + 1));
    return written;
}

void PlainPaths::Clear() {
    for (const std::string& link : links_)
        ::unlink(link.c_str());
    links_.clear();
    if (!plainOutput_.empty())
        ::unlink(plainOutput_.c_str());
    plainOutput_.clear();
    realOutput_.clear();
    folderLink_.clear();
    realFolder_.clear();
}

} // namespace kiv
