#include "OutputFolder.h"

#include "Paths.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace kiv {

namespace {

bool IsFolder(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(path, error);
}

std::string ConfigFolder(const EnvironmentLookup& environment) {
    std::string base = environment("XDG_CONFIG_HOME");
    return !base.empty() && base.front() == kPathSeparator
               ? base
               : JoinPath(environment("HOME"), ".config");
}

// The XDG_VIDEOS_DIR line of user-dirs.dirs: XDG_VIDEOS_DIR="$HOME/Videos" or
// an absolute path in double quotes.
std::string VideosFolderFromUserDirs(const EnvironmentLookup& environment) {
    std::ifstream in(JoinPath(ConfigFolder(environment), "user-dirs.dirs"));
    const std::string key = "XDG_VIDEOS_DIR=\"";
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(key, 0) != 0 || line.size() < key.size() + 1 || line.back() != '"')
            continue;
        std::string value = line.substr(key.size(), line.size() - key.size() - 1);
        if (value == "$HOME")
            return environment("HOME");
        if (value.rfind("$HOME/", 0) == 0)
            return JoinPath(environment("HOME"), value.substr(6));
        return !value.empty() && value.front() == kPathSeparator ? value : std::string();
    }
    return {};
}

std::string WithSeparator(const std::string& folder) {
    return folder.empty() || folder.back() == kPathSeparator ? folder : folder + kPathSeparator;
}

} // namespace

std::string DefaultOutputFolderFor(const std::string& programDirectory,
                                   const EnvironmentLookup& environment) {
    std::string home = environment("HOME");
    if (IsPortableCopy(programDirectory) || home.empty())
        return programDirectory;
    for (const std::string& candidate :
         {environment("XDG_VIDEOS_DIR"), VideosFolderFromUserDirs(environment),
          JoinPath(home, "Videos")}) {
        if (IsFolder(candidate))
            return WithSeparator(candidate);
    }
    return WithSeparator(home);
}

std::string DefaultOutputFolder() {
    return DefaultOutputFolderFor(ProgramDirectoryPath(), ProcessEnvironment);
}

} // namespace kiv
