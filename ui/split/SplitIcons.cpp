#include "SplitIcons.h"

#include <QPainter>
#include <QSvgRenderer>

namespace kiv {

QPixmap RenderSplitPicture(const char* name, QSize size) {
    QSvgRenderer renderer(QStringLiteral(":/split/%1.svg").arg(QLatin1String(name)));
    if (!renderer.isValid() || size.isEmpty())
        return QPixmap();
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return picture;
}

} // namespace kiv
