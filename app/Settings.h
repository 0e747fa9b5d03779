#pragma once
// The settings file kivinfo.ini: loaded once at start-up, written on exit.

#include "ProfileSelection.h"

#include <cstddef>
#include <string>

namespace kiv {

// Fills the program directory, opens the log (emptying it), and reads the
// settings and the selection. Indices outside their lists are replaced by
// the key's default and the log says so; so does a settings file that is
// there but cannot be read (the defaults are used).
void LoadSettings();

// Reads settings and selection from one INI file without touching the log
// or the program-wide copies; defaultFolder fills an empty Folder.
void ReadSettingsFile(const std::string& iniPath, const std::string& defaultFolder,
                      AppSettings& settings, ProfileSelection& selection);

// Replaces out-of-range indices by their defaults; returns one log text per
// repair (empty when nothing was repaired).
std::string RepairSelection(ProfileSelection& selection);

AppSettings CurrentSettings();
ProfileSelection CurrentSelection();

// The largest count of files at once a settings file may hold.
constexpr int kMostFilesAtOnce = 256;

// Makes the record current and writes [Options] AFO, AFC and Folder, and
// FilesAtOnce ("Automatic" or the count) once it is not Automatic or the
// file has it.
// A settings file that is there but cannot be read is not written (it
// would lose the user's other lines); that and a failed write return false
// with a sentence saying why in reason.
bool SaveSettings(AppSettings settings, std::string* reason = nullptr);
// Makes the selection current and writes the twelve [Video] keys, as above.
bool SaveSelection(ProfileSelection selection, std::string* reason = nullptr);

// Copies the program directory (ending in the separator); false when empty.
bool ProgramDirectory(char* buffer, std::size_t bufferSize);
std::string ProgramDirectory();

AppSettings DefaultSettings(const std::string& defaultFolder);

} // namespace kiv
