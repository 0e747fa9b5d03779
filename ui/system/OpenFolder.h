#pragma once
// Shows a folder in the desktop's file manager, as after a batch and from
// the output-folder menu's "Open".

#include <QString>

namespace kiv {

// Asks the desktop to open the folder (QDesktopServices, a file: URL).
// Nothing is checked first; the result says whether a handler took it.
bool OpenFolder(const QString& path);

} // namespace kiv
