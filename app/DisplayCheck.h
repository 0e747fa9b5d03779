#pragma once
// Whether the window program can reach a display, decided before the toolkit
// starts: without one, Qt aborts with a message about platform plugins that
// tells a user nothing. The window program prints kNoDisplayMessage instead
// and exits with status 1.

#include "Environment.h"

#include <string>

namespace kiv {

// One line for standard error, ending in a line feed.
extern const char* const kNoDisplayMessage;

// The value of the last "-platform NAME" (or "--platform NAME") argument, the
// way Qt reads it; empty when there is none.
std::string PlatformArgument(int argc, const char* const* argv);

// Judges the platform Qt would pick: the platform argument, else
// QT_QPA_PLATFORM, else the desktop default (Wayland or X11). The value may
// list several platforms separated by ';', each with ":options"; one that can
// start is enough. xcb needs DISPLAY, wayland needs WAYLAND_DISPLAY or
// WAYLAND_SOCKET; any other platform (offscreen, vnc, eglfs, ...) needs no
// display server and is left to Qt.
bool DisplayReachable(const EnvironmentLookup& environment,
                      const std::string& platformArgument = {});

} // namespace kiv
