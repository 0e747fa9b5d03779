#include "Languages.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace kiv {

namespace {

struct LanguageRow {
    std::string_view twoLetter;     // ISO 639-1
    std::string_view bibliographic; // ISO 639-2/B
    std::string_view terminology;   // ISO 639-2/T
    std::string_view name;
};

// The languages films are dubbed and subtitled in most; the codes where
// the two ISO 639-2 forms differ come first.
// clang-format off
constexpr std::array<LanguageRow, 48> kLanguages = {{
    {"sq", "alb", "sqi", "Albanian"},   {"hy", "arm", "hye", "Armenian"},
    {"eu", "baq", "eus", "Basque"},     {"my", "bur", "mya", "Burmese"},
    {"zh", "chi", "zho", "Chinese"},    {"cs", "cze", "ces", "Czech"},
    {"nl", "dut", "nld", "Dutch"},      {"fr", "fre", "fra", "French"},
    {"ka", "geo", "kat", "Georgian"},   {"de", "ger", "deu", "German"},
    {"el", "gre", "ell", "Greek"},      {"is", "ice", "isl", "Icelandic"},
    {"mk", "mac", "mkd", "Macedonian"}, {"ms", "may", "msa", "Malay"},
    {"fa", "per", "fas", "Persian"},    {"ro", "rum", "ron", "Romanian"},
    {"sk", "slo", "slk", "Slovak"},     {"cy", "wel", "cym", "Welsh"},
    {"ar", "ara", "ara", "Arabic"},     {"bg", "bul", "bul", "Bulgarian"},
    {"ca", "cat", "cat", "Catalan"},    {"hr", "hrv", "hrv", "Croatian"},
    {"da", "dan", "dan", "Danish"},     {"en", "eng", "eng", "English"},
    {"et", "est", "est", "Estonian"},   {"fi", "fin", "fin", "Finnish"},
    {"he", "heb", "heb", "Hebrew"},     {"hi", "hin", "hin", "Hindi"},
    {"hu", "hun", "hun", "Hungarian"},  {"id", "ind", "ind", "Indonesian"},
    {"it", "ita", "ita", "Italian"},    {"ja", "jpn", "jpn", "Japanese"},
    {"ko", "kor", "kor", "Korean"},     {"lv", "lav", "lav", "Latvian"},
    {"lt", "lit", "lit", "Lithuanian"}, {"nb", "nob", "nob", "Norwegian Bokmal"},
    {"no", "nor", "nor", "Norwegian"},  {"pl", "pol", "pol", "Polish"},
    {"pt", "por", "por", "Portuguese"}, {"ru", "rus", "rus", "Russian"},
    {"sr", "srp", "srp", "Serbian"},    {"sl", "slv", "slv", "Slovenian"},
    {"es", "spa", "spa", "Spanish"},    {"sv", "swe", "swe", "Swedish"},
    {"th", "tha", "tha", "Thai"},       {"tr", "tur", "tur", "Turkish"},
    {"uk", "ukr", "ukr", "Ukrainian"},  {"vi", "vie", "vie", "Vietnamese"},
}};
// clang-format on

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

const LanguageRow* FindLanguage(std::string_view text) {
    std::string lower = Lower(Trimmed(text));
    for (const LanguageRow& row : kLanguages)
        if (lower == row.twoLetter || lower == row.bibliographic || lower == row.terminology ||
            lower == Lower(row.name))
            return &row;
    return nullptr;
}

bool AllLetters(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return std::isalpha(static_cast<unsigned char>(c)); });
}

// "de_DE.UTF-8@euro" -> "de".
std::string_view LocaleLanguage(std::string_view locale) {
    std::size_t end = locale.find_first_of("_.@");
    return locale.substr(0, end);
}

} // namespace

std::string CanonicalLanguage(std::string_view text) {
    if (const LanguageRow* row = FindLanguage(text))
        return std::string(row->terminology);
    std::string lower = Lower(Trimmed(text));
    // "und" (undetermined), "mul" (several), "zxx" (no speech) name no one
    // language.
    if (lower.size() != 3 || !AllLetters(lower) || lower == "und" || lower == "mul" ||
        lower == "zxx" || lower == "mis")
        return {};
    return lower;
}

bool SameLanguage(std::string_view a, std::string_view b) {
    std::string first = CanonicalLanguage(a);
    return !first.empty() && first == CanonicalLanguage(b);
}

std::string LanguageName(std::string_view code) {
    if (const LanguageRow* row = FindLanguage(code))
        return std::string(row->name);
    std::string canonical = CanonicalLanguage(code);
    return canonical.empty() ? "unknown" : canonical;
}

std::vector<std::string> ReadLanguageList(std::string_view text,
                                          std::vector<std::string>* unknown) {
    std::vector<std::string> codes;
    while (!text.empty()) {
        std::size_t end = text.find_first_of(",;:");
        std::string_view entry = Trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (entry.empty())
            continue;
        std::string code = CanonicalLanguage(entry);
        if (code.empty()) {
            if (unknown)
                unknown->emplace_back(entry);
            continue;
        }
        if (std::find(codes.begin(), codes.end(), code) == codes.end())
            codes.push_back(code);
    }
    return codes;
}

std::string LanguageListText(const std::vector<std::string>& codes) {
    std::string text;
    for (const std::string& code : codes) {
        if (!text.empty())
            text += ',';
        text += code;
    }
    return text;
}

std::vector<std::string> DesktopTrackLanguages(const EnvironmentLookup& environment) {
    std::vector<std::string> codes;
    for (const std::string& locale : DesktopLanguages(environment)) {
        std::string code = CanonicalLanguage(LocaleLanguage(locale));
        if (!code.empty() && std::find(codes.begin(), codes.end(), code) == codes.end())
            codes.push_back(code);
    }
    if (codes.empty())
        codes.push_back("eng");
    return codes;
}

std::vector<std::string> DesktopTrackLanguages() {
    return DesktopTrackLanguages(ProcessEnvironment);
}

} // namespace kiv
