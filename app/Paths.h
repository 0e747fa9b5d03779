#pragma once
// Where the program's files live. The program directory holds what ships
// with the program (enc, help, images, skin); the data directories hold what
// it writes (settings, log); the runtime directory holds each run's private
// folder (input script, links) and the window's socket.

#include "Environment.h"

#include <string>

namespace kiv {

// The platform separator that joins a folder and a file name.
constexpr char kPathSeparator = '/';

// A file of this name in the program directory makes it a portable copy
// that keeps its data beside itself. The build tree has one; an installed
// program has none.
constexpr const char* kPortableMarker = "portable";

// What a data directory holds: the settings file; the logs; or what lives
// only as long as a run (run folders, the window's socket).
enum class DataKind { Settings, State, Runtime };

// Directory of the running executable, ending in the separator; empty when
// it cannot be determined.
std::string ProgramDirectoryPath();

// True when the directory holds the portable marker and is writable.
bool IsPortableCopy(const std::string& programDirectory);

// The data directory for a kind, ending in the separator, decided in this
// order: KIV_HOME when set; the program directory when it holds the portable
// marker and is writable; else $XDG_CONFIG_HOME (settings) or
// $XDG_STATE_HOME (state) with the program's own folder below it, falling
// back to ~/.config and ~/.local/state when the variable is unset or not an
// absolute path. Runtime: KIV_HOME when set, else $XDG_RUNTIME_DIR with the
// program's own folder below it when that variable is an absolute path,
// else the State directory. Creates nothing.
std::string DataDirectoryFor(DataKind kind, const std::string& programDirectory,
                             const EnvironmentLookup& environment);

// The data directories of the running program, created on demand with mode
// 0700 (folders that are there keep theirs).
std::string SettingsDirectory();
std::string StateDirectory();
std::string RuntimeDirectory();

std::string SettingsFilePath();
// The log of this program: kiv.dmp for the window, or the name given to
// UseLogName, in the State directory.
std::string LogFilePath();
// Names the program's own log; call before the log is first opened.
void UseLogName(const char* name);
// The input script of this run: "edit.avs" in the run's private folder
// (RunFolder.h), made on first call; empty when that folder cannot be made.
std::string InputScriptPath();

// Folder + separator + name, with exactly one separator between them.
std::string JoinPath(const std::string& folder, const std::string& name);

} // namespace kiv
