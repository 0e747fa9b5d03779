#include "CHyperLink.h"

#include "MessageBoxes.h"
#include "SystemColours.h"

#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QMouseEvent>
#include <QPainter>

namespace kiv {

QRect fittedGeometry(const QRect& current, QSize size, Qt::Alignment alignment) {
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
      m_opener([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    setAutoFillBackground(false);
    m_normalFont = font();
}

CHyperLink::~CHyperLink() {
    m_hoverTimer.stop();
}

void CHyperLink::setUp() {
    if (m_target.isEmpty()) {
        m_target = text();
    }
    if (text().isEmpty()) {
        setText(m_target);
    }
    setToolTip(m_target);
    applyFont(m_underlineMode == kUnderlineAlways);
    if (m_fitToText) {
        fitToText();
    }
}

void CHyperLink::SetLinkTarget(const QString& target) {
    m_target = target;
    setUp();
}

void CHyperLink::setLinkColours(const QColor& link, const QColor& visited, const QColor& hover) {
    m_linkColour = link;
    m_visitedColour = visited;
    m_hoverColour = hover;
    update();
}

void CHyperLink::setUnderlineMode(int mode) {
    m_underlineMode = mode;
    applyFont(mode == kUnderlineAlways || (mode == kUnderlineWhileHovering && m_hovering));
}

void CHyperLink::setFitToText(bool fit) {
    m_fitToText = fit;
    if (fit) {
        fitToText();
    }
}

QColor CHyperLink::currentColour() const {
    if (m_hovering) {
        return m_hoverColour;
    }
    return m_visited ? m_visitedColour : m_linkColour;
}

void CHyperLink::fitToText() {
    QFont underlined = m_normalFont;
    underlined.setUnderline(true);
    const QFontMetrics fm(underlined);
    const int border = 2 * frameWidth();
    const QSize size(fm.horizontalAdvance(text()) + border, fm.height() + border);
    setGeometry(fittedGeometry(geometry(), size, alignment()));
}

void CHyperLink::applyFont(bool underlined) {
    QFont f = m_normalFont;
    f.setUnderline(underlined);
    m_settingFont = true;
    setFont(f);
    m_settingFont = false;
    update();
}

void CHyperLink::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange && !m_settingFont) {
        m_normalFont = font();
        m_normalFont.setUnderline(false);
    }
    QLabel::changeEvent(event);
}

void CHyperLink::showEvent(QShowEvent* event) {
    QLabel::showEvent(event);
    if (m_target.isEmpty() || text().isEmpty()) {
        setUp();
    }
}

void CHyperLink::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), SystemColours::fromPalette(palette()).buttonFace);
    p.setFont(font());
    p.setPen(currentColour());
    p.drawText(contentsRect(), int(alignment()) | Qt::TextSingleLine, text());
}

void CHyperLink::mouseMoveEvent(QMouseEvent* event) {
    QLabel::mouseMoveEvent(event);
    if (m_hovering) {
        return;
    }
    m_hovering = true;
    if (m_underlineMode == kUnderlineWhileHovering) {
        applyFont(true);
    }
    update();
    m_hoverTimer.start(kHoverTimerMs, this);
}

void CHyperLink::timerEvent(QTimerEvent* event) {
    if (event->timerId() != m_hoverTimer.timerId()) {
        QLabel::timerEvent(event);
        return;
    }
    if (!rect().contains(mapFromGlobal(QCursor::pos()))) {
        endHover();
    }
}

void CHyperLink::leaveEvent(QEvent* event) {
    QLabel::leaveEvent(event);
    endHover();
}

void CHyperLink::endHover() {
    m_hoverTimer.stop();
    if (!m_hovering) {
        return;
    }
    m_hovering = false;
    if (m_underlineMode != kUnderlineAlways) {
        applyFont(false);
    }
    update();
}

void CHyperLink::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        open();
    }
}

void CHyperLink::open() {
    m_hovering = false;
    const int result = openHyperlinkTarget(m_target, m_opener);
    if (result > 32) {
        m_visited = true;
        update();
        emit opened(true);
        return;
    }
    update();
    QApplication::beep();
    ShowMessage(this, QStringLiteral("Warning"), hyperlinkFailureMessage(result),
                MessageIcon::Warning);
    emit opened(false);
}

} // namespace kiv
