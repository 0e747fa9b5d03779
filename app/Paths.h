#pragma once
// Where the program's files live. The program directory holds what ships
// with the program (enc, help, images, skin); the data directories hold what
// it writes (settings, log, input script).

#include <string>

namespace kiv {

// The platform separator that joins a folder and a file name.
constexpr char kPathSeparator = '/';

// Directory of the running executable, ending in the separator; empty when
// it cannot be determined.
std::string ProgramDirectoryPath();

// Directory for kivinfo.ini: KIV_HOME when set, the program directory when
// writable, else the XDG configuration directory. Ends in the separator.
std::string SettingsDirectory();
// Directory for kiv.dmp and edit.avs: KIV_HOME, the program directory when
// writable, else the XDG state directory. Ends in the separator.
std::string StateDirectory();

std::string SettingsFilePath();
std::string LogFilePath();
std::string InputScriptPath();

// Folder + separator + name, with exactly one separator between them.
std::string JoinPath(const std::string& folder, const std::string& name);

} // namespace kiv
