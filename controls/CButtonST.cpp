#include "CButtonST.h"

#include "ButtonLayout.h"
#include "PaintHelpers.h"

#include <QApplication>
#include <QMouseEvent>

namespace kiv {

CButtonST::CButtonST(QWidget* parent) : CButtonST(QString(), parent) {}

CButtonST::CButtonST(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    setFlat(true);
    setMouseTracking(true);
    const SystemColours sc = SystemColours::FromPalette(palette());
    for (int i = 0; i < 3; ++i) {
        background_[i] = sc.buttonFace;
        text_[i] = sc.buttonText;
    }
    connect(this, &QAbstractButton::clicked, this, [this] { setFocus(Qt::MouseFocusReason); });
}

void CButtonST::DropImages() {
    iconIn_ = iconOut_ = QPixmap();
    bitmapIn_ = bitmapOut_ = bitmapPressed_ = Bitmap();
    disabledImage_ = QImage();
}

void CButtonST::SetDisabledImage(const QImage& image) {
    disabledImage_ = image;
    update();
}

int CButtonST::SetIconImages(const QString& inIcon, const QString& outIcon) {
    const QPixmap in(inIcon);
    const QPixmap out = outIcon.isEmpty() ? QPixmap() : QPixmap(outIcon);
    if (in.isNull() || (!outIcon.isEmpty() && out.isNull())) {
        DropImages();
        update();
        return 1;
    }
    return SetIconImages(in, out);
}

int CButtonST::SetIconImages(const QPixmap& inIcon, const QPixmap& outIcon) {
    DropImages();
    if (inIcon.isNull()) {
        update();
        return 1;
    }
    iconIn_ = inIcon;
    iconOut_ = outIcon;
    update();
    return 0;
}

int CButtonST::SetBitmapImages(const QString& in, const QColor& inKey, const QString& out,
                               const QColor& outKey, const QString& pressed,
                               const QColor& pressedKey) {
    const auto load = [](const QString& name, bool& failed) {
        QImage image;
        if (!name.isEmpty() && !image.load(name)) {
            failed = true;
        }
        return image;
    };
    bool failed = false;
    const QImage inImage = load(in, failed);
    const QImage outImage = load(out, failed);
    const QImage pressedImage = load(pressed, failed);
    if (failed || inImage.isNull()) {
        DropImages();
        update();
        return 1;
    }
    return SetBitmapImages(inImage, inKey, outImage, outKey, pressedImage, pressedKey);
}

int CButtonST::SetBitmapImages(const QImage& in, const QColor& inKey, const QImage& out,
                               const QColor& outKey, const QImage& pressed,
                               const QColor& pressedKey) {
    DropImages();
    if (in.isNull()) {
        update();
        return 1;
    }
    const auto make = [](const QImage& image, const QColor& key, Bitmap& target) {
        if (image.isNull()) {
            return true;
        }
        target.plain = image;
        target.masked = KeyColourTransparent(image, key);
        return !target.masked.isNull();
    };
    if (!make(in, inKey, bitmapIn_) || !make(out, outKey, bitmapOut_) ||
        !make(pressed, pressedKey, bitmapPressed_)) {
        DropImages();
        update();
        return 2;
    }
    pressedOffset_ = QPoint(0, 0);
    update();
    return 0;
}

int CButtonST::SetImageAlignment(int mode) {
    if (mode < 0 || mode > 3) {
        return 4;
    }
    alignment_ = mode;
    update();
    return 0;
}

void CButtonST::SetTransparentBackground(bool repaint) {
    // The parent's pixels show through wherever the button paints nothing.
    transparent_ = true;
    if (repaint) {
        update();
    }
}

void CButtonST::SetTooltip(const QString& text, bool active) {
    tooltipText_ = text;
    tooltipActive_ = active;
    setToolTip(active ? text : QString());
}

void CButtonST::SetDrawBorder(bool on) {
    drawBorder_ = on;
    update();
}

void CButtonST::SetFlatFocus(bool on) {
    flatFocus_ = on;
    update();
}

void CButtonST::SetStateColours(ColourState state, const QColor& background, const QColor& text) {
    background_[state] = background;
    text_[state] = text;
    update();
}

void CButtonST::SetImageOrigin(QPoint origin) {
    imageOrigin_ = origin;
    update();
}

bool CButtonST::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && !tooltipActive_) {
        return true;
    }
    if (event->type() == QEvent::WindowDeactivate) {
        StopHover();
    }
    return QPushButton::event(event);
}

void CButtonST::mouseMoveEvent(QMouseEvent* event) {
    QPushButton::mouseMoveEvent(event);
    if (!isFlat() || !isEnabled()) {
        return;
    }
    if ((event->buttons() & Qt::LeftButton) && !hovering_) {
        return;
    }
    const bool overMe = rect().contains(event->position().toPoint());
    if (!overMe) {
        StopHover();
        return;
    }
    if (!hovering_ && (trackAlways_ || QApplication::activeWindow())) {
        hovering_ = true;
        update();
    }
}

void CButtonST::leaveEvent(QEvent* event) {
    QPushButton::leaveEvent(event);
    StopHover();
}

void CButtonST::focusOutEvent(QFocusEvent* event) {
    QPushButton::focusOutEvent(event);
    StopHover();
}

void CButtonST::changeEvent(QEvent* event) {
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        StopHover();
        if (hasFocus()) {
            // A disabled button hands the keyboard focus on to the next tab
            // stop, or to its parent.
            for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
                if (w->isEnabled() && w->isVisible() && (w->focusPolicy() & Qt::TabFocus)) {
                    w->setFocus(Qt::TabFocusReason);
                    break;
                }
            }
            if (hasFocus()) {
                if (parentWidget()) {
                    parentWidget()->setFocus(Qt::OtherFocusReason);
                } else {
                    clearFocus();
                }
            }
        }
    }
}

void CButtonST::StopHover() {
    if (hovering_) {
        hovering_ = false;
        update();
    }
}

} // namespace kiv
