#include "InputScriptReader.h"

#include "InputScriptFormat.h"

#include <cctype>
#include <fstream>

namespace kiv::enc {

namespace {
constexpr std::size_t kLongestScript = 8192;
}

bool IsAviSynthScript(std::string_view path) {
    if (path.size() < 4)
        return false;
    std::string_view tail = path.substr(path.size() - 4);
    return tail[0] == '.' && std::tolower(static_cast<unsigned char>(tail[1])) == 'a' &&
           std::tolower(static_cast<unsigned char>(tail[2])) == 'v' &&
           std::tolower(static_cast<unsigned char>(tail[3])) == 's';
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
