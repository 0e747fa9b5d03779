#pragma once
// Shows a folder in the desktop's file manager, as after a batch and from
// the output-folder menu's "Open".

#include <QString>

namespace kiv {

// Asks the desktop to open the folder (DesktopOpen.h). Nothing is checked
// first; when the desktop cannot open it, one warning over the active
// window names the folder to open by hand. The result says whether an
// opener took it.
bool OpenFolder(const QString& path);

} // namespace kiv
