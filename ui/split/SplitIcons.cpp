#include "SplitIcons.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QSvgRenderer>

namespace kiv {

namespace {

// The dark slate our button pictures are drawn in.
constexpr char kInk[] = "#1a2b3c";

} // namespace

QPixmap RenderSplitPicture(const char* name, QSize size) {
    QFile file(QStringLiteral(":/split/%1.svg").arg(QLatin1String(name)));
    if (!file.open(QIODevice::ReadOnly) || size.isEmpty())
        return QPixmap();
    QByteArray svg = file.readAll();
    // The buttons' pictures stand on the dialog's background: their ink
    // is the palette's text colour, so they read on dark palettes too. The
    // picture area keeps its own colours.
    if (qstrcmp(name, "idle") != 0) {
        const QColor ink = QGuiApplication::palette().color(QPalette::Active, QPalette::WindowText);
        svg.replace(kInk, ink.name().toLatin1());
    }
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        return QPixmap();
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return picture;
}

} // namespace kiv
