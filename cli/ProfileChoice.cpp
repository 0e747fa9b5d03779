#include "ProfileChoice.h"

#include "Catalogue.h"
#include "FixedText.h"
#include "Vocabularies.h"

#include <charconv>

namespace kiv {

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
        return GetCategory(index) ? index : -1;
    for (int c = 0; c < CategoryCount(); ++c)
        if (GetText(GetCategory(c)->CategoryName) == text)
            return c;
    return -1;
}

int FindProfile(const ProfileCategory& category, const std::string& text) {
    int index = IndexText(text);
    if (index >= 0)
        return index < category.ProfileCount ? index : -1;
    for (int p = 0; p < category.ProfileCount; ++p)
        if (GetText(category.Profiles[p].ProfileName) == text)
            return p;
    return -1;
}

} // namespace

bool ChooseProfile(const CliOptions& options, const ProfileSelection& selection,
                   ProfileChoice& choice, std::string& error) {
    int category = selection.Kind;
    if (options.format) {
        category = FindCategory(*options.format);
        if (category < 0) {
            error = "unknown format '" + *options.format + "' (see --list)";
            return false;
        }
    }
    const ProfileCategory* entry = GetCategory(category);
    choice.categoryIndex = category;
    choice.targetKind = entry->Target;
    if (options.profile) {
        int profile = FindProfile(*entry, *options.profile);
        if (profile < 0) {
            error = "unknown profile '" + *options.profile + "' in format '" +
                    std::string(entry->CategoryName) + "' (see --list)";
            return false;
        }
        GetProfile(category, profile, choice.profile);
    } else if (options.format) {
        GetProfile(category, 0, choice.profile);
    } else {
        // The working profile the window would use for the saved selection.
        choice.profile = EmptyProfile();
        ProfileFromSelection(selection, entry->Target, choice.profile);
    }
    return true;
}

} // namespace kiv
