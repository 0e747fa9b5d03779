#pragma once
// Where the user left the program's windows (size, position, maximised),
// kept between runs in "window.ini" in the state folder, one line per
// window: what the desktop needs to put it back, not a setting.
//
//     window.restoreGeometry(SavedWindowGeometry("Main"));  // before show
//     SaveWindowGeometry("Main", window.saveGeometry());   // as it closes

#include <QByteArray>

namespace kiv {

// Empty when nothing was kept for the window.
QByteArray SavedWindowGeometry(const char* window);
// Failures go to the log: a window that opens at its smallest size next
// time is no reason to bother the user.
void SaveWindowGeometry(const char* window, const QByteArray& geometry);

} // namespace kiv
