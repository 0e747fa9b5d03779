#pragma once
// The languages the desktop asks for, read from the environment the way Qt
// and most desktops read it, for both programs: the window picks its
// translation by them, kiv-convert its --help.

#include "Environment.h"

#include <string>
#include <vector>

namespace kiv {

// Best first, as "de", "pt_BR": the list in LANGUAGE when it is set, else
// the first of LC_ALL, LC_MESSAGES and LANG that is set, without its
// codeset and modifier ("de_DE.UTF-8@euro" is "de_DE"). A "C" or "POSIX"
// locale asks for English: the list ends there.
std::vector<std::string> DesktopLanguages(const EnvironmentLookup& environment);

} // namespace kiv
