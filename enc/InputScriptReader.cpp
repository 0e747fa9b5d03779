#include "InputScriptReader.h"

#include "InputScriptFormat.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

namespace kiv::enc {

namespace {
constexpr std::size_t kLongestScript = 8192;
}

bool IsAviSynthScript(std::string_view path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".avs";
}

bool ResolveInputScript(const std::string& scriptPath, std::string& sourcePath,
                        std::string& error) {
    std::ifstream file(scriptPath, std::ios::binary);
    if (!file) {
        error = "cannot read the input script " + scriptPath;
        return false;
    }
    std::string text(kLongestScript + 1, '\0');
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(file.gcount()));
    std::optional<std::string> source =
        text.size() <= kLongestScript ? SourceOfInputScript(text) : std::nullopt;
    if (!source) {
        error = "cannot run the AviSynth script " + scriptPath +
                ": no AviSynth on this system; only the DirectShowSource input script is read";
        return false;
    }
    sourcePath = *source;
    return true;
}

} // namespace kiv::enc
