#include "DesktopLanguages.h"

namespace kiv {

namespace {

// "de_DE.UTF-8@euro" -> "de_DE"; empty for the C locale.
std::string LanguageOfLocale(std::string value) {
    value = value.substr(0, value.find('@'));
    value = value.substr(0, value.find('.'));
    if (value == "C" || value == "POSIX")
        return {};
    return value;
}

} // namespace

std::vector<std::string> DesktopLanguages(const EnvironmentLookup& environment) {
    std::vector<std::string> languages;
    const std::string list = environment("LANGUAGE");
    for (std::size_t start = 0; start < list.size();) {
        const std::size_t end = std::min(list.find(':', start), list.size());
        if (end > start) {
            const std::string language = LanguageOfLocale(list.substr(start, end - start));
            if (language.empty())
                return languages;
            languages.push_back(language);
        }
        start = end + 1;
    }
    if (!languages.empty())
        return languages;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const std::string value = environment(name);
        if (value.empty())
            continue;
        const std::string language = LanguageOfLocale(value);
        if (!language.empty())
            languages.push_back(language);
        break;
    }
    return languages;
}

} // namespace kiv
