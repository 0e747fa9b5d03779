#pragma once
// kiv-convert's --help in the desktop's language. Only the help is
// translated: every other message, the summary, the JSON and the log stay
// English, since scripts read them.

#include <string>
#include <vector>

namespace kiv {

// The help text for the first of languages that has one ("de", "fr_CA",
// "zh_CN"); kUsage, in English, when none has.
const char* TranslatedHelp(const std::vector<std::string>& languages);

} // namespace kiv
