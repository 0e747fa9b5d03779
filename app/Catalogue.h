#pragma once
// The built-in catalogue: the nine output-format categories of old with
// their 70 profiles, then today's formats (only ever appended: the settings
// store category and profile indices).

#include "MediaProfile.h"
#include "TargetKind.h"

#include <string_view>

namespace kiv {

constexpr int kCategoryCount = 11;
// The categories of old, whose 70 profiles never change.
constexpr int kClassicCategoryCount = 9;

int CategoryCount();

// The category at an index below kCategoryCount; nullptr outside the catalogue.
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
