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
    std::string extension = std::filesystem::path(sourcePath).extension().string();
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
