#include "CRangeSlider.h"

#include "PaintHelpers.h"

#include <QKeyEvent>
#include <QPainter>
#include <QThread>

#include <algorithm>

namespace kiv {

CRangeSlider::CRangeSlider(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::ArrowCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize CRangeSlider::sizeHint() const {
    return {300, 20};
}

SliderGeometry CRangeSlider::geometryNow() const {
    return sliderGeometry(size(), m_values);
}

void CRangeSlider::SetBounds(double a, double b) {
    m_values.min = std::min(a, b);
    m_values.max = std::max(a, b);
    clampAndNotify();
    update();
}

void CRangeSlider::SetSelection(double a, double b) {
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(
            this, [this, a, b] { SetSelection(a, b); }, Qt::QueuedConnection);
        return;
    }
    m_values.left = a;
    m_values.right = b;
    clampAndNotify();
    update();
}

void CRangeSlider::GetSelection(double& a, double& b) const {
    a = m_values.left;
    b = m_values.right;
}

void CRangeSlider::clampAndNotify() {
    for (int code : clampSelection(m_values)) {
        emit rangeChanged(code);
    }
}

void CRangeSlider::paintThumb(QPainter& p, const EdgeRect& outer, const EdgeRect& inner,
                              bool flat) const {
    const SystemColours sc = SystemColours::fromPalette(palette());
    fillEdgeRect(p, outer, sc.buttonFace);
    drawEdgeLines(p, outer, Qt::black, Qt::black);
    if (flat) {
        return;
    }
    // Highlight up the left side and along the top, shadow down the right side
    // and back along the bottom.
    const int l = inner.left, t = inner.top, r = inner.right, b = inner.bottom;
    fillEdgeRect(p, {l, t, l + 1, b + 1}, sc.buttonHighlight);
    fillEdgeRect(p, {l, t, r, t + 1}, sc.buttonHighlight);
    fillEdgeRect(p, {r, t, r + 1, b}, sc.buttonShadow);
    fillEdgeRect(p, {l + 1, b, r + 1, b + 1}, sc.buttonShadow);
}

void CRangeSlider::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const SliderGeometry g = geometryNow();
    const EdgeRect all = EdgeRect::fromQRect(rect());
    fillEdgeRect(p, all, QColor(128, 128, 128));
    drawEdgeLines(p, all, Qt::black, Qt::black);

    p.setPen(Qt::black);
    p.setBrush(Qt::black);
    paintThumb(p, g.leftOuter, g.leftThumb, m_dragging && m_dragPart == LeftThumb);
    p.drawPolygon(g.leftArrow.data(), 3);
    paintThumb(p, g.rightOuter, g.rightThumb, m_dragging && m_dragPart == RightThumb);
    p.drawPolygon(g.rightArrow.data(), 3);
    fillEdgeRect(p, g.band, Qt::white);

    if (hasFocus() && !g.focus.isEmpty()) {
        QPen pen(Qt::black, 1, Qt::DotLine);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(g.focus.toQRect().adjusted(0, 0, -1, -1));
    }
}

void CRangeSlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    update();
    if (m_dragging || m_values.max == m_values.min) {
        return;
    }
    const SliderGeometry g = geometryNow();
    const QPoint pos = event->position().toPoint();
    const RangePart part = hitTest(g, pos);
    if (part == NoPart) {
        return;
    }
    const EdgeRect r = partRect(g, part);
    m_dragging = true;
    m_dragPart = part;
    m_grabOffset = pos - QPoint(r.centreX(), r.centreY());
}

void CRangeSlider::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragging) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    const SliderGeometry g = geometryNow();
    const int p = event->position().toPoint().x() - m_grabOffset.x();
    const std::optional<RangeUpdate> u =
        dragTo(m_values, m_dragPart, p, g.arrowWidth, g.trackLength);
    if (!u) {
        return;
    }
    m_values = u->values;
    emit rangeChanged(u->code);
    update();
}

void CRangeSlider::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && m_dragging) {
        m_dragging = false;
        m_dragPart = NoPart;
        update();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void CRangeSlider::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key != Qt::Key_Left && key != Qt::Key_Right) {
        QWidget::keyPressEvent(event);
        return;
    }
    const Qt::KeyboardModifiers mods = event->modifiers();
    const std::optional<RangeUpdate> u =
        arrowKey(m_values, geometryNow().trackLength, key == Qt::Key_Right,
                 mods.testFlag(Qt::ShiftModifier), mods.testFlag(Qt::ControlModifier));
    if (!u) {
        event->accept();
        return;
    }
    m_values = u->values;
    emit rangeChanged(u->code);
    update();
}

void CRangeSlider::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void CRangeSlider::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

} // namespace kiv
