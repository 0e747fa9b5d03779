#pragma once
// The program's own images, drawn from the SVG glyphs under resources/ at
// the sizes the buttons have: the tool buttons' states (normal, pointer
// over, pressed, disabled), the small icons and the application icon.

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QString>

namespace kiv {

struct ToolButtonImages {
    QImage over;     // on a soft light-blue plate
    QImage normal;   // the glyph alone
    QImage pressed;  // on a deeper plate, moved one pixel down and right
    QImage disabled; // the glyph in greys
};

// Side of a tool-button glyph and of a small icon, in pixels.
constexpr int kToolGlyphSide = 36;
constexpr int kSmallIconSide = 20;

// The four images of a tool button of the given size. The glyph and its
// plate are centred in `visible`, the part of the button nothing covers.
// name: a glyph under :/icons/ without ".svg". Null images when the glyph
// cannot be read.
ToolButtonImages RenderToolButtonImages(const QString& name, QSize size, const QRect& visible);

// A small icon of the given side, normal or in greys.
QPixmap RenderSmallIcon(const QString& name, int side, bool disabled = false);

// The SVG text with every colour of the palette replaced by its grey.
QByteArray GreyedSvg(QByteArray svg);

// The application icon at the usual sizes.
QIcon ApplicationIcon();

} // namespace kiv
