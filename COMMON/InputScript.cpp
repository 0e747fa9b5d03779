#include "InputScript.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <filesystem>

namespace kiv {

namespace {

constexpr std::array<const char*, 5> kClassA = {".rm", ".rmvb", ".wmv", ".asf", ".ram"};
constexpr std::array<const char*, 2> kClassB = {".mp4", ".mov"};
constexpr std::array<const char*, 12> kDirect = {".swf",  ".flv",  ".vob", ".vro", ".vbo", ".h264",
                                                 ".h261", ".h263", ".mpg", ".avi", ".3gp", ".mpeg"};

std::string LowerExtension(std::string_view sourcePath) {
    std::string name = std::filesystem::path(std::string(sourcePath)).filename().string();
    std::size_t dot = name.rfind('.');
    if (dot == std::string::npos)
        return {};
    std::string extension = name.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

template <std::size_t N>
bool Contains(const std::array<const char*, N>& list, const std::string& extension) {
    return std::any_of(list.begin(), list.end(),
                       [&](const char* entry) { return extension == entry; });
}

} // namespace

ScriptClass ClassifySource(std::string_view sourcePath) {
    std::string extension = LowerExtension(sourcePath);
    if (Contains(kClassA, extension))
        return ScriptClass::A;
    if (Contains(kClassB, extension))
        return ScriptClass::B;
    if (Contains(kDirect, extension))
        return ScriptClass::Direct;
    return ScriptClass::C;
}

std::string InputScriptText(ScriptClass scriptClass, std::string_view sourcePath) {
    std::string path(sourcePath);
    std::string text = "LoadPlugin(\"DirectShowSource.dll\")\n";
    switch (scriptClass) {
    case ScriptClass::A:
        text += "DirectShowSource(\"" + path + "\", fps=23.976, convertfps=true )\n";
        break;
    case ScriptClass::B:
        text += "DirectShowSource(\"" + path + "\", fps=23.976, convertfps=false )\n";
        break;
    case ScriptClass::C:
    case ScriptClass::Direct:
        text += "DirectShowSource(\"" + path + "\")\n";
        break;
    }
    text += "return last";
    return text;
}

ScriptWrite WriteInputScript(const std::string& scriptPath, const std::string& sourcePath) {
    ScriptClass scriptClass = ClassifySource(sourcePath);
    if (scriptClass == ScriptClass::Direct)
        return ScriptWrite::NotNeeded;
    std::FILE* file = std::fopen(scriptPath.c_str(), "w");
    if (!file)
        return ScriptWrite::Failed;
    std::string text = InputScriptText(scriptClass, sourcePath);
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    written = std::fclose(file) == 0 && written;
    return written ? ScriptWrite::Written : ScriptWrite::Failed;
}

} // namespace kiv
