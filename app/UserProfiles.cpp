#include "UserProfiles.h"

#include "FixedText.h"
#include "Paths.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <strings.h>
#include <unistd.h>

namespace kiv {

namespace fs = std::filesystem;

namespace {

bool SameName(const std::string& a, const std::string& b) {
    return ::strcasecmp(a.c_str(), b.c_str()) == 0;
}

const StoredProfile* FindStored(const std::vector<StoredProfile>& stored, const std::string& name) {
    auto found = std::find_if(stored.begin(), stored.end(), [&name](const StoredProfile& s) {
        return SameName(s.profile.name, name);
    });
    return found == stored.end() ? nullptr : &*found;
}

// A file name made of the profile's name: letters, digits, blanks, '-',
// '_' and '.' as they are, anything else '_'; " (2)" and on where taken.
std::string NewFilePath(const std::string& folder, const std::string& name) {
    std::string base;
    for (char c : name)
        base += (std::isalnum(static_cast<unsigned char>(c)) || c == ' ' || c == '-' || c == '_' ||
                 (c == '.' && !base.empty()))
                    ? c
                    : '_';
    base = base.substr(0, 120);
    std::string path = JoinPath(folder, base + kProfileFileExtension);
    for (int n = 2; fs::exists(path); ++n)
        path = JoinPath(folder, base + " (" + std::to_string(n) + ")" + kProfileFileExtension);
    return path;
}

// Writes the text under a temporary name beside path and renames it there.
bool WriteWhole(const std::string& path, const std::string& text, std::string& reason) {
    std::string temporary = path + ".XXXXXX";
    int descriptor = ::mkstemp(temporary.data());
    bool written = descriptor >= 0;
    for (std::size_t done = 0; written && done < text.size();) {
        ssize_t n = ::write(descriptor, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        written = n > 0;
        done += written ? static_cast<std::size_t>(n) : 0;
    }
    written = written && ::fsync(descriptor) == 0;
    if (descriptor >= 0)
        written = ::close(descriptor) == 0 && written;
    if (written && ::rename(temporary.c_str(), path.c_str()) == 0)
        return true;
    reason = "'" + path + "' cannot be written: " + std::strerror(errno);
    if (descriptor >= 0)
        ::unlink(temporary.c_str());
    return false;
}

bool MakeFolder(const std::string& folder, std::string& reason) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (!error)
        return true;
    reason = "the folder '" + folder + "' cannot be made: " + error.message();
    return false;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

std::string UserProfilesFolder() {
    return SettingsDirectory() + "profiles" + kPathSeparator;
}

std::vector<StoredProfile> LoadUserProfiles(const std::string& folder,
                                            std::vector<std::string>* problems) {
    std::vector<StoredProfile> stored;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        if (entry.path().extension() != kProfileFileExtension)
            continue;
        StoredProfile profile{entry.path().string(), {}};
        std::string reason;
        if (!ReadProfileFile(profile.path, profile.profile, reason)) {
            if (problems)
                problems->push_back(reason);
        } else if (FindStored(stored, profile.profile.name)) {
            if (problems)
                problems->push_back("'" + profile.path + "' is left out: a profile named \"" +
                                    profile.profile.name + "\" is read already");
        } else {
            stored.push_back(profile);
        }
    }
    std::sort(stored.begin(), stored.end(), [](const StoredProfile& a, const StoredProfile& b) {
        int order = ::strcasecmp(a.profile.name.c_str(), b.profile.name.c_str());
        return order != 0 ? order < 0 : a.profile.name < b.profile.name;
    });
    return stored;
}

bool SaveUserProfile(const std::string& folder, const UserProfile& profile, std::string& reason) {
    if (!CheckProfileName(profile.name, reason) || !MakeFolder(folder, reason))
        return false;
    std::vector<StoredProfile> stored = LoadUserProfiles(folder);
    const StoredProfile* same = FindStored(stored, profile.name);
    return WriteWhole(same ? same->path : NewFilePath(folder, profile.name),
                      ProfileFileText(profile), reason);
}

bool RenameUserProfile(const std::string& folder, const std::string& name,
                       const std::string& newName, std::string& reason) {
    if (!CheckProfileName(newName, reason))
        return false;
    std::vector<StoredProfile> stored = LoadUserProfiles(folder);
    const StoredProfile* profile = FindStored(stored, name);
    if (!profile) {
        reason = "there is no profile named \"" + name + "\"";
        return false;
    }
    const StoredProfile* taken = FindStored(stored, newName);
    if (taken && taken != profile) {
        reason = "a profile named \"" + newName + "\" is there already";
        return false;
    }
    UserProfile renamed = profile->profile;
    renamed.name = newName;
    SetText(renamed.values.ProfileName, newName);
    return WriteWhole(profile->path, ProfileFileText(renamed), reason);
}

bool DeleteUserProfile(const std::string& folder, const std::string& name, std::string& reason) {
    std::vector<StoredProfile> stored = LoadUserProfiles(folder);
    const StoredProfile* profile = FindStored(stored, name);
    if (!profile) {
        reason = "there is no profile named \"" + name + "\"";
        return false;
    }
    if (::unlink(profile->path.c_str()) == 0)
        return true;
    reason = "'" + profile->path + "' cannot be deleted: " + std::strerror(errno);
    return false;
}

bool ExportUserProfile(const std::string& folder, const std::string& name,
                       const std::string& destination, std::string& reason) {
    std::vector<StoredProfile> stored = LoadUserProfiles(folder);
    const StoredProfile* profile = FindStored(stored, name);
    if (!profile) {
        reason = "there is no profile named \"" + name + "\"";
        return false;
    }
    return WriteWhole(destination, ReadBytes(profile->path), reason);
}

bool ImportUserProfile(const std::string& folder, const std::string& source, UserProfile& imported,
                       std::string& reason) {
    UserProfile read;
    if (!ReadProfileFile(source, read, reason))
        return false;
    std::vector<StoredProfile> stored = LoadUserProfiles(folder);
    if (FindStored(stored, read.name)) {
        reason =
            "a profile named \"" + read.name + "\" is there already: rename or delete it first";
        return false;
    }
    // The bytes stored are the bytes read (a file changed meanwhile is read
    // again as a profile).
    std::string bytes = ReadBytes(source);
    if (!ReadProfileText(bytes, read, reason)) {
        reason = "'" + source + "' is not a profile file: " + reason;
        return false;
    }
    if (!MakeFolder(folder, reason) || !WriteWhole(NewFilePath(folder, read.name), bytes, reason))
        return false;
    imported = read;
    return true;
}

} // namespace kiv
