#pragma once
// Languages as files tag their tracks: ISO 639-2 codes, in their
// bibliographic form ("ger", as Matroska and DVDs write it) or their
// terminological form ("deu", as MP4 writes it), or ISO 639-1 ("de"). The
// user's languages are kept as terminological codes; a track matches when
// its tag names the same language in any form.

#include "DesktopLanguages.h"
#include "Environment.h"

#include <string>
#include <string_view>
#include <vector>

namespace kiv {

// The terminological ISO 639-2 code of a code in any of the three forms or
// of an English name ("German"), lower case; a three-letter code the table
// does not know stays as it is (lower case); empty for anything else
// ("und", "", "x").
std::string CanonicalLanguage(std::string_view text);

// True when both name the same known language ("ger" and "deu").
bool SameLanguage(std::string_view a, std::string_view b);

// The English name of a language ("German"); the code itself when the
// table does not know it, "unknown" for none.
std::string LanguageName(std::string_view code);

// A list as the user writes it ("de, English; fra") read into canonical
// codes, in order, without repeats; unknown entries are left out and named
// in unknown when given.
std::vector<std::string> ReadLanguageList(std::string_view text,
                                          std::vector<std::string>* unknown = nullptr);
// "deu,eng".
std::string LanguageListText(const std::vector<std::string>& codes);

// The desktop's languages (DesktopLanguages: LANGUAGE, else LC_ALL,
// LC_MESSAGES, LANG) as the codes tracks are matched with, best first;
// English for "C" and "POSIX" and when nothing is set.
std::vector<std::string> DesktopTrackLanguages(const EnvironmentLookup& environment);
// The same for the running process.
std::vector<std::string> DesktopTrackLanguages();

} // namespace kiv
