#pragma once
// The folder that an empty output-folder setting stands for.

#include "Environment.h"

#include <string>

namespace kiv {

// A portable copy converts into its own folder. An installed program's
// folder is no place for the user's files (users cannot write it, root
// should not), so it converts into the user's videos folder: XDG_VIDEOS_DIR
// from the environment or from user-dirs.dirs in the XDG configuration
// folder, else ~/Videos, whichever exists first; else the home folder (the
// program directory when HOME is unset). Ends in the separator.
std::string DefaultOutputFolderFor(const std::string& programDirectory,
                                   const EnvironmentLookup& environment);

// The same for the running program.
std::string DefaultOutputFolder();

} // namespace kiv
