// Painting of CButtonST: background and edge, icon or bitmap, caption, focus.

#include "ButtonLayout.h"
#include "CButtonST.h"
#include "PaintHelpers.h"

#include <QIcon>
#include <QStyleOptionFocusRect>

namespace kiv {

const CButtonST::Bitmap* CButtonST::chosenBitmap(bool pressed) const {
    if (!m_bitmapIn.isSet()) {
        return nullptr;
    }
    if (pressed && m_bitmapPressed.isSet()) {
        return &m_bitmapPressed;
    }
    if (pressed || m_hovering || !m_bitmapOut.isSet()) {
        return &m_bitmapIn;
    }
    return &m_bitmapOut;
}

void CButtonST::paintBackground(QPainter& p, bool pressed, bool focused) const {
    const SystemColours sc = SystemColours::fromPalette(palette());
    const EdgeRect all = EdgeRect::fromQRect(rect());
    if (!m_transparent) {
        EdgeRect fill = all;
        if (!isFlat() && focused) {
            drawEdgeLines(p, all, Qt::black, Qt::black);
            fill = {all.left + 1, all.top + 1, all.right - 1, all.bottom - 1};
        }
        const ColourState state = (m_hovering || pressed) ? In : focused ? Focus : Out;
        fillEdgeRect(p, fill, m_background[state]);
    }
    if (isFlat()) {
        if (!m_drawBorder) {
            return;
        }
        if (pressed) {
            drawEdgeLines(p, all, sc.buttonShadow, sc.buttonHighlight);
        } else if (m_hovering) {
            drawEdgeLines(p, all, sc.buttonHighlight, sc.buttonShadow);
        }
    } else if (pressed) {
        drawEdgeLines(p, all, sc.buttonShadow, sc.buttonShadow);
    } else {
        drawEdgeLines(p, all, sc.buttonHighlight, sc.darkShadow3d);
        drawEdgeLines(p, {all.left + 1, all.top + 1, all.right - 1, all.bottom - 1}, sc.light3d,
                      sc.buttonShadow);
    }
}

void CButtonST::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const bool pressed = isDown();
    const bool focused = hasFocus();
    const bool disabled = !isEnabled();
    const SystemColours sc = SystemColours::fromPalette(palette());

    if (!m_bitmapPressed.isSet()) {
        paintBackground(p, pressed, focused);
    }

    QSize imageSize;
    QPixmap image;
    if (!m_iconIn.isNull()) {
        const QPixmap& icon = (pressed || m_hovering || m_iconOut.isNull()) ? m_iconIn : m_iconOut;
        image = disabled ? QIcon(icon).pixmap(icon.size(), QIcon::Disabled) : icon;
        imageSize = icon.size();
    } else if (const Bitmap* bitmap = chosenBitmap(pressed)) {
        const Bitmap& shown = disabled ? (m_bitmapOut.isSet() ? m_bitmapOut : *bitmap) : *bitmap;
        image = QPixmap::fromImage(disabled ? shown.plain : shown.masked);
        imageSize = shown.plain.size();
    }

    const bool hasCaption = !text().isEmpty();
    ButtonLayout layout = buttonLayout(size(), imageSize, hasCaption, m_alignment, m_imageOrigin);
    if (m_bitmapPressed.isSet() && m_iconIn.isNull()) {
        layout.image = QPoint(0, 0);
    }
    const QPoint shift = pressed ? m_pressedOffset : QPoint(0, 0);
    if (!image.isNull()) {
        p.drawPixmap(layout.image + shift, image);
    }

    if (hasCaption) {
        const QRect caption = layout.caption.translated(shift);
        const int flags = Qt::AlignCenter | Qt::TextSingleLine;
        p.setFont(font());
        if (disabled) {
            p.setPen(sc.buttonHighlight);
            p.drawText(caption.translated(1, 1), flags, text());
            p.setPen(sc.buttonShadow);
            p.drawText(caption, flags, text());
        } else {
            const ColourState state = (m_hovering || pressed) ? In : focused ? Focus : Out;
            p.setPen(m_text[state]);
            p.drawText(caption, flags, text());
        }
    }

    if (focused && (!isFlat() || m_flatFocus)) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(3, 3, -3, -3);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
    }
}

} // namespace kiv
