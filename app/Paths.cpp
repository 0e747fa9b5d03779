#include "Paths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace kiv {

namespace {

constexpr const char* kAppFolderName = "kiv-video-converter";

std::string WithSeparator(std::string folder) {
    if (folder.empty() || folder.back() != kPathSeparator)
        folder += kPathSeparator;
    return folder;
}

std::string EnvOrEmpty(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

// A directory made on demand; creation failures surface when the file is opened.
std::string EnsureDirectory(std::string folder) {
    folder = WithSeparator(std::move(folder));
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return folder;
}

std::string XdgDirectory(const char* variable, const char* fallbackUnderHome) {
    std::string base = EnvOrEmpty(variable);
    if (base.empty())
        base = WithSeparator(EnvOrEmpty("HOME")) + fallbackUnderHome;
    return EnsureDirectory(WithSeparator(base) + kAppFolderName);
}

bool ProgramDirectoryWritable() {
    std::string folder = ProgramDirectoryPath();
    return !folder.empty() && access(folder.c_str(), W_OK) == 0;
}

std::string DataDirectory(const char* xdgVariable, const char* xdgFallback) {
    std::string home = EnvOrEmpty("KIV_HOME");
    if (!home.empty())
        return EnsureDirectory(home);
    if (ProgramDirectoryWritable())
        return ProgramDirectoryPath();
    return XdgDirectory(xdgVariable, xdgFallback);
}

} // namespace

std::string ProgramDirectoryPath() {
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    return WithSeparator(exe.parent_path().string());
}

std::string SettingsDirectory() {
    return DataDirectory("XDG_CONFIG_HOME", ".config");
}
std::string StateDirectory() {
    return DataDirectory("XDG_STATE_HOME", ".local/state");
}

std::string SettingsFilePath() {
    return SettingsDirectory() + "kivinfo.ini";
}
std::string LogFilePath() {
    return StateDirectory() + "kiv.dmp";
}
std::string InputScriptPath() {
    return StateDirectory() + "edit.avs";
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    return WithSeparator(folder) + name;
}

} // namespace kiv
