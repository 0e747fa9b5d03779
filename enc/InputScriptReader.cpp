#include "InputScriptReader.h"

#include <array>
#include <cctype>
#include <fstream>
#include <sstream>
#include <vector>

namespace kiv::enc {

namespace {

constexpr std::string_view kPluginLine = "LoadPlugin(\"DirectShowSource.dll\")";
constexpr std::string_view kSourceOpening = "DirectShowSource(\"";
constexpr std::string_view kLastLine = "return last";
// What may follow the quoted path on the source line.
constexpr std::array<std::string_view, 3> kSourceTails = {")", ", fps=23.976, convertfps=true )",
                                                          ", fps=23.976, convertfps=false )"};
constexpr std::size_t kLongestScript = 8192;

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

} // namespace

bool IsAviSynthScript(std::string_view path) {
    if (path.size() < 4)
        return false;
    std::string_view tail = path.substr(path.size() - 4);
    return tail[0] == '.' && std::tolower(static_cast<unsigned char>(tail[1])) == 'a' &&
           std::tolower(static_cast<unsigned char>(tail[2])) == 'v' &&
           std::tolower(static_cast<unsigned char>(tail[3])) == 's';
}

std::optional<std::string> SourceOfInputScript(std::string_view text) {
    std::vector<std::string_view> lines = Lines(text);
    if (lines.size() != 3 || lines[0] != kPluginLine || lines[2] != kLastLine)
        return std::nullopt;
    std::string_view source = lines[1];
    if (!source.starts_with(kSourceOpening))
        return std::nullopt;
    source.remove_prefix(kSourceOpening.size());
    std::size_t quote = source.find('"');
    if (quote == std::string_view::npos || quote == 0)
        return std::nullopt;
    std::string_view tail = source.substr(quote + 1);
    for (std::string_view allowed : kSourceTails) {
        if (tail == allowed)
            return std::string(source.substr(0, quote));
    }
    return std::nullopt;
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
