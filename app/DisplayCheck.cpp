#include "DisplayCheck.h"

#include <algorithm>
#include <string_view>

namespace kiv {

const char* const kNoDisplayMessage =
    "kiv-video-converter: no display found; kiv-convert converts files without one\n";

namespace {

// Qt's desktop default when no platform is named.
constexpr std::string_view kDefaultPlatforms = "wayland;xcb";

bool PlatformCanStart(std::string_view name, const EnvironmentLookup& environment) {
    if (name == "xcb")
        return !environment("DISPLAY").empty();
    if (name.starts_with("wayland"))
        return !environment("WAYLAND_DISPLAY").empty() || !environment("WAYLAND_SOCKET").empty();
    return true;
}

} // namespace

std::string PlatformArgument(int argc, const char* const* argv) {
    std::string platform;
    for (int i = 1; i + 1 < argc; ++i) {
        std::string_view argument = argv[i];
        if (argument == "-platform" || argument == "--platform")
            platform = argv[++i];
    }
    return platform;
}

bool DisplayReachable(const EnvironmentLookup& environment, const std::string& platformArgument) {
    std::string named =
        platformArgument.empty() ? environment("QT_QPA_PLATFORM") : platformArgument;
    std::string_view platforms = named.empty() ? kDefaultPlatforms : std::string_view(named);
    while (!platforms.empty()) {
        std::string_view entry = platforms.substr(0, platforms.find(';'));
        platforms.remove_prefix(std::min(platforms.size(), entry.size() + 1));
        std::string_view name = entry.substr(0, entry.find(':'));
        if (!name.empty() && PlatformCanStart(name, environment))
            return true;
    }
    return false;
}

} // namespace kiv
