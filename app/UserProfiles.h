#pragma once
// The user's own profiles: one profile file each (ProfileFile.h) in the
// folder "profiles" of the settings directory, never in the program's
// folder. They follow the built-in formats as one more format, "My
// profiles", in the order of their names; the built-in catalogue's format
// and profile numbers keep their meaning.
//
// Every change is all or nothing: a file is written under a temporary name
// and renamed over its place, and a refused import, rename or save leaves
// the folder as it was.

#include "ProfileFile.h"

#include <string>
#include <vector>

namespace kiv {

inline constexpr const char* kMyProfilesFormat = "My profiles";
inline constexpr const char* kProfileFileExtension = ".kivprofile";

struct StoredProfile {
    std::string path;
    UserProfile profile;
};

// The folder of the running program's user: SettingsDirectory() + "profiles/".
std::string UserProfilesFolder();

// The profiles in the folder, by name (letters' case aside); a file that
// does not read is left out and named in problems when given.
std::vector<StoredProfile> LoadUserProfiles(const std::string& folder,
                                            std::vector<std::string>* problems = nullptr);

// Stores the profile, replacing the one of the same name; false with a
// sentence saying why it could not be.
bool SaveUserProfile(const std::string& folder, const UserProfile& profile, std::string& reason);

bool RenameUserProfile(const std::string& folder, const std::string& name,
                       const std::string& newName, std::string& reason);
bool DeleteUserProfile(const std::string& folder, const std::string& name, std::string& reason);

// Writes the profile's file, byte for byte, to destination.
bool ExportUserProfile(const std::string& folder, const std::string& name,
                       const std::string& destination, std::string& reason);

// Reads a profile file and stores it as it is, byte for byte; a file that is
// not a profile, or one whose name is already among the user's, is refused
// with the reason and nothing changes. imported: the profile read.
bool ImportUserProfile(const std::string& folder, const std::string& source, UserProfile& imported,
                       std::string& reason);

} // namespace kiv
