#pragma once
// A flat push button that shows images instead of (or beside) its caption,
// lights up while the mouse is over it and carries a tooltip.
//
// Images: two icons (in: while hovering or pressed; out: otherwise) or three
// bitmaps (in: hovering, out: idle, pressed) whose key-colour pixels are
// transparent. With a pressed bitmap the button draws nothing but the bitmap of
// its state at its top-left corner; disabled, it draws its out bitmap as an
// opaque block (key-colour pixels included).
//
// The keyboard focus shows as the style's focus frame inside the part of the
// button that no sibling covers (most styles draw it once the keyboard has
// moved the focus in the window).

#include <QImage>
#include <QPixmap>
#include <QPushButton>

namespace kiv {

class CButtonST : public QPushButton {
    Q_OBJECT
public:
    enum ColourState { In = 0, Out = 1, Focus = 2 };

    explicit CButtonST(QWidget* parent = nullptr);
    explicit CButtonST(const QString& caption, QWidget* parent = nullptr);

    // Icons from files or resources (":/..."); an empty out name means no out
    // icon. Result 0, or 1 when an icon cannot be loaded (all images dropped).
    int SetIconImages(const QString& inIcon, const QString& outIcon);
    int SetIconImages(const QPixmap& inIcon, const QPixmap& outIcon);
    // Bitmaps from files or resources; empty names mean none. Result 0, 1 when
    // one cannot be loaded, 2 when its mask cannot be made (all images dropped).
    int SetBitmapImages(const QString& in, const QColor& inKey, const QString& out,
                        const QColor& outKey, const QString& pressed, const QColor& pressedKey);
    int SetBitmapImages(const QImage& in, const QColor& inKey, const QImage& out,
                        const QColor& outKey, const QImage& pressed, const QColor& pressedKey);
    // The image shown while the button is disabled, in place of the one the
    // images above would give (icons: a generated grey; bitmaps: the out
    // bitmap as an opaque block). Setting icons or bitmaps drops it, so set it
    // after them; a null image drops it too.
    void SetDisabledImage(const QImage& image);
    // Mode 0 to 3; other values are refused with result 4.
    int SetImageAlignment(int mode);
    void SetTransparentBackground(bool repaint);
    void SetTooltip(const QString& text, bool active);

    void SetDrawBorder(bool on);
    void SetFlatFocus(bool on);
    void SetTrackAlways(bool on) { trackAlways_ = on; }
    void SetStateColours(ColourState state, const QColor& background, const QColor& text);
    void SetImageOrigin(QPoint origin);

    bool IsHovering() const { return hovering_; }
    bool IsTransparent() const { return transparent_; }
    int ImageAlignment() const { return alignment_; }
    QPoint PressedOffset() const { return pressedOffset_; }
    bool TooltipActive() const { return tooltipActive_; }
    QString TooltipText() const { return tooltipText_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    struct Bitmap {
        QImage plain;  // as loaded: drawn when the button is disabled
        QImage masked; // key colour transparent
        bool IsSet() const { return !plain.isNull(); }
    };

    void DropImages();
    void StopHover();
    void PaintBackground(QPainter& p, bool pressed, bool focused) const;
    const Bitmap* ChosenBitmap(bool pressed) const;

    bool hovering_ = false;
    bool drawBorder_ = true;
    // Flat buttons show the focus too: keyboard users must see where they are.
    bool flatFocus_ = true;
    bool trackAlways_ = true;
    int alignment_ = 0;
    QPoint pressedOffset_{1, 1};
    QPoint imageOrigin_{3, 3};
    bool transparent_ = false;
    QPixmap iconIn_, iconOut_;
    Bitmap bitmapIn_, bitmapOut_, bitmapPressed_;
    QImage disabledImage_;
    QColor background_[3];
    QColor text_[3];
    QString tooltipText_;
    bool tooltipActive_ = false;
};

} // namespace kiv
