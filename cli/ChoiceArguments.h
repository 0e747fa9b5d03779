#pragma once
// kiv-convert's options for what goes into the files beyond the profile:
// tracks, burned-in subtitles, quality, crop and filters. They change the
// chosen profile (a built-in one, one of "My profiles" or a profile file).

#include "CliOptions.h"
#include "ProfileChoice.h"

#include <string>

namespace kiv {

// False with a message for a value the option does not take, or a quality
// for a format that does not encode at a constant quality.
bool ApplyChoiceArguments(const CliOptions& options, ProfileChoice& choice, std::string& error);

} // namespace kiv
