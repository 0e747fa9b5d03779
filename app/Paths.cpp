#include "Paths.h"

#include <atomic>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace kiv {

namespace {

constexpr const char* kAppFolderName = "kiv-video-converter";
std::atomic<const char*> logName{"kiv.dmp"};

std::string WithSeparator(std::string folder) {
    if (folder.empty() || folder.back() != kPathSeparator)
        folder += kPathSeparator;
    return folder;
}

// A directory made on demand, with every missing folder above it, each
// readable by this user alone: they hold the settings, the logs (which name
// the user's files) and the runs' private folders. Folders that are there
// keep their modes. Creation failures surface when the file is opened.
std::string EnsureDirectory(std::string folder) {
    for (std::size_t end = folder.find(kPathSeparator, 1); end != std::string::npos;
         end = folder.find(kPathSeparator, end + 1))
        ::mkdir(folder.substr(0, end).c_str(), 0700);
    ::mkdir(folder.c_str(), 0700);
    return folder;
}

std::string XdgDirectory(DataKind kind, const EnvironmentLookup& environment) {
    bool settings = kind == DataKind::Settings;
    // Relative values are invalid by the XDG rules and are ignored.
    std::string base = environment(settings ? "XDG_CONFIG_HOME" : "XDG_STATE_HOME");
    if (base.empty() || base.front() != kPathSeparator)
        base = WithSeparator(environment("HOME")) + (settings ? ".config" : ".local/state");
    return WithSeparator(JoinPath(base, kAppFolderName));
}

std::string RunningDataDirectory(DataKind kind) {
    return EnsureDirectory(DataDirectoryFor(kind, ProgramDirectoryPath(), ProcessEnvironment));
}

bool IsAbsolute(const std::string& path) {
    return !path.empty() && path.front() == kPathSeparator;
}

} // namespace

std::string ProgramDirectoryPath() {
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    return WithSeparator(exe.parent_path().string());
}

bool IsPortableCopy(const std::string& programDirectory) {
    if (programDirectory.empty())
        return false;
    std::error_code error;
    return std::filesystem::is_regular_file(JoinPath(programDirectory, kPortableMarker), error) &&
           access(programDirectory.c_str(), W_OK) == 0;
}

std::string DataDirectoryFor(DataKind kind, const std::string& programDirectory,
                             const EnvironmentLookup& environment) {
    std::string home = environment("KIV_HOME");
    if (!home.empty())
        return WithSeparator(home);
    if (kind == DataKind::Runtime) {
        std::string runtime = environment("XDG_RUNTIME_DIR");
        if (IsAbsolute(runtime))
            return WithSeparator(JoinPath(runtime, kAppFolderName));
        kind = DataKind::State;
    }
    if (IsPortableCopy(programDirectory))
        return WithSeparator(programDirectory);
    return XdgDirectory(kind, environment);
}

std::string SettingsDirectory() {
    return RunningDataDirectory(DataKind::Settings);
}
std::string StateDirectory() {
    return RunningDataDirectory(DataKind::State);
}
std::string RuntimeDirectory() {
    return EnsureDirectory(
        DataDirectoryFor(DataKind::Runtime, ProgramDirectoryPath(), ProcessEnvironment));
}

std::string SettingsFilePath() {
    return SettingsDirectory() + "kivinfo.ini";
}
std::string LogFilePath() {
    return StateDirectory() + logName.load();
}
void UseLogName(const char* name) {
    logName = name;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    return WithSeparator(folder) + name;
}

} // namespace kiv
