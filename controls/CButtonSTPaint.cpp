// Painting of CButtonST: background and edge, icon or bitmap, caption, focus.

#include "ButtonLayout.h"
#include "CButtonST.h"
#include "PaintHelpers.h"

#include <QIcon>
#include <QStyleOptionFocusRect>

#include <algorithm>

namespace kiv {

const CButtonST::Bitmap* CButtonST::ChosenBitmap(bool pressed) const {
    if (!bitmapIn_.IsSet()) {
        return nullptr;
    }
    if (pressed && bitmapPressed_.IsSet()) {
        return &bitmapPressed_;
    }
    if (pressed || hovering_ || !bitmapOut_.IsSet()) {
        return &bitmapIn_;
    }
    return &bitmapOut_;
}

void CButtonST::PaintBackground(QPainter& p, bool pressed, bool focused) const {
    const SystemColours sc = SystemColours::FromPalette(palette());
    const EdgeRect all = EdgeRect::FromQRect(rect());
    if (!transparent_) {
        EdgeRect fill = all;
        if (!isFlat() && focused) {
            DrawEdgeLines(p, all, Qt::black, Qt::black);
            fill = {all.left + 1, all.top + 1, all.right - 1, all.bottom - 1};
        }
        const ColourState state = (hovering_ || pressed) ? In : focused ? Focus : Out;
        FillEdgeRect(p, fill, background_[state]);
    }
    if (isFlat()) {
        if (!drawBorder_) {
            return;
        }
        if (pressed) {
            DrawEdgeLines(p, all, sc.buttonShadow, sc.buttonHighlight);
        } else if (hovering_) {
            DrawEdgeLines(p, all, sc.buttonHighlight, sc.buttonShadow);
        }
    } else if (pressed) {
        DrawEdgeLines(p, all, sc.buttonShadow, sc.buttonShadow);
    } else {
        DrawEdgeLines(p, all, sc.buttonHighlight, sc.darkShadow3d);
        DrawEdgeLines(p, {all.left + 1, all.top + 1, all.right - 1, all.bottom - 1}, sc.light3d,
                      sc.buttonShadow);
    }
}

void CButtonST::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const bool pressed = isDown();
    const bool focused = hasFocus();
    const bool disabled = !isEnabled();
    const SystemColours sc = SystemColours::FromPalette(palette());

    if (!bitmapPressed_.IsSet()) {
        PaintBackground(p, pressed, focused);
    }

    QSize imageSize;
    QPixmap image;
    if (disabled && !disabledImage_.isNull() && (!iconIn_.isNull() || bitmapIn_.IsSet())) {
        image = QPixmap::fromImage(disabledImage_);
        imageSize = disabledImage_.size();
    } else if (!iconIn_.isNull()) {
        const QPixmap& icon = (pressed || hovering_ || iconOut_.isNull()) ? iconIn_ : iconOut_;
        image = disabled ? QIcon(icon).pixmap(icon.size(), QIcon::Disabled) : icon;
        imageSize = icon.size();
    } else if (const Bitmap* bitmap = ChosenBitmap(pressed)) {
        const Bitmap& shown = disabled ? (bitmapOut_.IsSet() ? bitmapOut_ : *bitmap) : *bitmap;
        image = QPixmap::fromImage(disabled ? shown.plain : shown.masked);
        imageSize = shown.plain.size();
    }

    const bool hasCaption = !text().isEmpty();
    ButtonLayout layout =
        ComputeButtonLayout(size(), imageSize, hasCaption, alignment_, imageOrigin_);
    if (bitmapPressed_.IsSet() && iconIn_.isNull()) {
        layout.image = QPoint(0, 0);
    }
    const QPoint shift = pressed ? pressedOffset_ : QPoint(0, 0);
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
            const ColourState state = (hovering_ || pressed) ? In : focused ? Focus : Out;
            p.setPen(text_[state]);
            p.drawText(caption, flags, text());
        }
    }

    if (focused && (!isFlat() || flatFocus_)) {
        // Inside what shows of the button (a tool button reaches under the
        // list below it), 3 pixels in; 1 on buttons too small for that.
        const QRect shown = visibleRegion().boundingRect().intersected(rect());
        const int inset = std::min(shown.width(), shown.height()) >= 20 ? 3 : 1;
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = (shown.isEmpty() ? rect() : shown).adjusted(inset, inset, -inset, -inset);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
    }
}

} // namespace kiv
