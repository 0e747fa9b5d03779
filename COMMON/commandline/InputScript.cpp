#include "commandline/InputScript.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

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
    // A fresh file of this run's own: an earlier script is removed, and
    // nothing planted at the path (a link, another user's file) is written
    // through.
    ::unlink(scriptPath.c_str());
    int descriptor =
        ::open(scriptPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (descriptor < 0)
        return ScriptWrite::Failed;
    std::string text = InputScriptText(scriptClass, sourcePath);
    bool written =
        ::write(descriptor, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    written = ::close(descriptor) == 0 && written;
    return written ? ScriptWrite::Written : ScriptWrite::Failed;
}

} // namespace kiv
