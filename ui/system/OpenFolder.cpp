#include "OpenFolder.h"

#include <QDesktopServices>
#include <QUrl>

namespace kiv {

bool OpenFolder(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace kiv
