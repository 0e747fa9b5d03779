#pragma once
// Small helpers for tests that work on real files in a scratch folder. Used
// by the GoogleTest and the Qt Test suites alike: no test framework here.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace kiv::test {

inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

// A fresh, empty folder below the system's temporary folder, private to this
// test process (ctest runs tests in parallel), removed when the process ends.
inline std::filesystem::path ScratchFolder(const std::string& name) {
    struct Cleanup {
        std::vector<std::filesystem::path> folders;
        ~Cleanup() {
            std::error_code ignored;
            for (const auto& folder : folders)
                std::filesystem::remove_all(folder, ignored);
        }
    };
    static Cleanup cleanup;
    std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                   ("kivtest-" + name + "-" + std::to_string(getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    cleanup.folders.push_back(folder);
    return folder;
}

// The lines of a text, without their line feeds (a last line without one
// counts too).
inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// A folder for media that every test program may share and reuse between
// runs ($KIV_HOME/media, else below the temporary folder); made on first use.
inline std::filesystem::path SharedMediaFolder() {
    const char* home = std::getenv("KIV_HOME");
    std::filesystem::path folder =
        (home && *home ? std::filesystem::path(home)
                       : std::filesystem::temp_directory_path() / "kivtest-shared") /
        "media";
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return folder;
}

} // namespace kiv::test
