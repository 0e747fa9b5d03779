#include "CHyperLink.h"

#include "MessageBoxes.h"
#include "PaintHelpers.h"
#include "SystemColours.h"

#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace kiv {

QRect FittedGeometry(const QRect& current, QSize size, Qt::Alignment alignment) {
    int x = current.left();
    if (alignment & Qt::AlignHCenter) {
        x = current.left() + (current.width() - size.width()) / 2;
    } else if (alignment & Qt::AlignRight) {
        x = current.left() + current.width() - size.width();
    }
    int y = current.top();
    if (alignment & Qt::AlignVCenter) {
        y = current.top() + (current.height() - size.height()) / 2;
    }
    return QRect(QPoint(x, y), size);
}

CHyperLink::CHyperLink(QWidget* parent) : CHyperLink(QString(), parent) {}

CHyperLink::CHyperLink(const QString& text, QWidget* parent)
    : QLabel(text, parent),
      opener_([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(false);
    normalFont_ = font();
}

CHyperLink::~CHyperLink() {
    hoverTimer_.stop();
}

void CHyperLink::SetUp() {
    if (target_.isEmpty()) {
        target_ = text();
    }
    if (text().isEmpty()) {
        setText(target_);
    }
    setToolTip(target_);
    ApplyFont(underlineMode_ == kUnderlineAlways);
    if (fitToText_) {
        FitToText();
    }
}

void CHyperLink::SetLinkTarget(const QString& target) {
    target_ = target;
    SetUp();
}

void CHyperLink::SetLinkColours(const QColor& link, const QColor& visited, const QColor& hover) {
    linkColour_ = link;
    visitedColour_ = visited;
    hoverColour_ = hover;
    ownColours_ = true;
    update();
}

void CHyperLink::SetUnderlineMode(int mode) {
    underlineMode_ = mode;
    ApplyFont(mode == kUnderlineAlways || (mode == kUnderlineWhileHovering && hovering_));
}

void CHyperLink::SetFitToText(bool fit) {
    fitToText_ = fit;
    if (fit) {
        FitToText();
    }
}

QColor CHyperLink::CurrentColour() const {
    if (ownColours_) {
        return hovering_ ? hoverColour_ : visited_ ? visitedColour_ : linkColour_;
    }
    const QPalette& p = palette();
    const QColor colour = hovering_  ? hoverColour_
                          : visited_ ? p.color(QPalette::Active, QPalette::LinkVisited)
                                     : p.color(QPalette::Active, QPalette::Link);
    return ReadableColour(colour, SystemColours::FromPalette(p).buttonFace);
}

void CHyperLink::FitToText() {
    QFont underlined = normalFont_;
    underlined.setUnderline(true);
    const QFontMetrics fm(underlined);
    const int border = 2 * frameWidth();
    const QSize size(fm.horizontalAdvance(text()) + border, fm.height() + border);
    setGeometry(FittedGeometry(geometry(), size, alignment()));
}

void CHyperLink::ApplyFont(bool underlined) {
    QFont f = normalFont_;
    f.setUnderline(underlined);
    settingFont_ = true;
    setFont(f);
    settingFont_ = false;
    update();
}

void CHyperLink::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange && !settingFont_) {
        normalFont_ = font();
        normalFont_.setUnderline(false);
    }
    QLabel::changeEvent(event);
}

void CHyperLink::showEvent(QShowEvent* event) {
    QLabel::showEvent(event);
    if (target_.isEmpty() || text().isEmpty()) {
        SetUp();
    }
}

void CHyperLink::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), SystemColours::FromPalette(palette()).buttonFace);
    p.setFont(font());
    p.setPen(CurrentColour());
    p.drawText(contentsRect(), int(alignment()) | Qt::TextSingleLine, text());
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
    }
}

void CHyperLink::keyPressEvent(QKeyEvent* event) {
    const bool plain =
        event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                  event->key() == Qt::Key_Space)) {
        Open();
        event->accept();
        return;
    }
    QLabel::keyPressEvent(event);
}

void CHyperLink::mouseMoveEvent(QMouseEvent* event) {
    QLabel::mouseMoveEvent(event);
    if (hovering_) {
        return;
    }
    hovering_ = true;
    if (underlineMode_ == kUnderlineWhileHovering) {
        ApplyFont(true);
    }
    update();
    hoverTimer_.start(kHoverTimerMs, this);
}

void CHyperLink::timerEvent(QTimerEvent* event) {
    if (event->timerId() != hoverTimer_.timerId()) {
        QLabel::timerEvent(event);
        return;
    }
    if (!rect().contains(mapFromGlobal(QCursor::pos()))) {
        EndHover();
    }
}

void CHyperLink::leaveEvent(QEvent* event) {
    QLabel::leaveEvent(event);
    EndHover();
}

void CHyperLink::EndHover() {
    hoverTimer_.stop();
    if (!hovering_) {
        return;
    }
    hovering_ = false;
    if (underlineMode_ != kUnderlineAlways) {
        ApplyFont(false);
    }
    update();
}

void CHyperLink::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        Open();
    }
}

void CHyperLink::Open() {
    hovering_ = false;
    const int result = OpenHyperlinkTarget(target_, opener_);
    if (result > 32) {
        visited_ = true;
        update();
        emit opened(true);
        return;
    }
    update();
    QApplication::beep();
    // Nothing on the desktop could open it: say where it is, to open by hand.
    const QUrl url = HyperlinkUrl(target_);
    const QString text =
        result == 31
            ? tr("Unable to open hyperlink:\n\n") +
                  DesktopCannotOpenText(url.isLocalFile() ? url.toLocalFile() : url.toString())
            : HyperlinkFailureMessage(result);
    ShowMessage(this, tr("Warning"), text, MessageIcon::Warning);
    emit opened(false);
}

} // namespace kiv
