#include "ToolImages.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

namespace kiv {

namespace {

const QColor kOverPlate(0xdb, 0xea, 0xfe);
const QColor kPressedPlate(0xbf, 0xdb, 0xfe);
constexpr int kPlateMargin = 6; // plate around the glyph
constexpr int kPlateRadius = 8;

// The palette of the icons and the grey each colour takes when disabled:
// outlines and glyphs dark grey, fills light grey, white stays.
struct GreyRule {
    const char* colour;
    const char* grey;
};
constexpr GreyRule kGreyRules[] = {
    {"#1a2b3c", "#6b7785"}, {"#2b6cb0", "#6b7785"}, {"#d64545", "#6b7785"},
    {"#9fd3f5", "#c5ccd4"}, {"#f59e0b", "#c5ccd4"},
};

QByteArray ReadGlyph(const QString& name) {
    QFile file(QStringLiteral(":/icons/%1.svg").arg(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Draws the SVG into target, or reports false when it cannot be read.
bool DrawSvg(QPainter& p, const QByteArray& svg, const QRectF& target) {
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        return false;
    renderer.render(&p, target);
    return true;
}

QImage Blank(QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage Compose(const QByteArray& svg, QSize size, const QRect& glyph, const QColor& plate,
               QPoint shift) {
    QImage image = Blank(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (plate.isValid()) {
        p.setPen(Qt::NoPen);
        p.setBrush(plate);
        p.drawRoundedRect(glyph.adjusted(-kPlateMargin, -kPlateMargin, kPlateMargin, kPlateMargin),
                          kPlateRadius, kPlateRadius);
    }
    if (!DrawSvg(p, svg, QRectF(glyph.translated(shift))))
        return QImage();
    return image;
}

} // namespace

QByteArray GreyedSvg(QByteArray svg) {
    for (const GreyRule& rule : kGreyRules)
        svg.replace(rule.colour, rule.grey);
    return svg;
}

ToolButtonImages RenderToolButtonImages(const QString& name, QSize size, const QRect& visible) {
    const QByteArray svg = ReadGlyph(name);
    if (svg.isEmpty())
        return {};
    QRect glyph(0, 0, kToolGlyphSide, kToolGlyphSide);
    glyph.moveCenter(visible.center());
    ToolButtonImages images;
    images.over = Compose(svg, size, glyph, kOverPlate, {});
    images.normal = Compose(svg, size, glyph, QColor(), {});
    images.pressed = Compose(svg, size, glyph, kPressedPlate, {1, 1});
    images.disabled = Compose(GreyedSvg(svg), size, glyph, QColor(), {});
    return images;
}

QPixmap RenderSmallIcon(const QString& name, int side, bool disabled) {
    QByteArray svg = ReadGlyph(name);
    if (svg.isEmpty())
        return {};
    QImage image = Blank(QSize(side, side));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (!DrawSvg(p, disabled ? GreyedSvg(svg) : svg, QRectF(0, 0, side, side)))
        return {};
    p.end();
    return QPixmap::fromImage(image);
}

QIcon ApplicationIcon() {
    QFile file(QStringLiteral(":/app/kiv-video-converter.svg"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray svg = file.readAll();
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64, 128, 256}) {
        QImage image = Blank(QSize(side, side));
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        if (!DrawSvg(p, svg, QRectF(0, 0, side, side)))
            return {};
        p.end();
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

} // namespace kiv
