#include "ProfileChoice.h"

#include "Catalogue.h"
#include "FixedText.h"
#include "Vocabularies.h"

#include <charconv>

namespace kivcli {

namespace {

// An index when the whole text is a number, else -1.
int IndexText(const std::string& text) {
    int value = -1;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : -1;
}

int FindCategory(const std::string& text) {
    int index = IndexText(text);
    if (index >= 0)
        return kiv::GetCategory(index) ? index : -1;
    for (int c = 0; c < kiv::CategoryCount(); ++c)
        if (kiv::GetText(kiv::GetCategory(c)->CategoryName) == text)
            return c;
    return -1;
}

int FindProfile(const kiv::ProfileCategory& category, const std::string& text) {
    int index = IndexText(text);
    if (index >= 0)
        return index < category.ProfileCount ? index : -1;
    for (int p = 0; p < category.ProfileCount; ++p)
        if (kiv::GetText(category.Profiles[p].ProfileName) == text)
            return p;
    return -1;
}

} // namespace

bool ChooseProfile(const CliOptions& options, const kiv::ProfileSelection& selection,
                   ProfileChoice& choice, std::string& error) {
    int category = selection.Kind;
    if (options.format) {
        category = FindCategory(*options.format);
        if (category < 0) {
            error = "unknown format '" + *options.format + "' (see --list)";
            return false;
        }
    }
    const kiv::ProfileCategory* entry = kiv::GetCategory(category);
    choice.categoryIndex = category;
    choice.targetKind = entry->Target;
    if (options.profile) {
        int profile = FindProfile(*entry, *options.profile);
        if (profile < 0) {
            error = "unknown profile '" + *options.profile + "' in format '" +
                    std::string(entry->CategoryName) + "' (see --list)";
            return false;
        }
        kiv::GetProfile(category, profile, choice.profile);
    } else if (options.format) {
        kiv::GetProfile(category, 0, choice.profile);
    } else {
        // The working profile the window would use for the saved selection.
        choice.profile = kiv::EmptyProfile();
        kiv::ProfileFromSelection(selection, entry->Target, choice.profile);
    }
    return true;
}

} // namespace kivcli
