#pragma once
// Small helpers for tests that work on real files in a scratch folder.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace kivtest {

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

// A fresh, empty folder below the system's temporary folder.
inline std::filesystem::path ScratchFolder(const std::string& name) {
    std::filesystem::path folder = std::filesystem::temp_directory_path() / ("kivtest-" + name);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

} // namespace kivtest
