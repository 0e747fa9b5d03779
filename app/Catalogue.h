#pragma once
// The built-in catalogue: nine output-format categories with 70 profiles.

#include "MediaProfile.h"
#include "TargetKind.h"

#include <string_view>

namespace kiv {

constexpr int kCategoryCount = 9;

int CategoryCount();

// The category at index 0 to 8; nullptr outside the catalogue.
const ProfileCategory* GetCategory(int categoryIndex);

// Copies the whole record at (category, profile) into out. Returns false and
// leaves out untouched when the pair lies outside the catalogue.
bool GetProfile(int categoryIndex, int profileIndex, MediaProfile& out);

// True when (category, profile) names a catalogue record.
bool IsValidProfileIndex(int categoryIndex, int profileIndex);

// Looks a profile name up among the categories of the given target kind.
// The last matching category wins; the pair is left unchanged when nothing
// matches. Returns whether a match was found.
bool FindProfileByName(std::string_view profileName, int targetKind, int& categoryIndex,
                       int& profileIndex);

} // namespace kiv
