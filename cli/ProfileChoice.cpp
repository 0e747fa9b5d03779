#include "ProfileChoice.h"

#include "Catalogue.h"
#include "FixedText.h"
#include "UserProfiles.h"
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
        return GetCategory(index) || index == CategoryCount() ? index : -1;
    if (text == kMyProfilesFormat)
        return CategoryCount();
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

void TakeUserProfile(const UserProfile& profile, ProfileChoice& choice) {
    choice.categoryIndex = profile.category;
    choice.targetKind = GetCategory(profile.category)->Target;
    choice.profile = profile.values;
    choice.choices = profile.choices;
}

bool ChooseUserProfile(const CliOptions& options, ProfileChoice& choice, std::string& error) {
    std::vector<StoredProfile> stored = LoadUserProfiles(UserProfilesFolder());
    if (stored.empty()) {
        error =
            std::string("there is no profile of your own under \"") + kMyProfilesFormat + "\" yet";
        return false;
    }
    std::size_t index = 0;
    if (options.profile) {
        int number = IndexText(*options.profile);
        index = number >= 0 ? static_cast<std::size_t>(number) : stored.size();
        for (std::size_t i = 0; number < 0 && i < stored.size(); ++i)
            if (stored[i].profile.name == *options.profile)
                index = i;
        if (index >= stored.size()) {
            error = "unknown profile '" + *options.profile + "' in format '" + kMyProfilesFormat +
                    "' (see --list)";
            return false;
        }
    }
    TakeUserProfile(stored[index].profile, choice);
    return true;
}

} // namespace

bool ChooseProfile(const CliOptions& options, const ProfileSelection& selection,
                   ProfileChoice& choice, std::string& error) {
    if (options.profileFile) {
        if (options.format || options.profile) {
            error = "--profile-file goes without --format and --profile";
            return false;
        }
        UserProfile profile;
        if (!ReadProfileFile(*options.profileFile, profile, error))
            return false;
        TakeUserProfile(profile, choice);
        return true;
    }
    int category = selection.Kind;
    if (options.format) {
        category = FindCategory(*options.format);
        if (category < 0) {
            error = "unknown format '" + *options.format + "' (see --list)";
            return false;
        }
        if (category == CategoryCount())
            return ChooseUserProfile(options, choice, error);
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
