#include "CHyperLink.h"

#include "MessageBoxes.h"
#include "SystemColours.h"

#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QMouseEvent>
#include <QPainter>

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
    if (hovering_) {
        return hoverColour_;
    }
    return visited_ ? visitedColour_ : linkColour_;
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
    ShowMessage(this, QStringLiteral("Warning"), HyperlinkFailureMessage(result),
                MessageIcon::Warning);
    emit opened(false);
}

} // namespace kiv
