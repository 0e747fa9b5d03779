#pragma once
// Resolves --format and --profile against the catalogue and the user's own
// profiles (the format "My profiles", after the built-in ones), or reads
// --profile-file, starting from the selection in the settings file.

#include "CliOptions.h"
#include "MediaProfile.h"
#include "ProfileChoices.h"
#include "ProfileSelection.h"

#include <string>

namespace kiv {

struct ProfileChoice {
    int categoryIndex = 0;
    int targetKind = 0;
    MediaProfile profile{};
    ProfileChoices choices{}; // a profile of the user's own: its tracks rule and filters
};

// False with a message when a name or index is not in the catalogue.
bool ChooseProfile(const CliOptions& options, const ProfileSelection& selection,
                   ProfileChoice& choice, std::string& error);

} // namespace kiv
