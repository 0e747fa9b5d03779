#pragma once
// Resolves --format and --profile against the catalogue, starting from the
// selection in the settings file.

#include "CliOptions.h"
#include "MediaProfile.h"
#include "ProfileSelection.h"

#include <string>

namespace kiv {

struct ProfileChoice {
    int categoryIndex = 0;
    int targetKind = 0;
    MediaProfile profile{};
};

// False with a message when a name or index is not in the catalogue.
bool ChooseProfile(const CliOptions& options, const ProfileSelection& selection,
                   ProfileChoice& choice, std::string& error);

} // namespace kiv
