#include "InputScriptFormat.h"

#include <array>
#include <vector>

namespace kiv {

namespace {

constexpr std::string_view kPluginLine = "LoadPlugin(\"DirectShowSource.dll\")";
constexpr std::string_view kSourceOpening = "DirectShowSource(\"";
constexpr std::string_view kLastLine = "return last";
constexpr std::string_view kTailA = ", fps=23.976, convertfps=true )";
constexpr std::string_view kTailB = ", fps=23.976, convertfps=false )";
constexpr std::string_view kTailPlain = ")";

std::string_view SourceTail(ScriptClass scriptClass) {
    switch (scriptClass) {
    case ScriptClass::A:
        return kTailA;
    case ScriptClass::B:
        return kTailB;
    case ScriptClass::C:
    case ScriptClass::Direct:
        break;
    }
    return kTailPlain;
}

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

std::string InputScriptText(ScriptClass scriptClass, std::string_view sourcePath) {
    std::string text(kPluginLine);
    text += "\n";
    text += kSourceOpening;
    text += sourcePath;
    text += "\"";
    text += SourceTail(scriptClass);
    text += "\n";
    text += kLastLine;
    return text;
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
    for (std::string_view allowed : {kTailPlain, kTailA, kTailB}) {
        if (tail == allowed)
            return std::string(source.substr(0, quote));
    }
    return std::nullopt;
}

} // namespace kiv
