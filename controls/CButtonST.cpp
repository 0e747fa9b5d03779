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
    const SystemColours sc = SystemColours::fromPalette(palette());
    for (int i = 0; i < 3; ++i) {
        m_background[i] = sc.buttonFace;
        m_text[i] = sc.buttonText;
    }
    connect(this, &QAbstractButton::clicked, this, [this] { setFocus(Qt::MouseFocusReason); });
}

void CButtonST::dropImages() {
    m_iconIn = m_iconOut = QPixmap();
    m_bitmapIn = m_bitmapOut = m_bitmapPressed = Bitmap();
}

int CButtonST::SetIconImages(const QString& inIcon, const QString& outIcon) {
    const QPixmap in(inIcon);
    const QPixmap out = outIcon.isEmpty() ? QPixmap() : QPixmap(outIcon);
    if (in.isNull() || (!outIcon.isEmpty() && out.isNull())) {
        dropImages();
        update();
        return 1;
    }
    return SetIconImages(in, out);
}

int CButtonST::SetIconImages(const QPixmap& inIcon, const QPixmap& outIcon) {
    dropImages();
    if (inIcon.isNull()) {
        update();
        return 1;
    }
    m_iconIn = inIcon;
    m_iconOut = outIcon;
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
        dropImages();
        update();
        return 1;
    }
    return SetBitmapImages(inImage, inKey, outImage, outKey, pressedImage, pressedKey);
}

int CButtonST::SetBitmapImages(const QImage& in, const QColor& inKey, const QImage& out,
                               const QColor& outKey, const QImage& pressed,
                               const QColor& pressedKey) {
    dropImages();
    if (in.isNull()) {
        update();
        return 1;
    }
    const auto make = [](const QImage& image, const QColor& key, Bitmap& target) {
        if (image.isNull()) {
            return true;
        }
        target.plain = image;
        target.masked = keyColourTransparent(image, key);
        return !target.masked.isNull();
    };
    if (!make(in, inKey, m_bitmapIn) || !make(out, outKey, m_bitmapOut) ||
        !make(pressed, pressedKey, m_bitmapPressed)) {
        dropImages();
        update();
        return 2;
    }
    m_pressedOffset = QPoint(0, 0);
    update();
    return 0;
}

int CButtonST::SetImageAlignment(int mode) {
    if (mode < 0 || mode > 3) {
        return 4;
    }
    m_alignment = mode;
    update();
    return 0;
}

void CButtonST::SetTransparentBackground(bool repaint) {
    // The parent's pixels show through wherever the button paints nothing.
    m_transparent = true;
    if (repaint) {
        update();
    }
}

void CButtonST::SetTooltip(const QString& text, bool active) {
    m_tooltipText = text;
    m_tooltipActive = active;
    setToolTip(active ? text : QString());
}

void CButtonST::setDrawBorder(bool on) {
    m_drawBorder = on;
    update();
}

void CButtonST::setFlatFocus(bool on) {
    m_flatFocus = on;
    update();
}

void CButtonST::setStateColours(ColourState state, const QColor& background, const QColor& text) {
    m_background[state] = background;
    m_text[state] = text;
    update();
}

void CButtonST::setImageOrigin(QPoint origin) {
    m_imageOrigin = origin;
    update();
}

bool CButtonST::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && !m_tooltipActive) {
        return true;
    }
    if (event->type() == QEvent::WindowDeactivate) {
        stopHover();
    }
    return QPushButton::event(event);
}

void CButtonST::mouseMoveEvent(QMouseEvent* event) {
    QPushButton::mouseMoveEvent(event);
    if (!isFlat() || !isEnabled()) {
        return;
    }
    if ((event->buttons() & Qt::LeftButton) && !m_hovering) {
        return;
    }
    const bool overMe = rect().contains(event->position().toPoint());
    if (!overMe) {
        stopHover();
        return;
    }
    if (!m_hovering && (m_trackAlways || QApplication::activeWindow())) {
        m_hovering = true;
        update();
    }
}

void CButtonST::leaveEvent(QEvent* event) {
    QPushButton::leaveEvent(event);
    stopHover();
}

void CButtonST::focusOutEvent(QFocusEvent* event) {
    QPushButton::focusOutEvent(event);
    stopHover();
}

void CButtonST::changeEvent(QEvent* event) {
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        stopHover();
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

void CButtonST::stopHover() {
    if (m_hovering) {
        m_hovering = false;
        update();
    }
}

} // namespace kiv
