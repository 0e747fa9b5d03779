#include "OpenFolder.h"

#include "DesktopOpen.h"

#include <QUrl>

namespace kiv {

bool OpenFolder(const QString& path) {
    return OpenOrSay(nullptr, QUrl::fromLocalFile(path));
}

} // namespace kiv
