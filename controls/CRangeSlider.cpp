#include "CRangeSlider.h"

#include "PaintHelpers.h"
#include "RangeSliderAccessible.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPainter>

#include <QLocale>
#include <algorithm>

namespace kiv {

CRangeSlider::CRangeSlider(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::ArrowCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
    RangeSliderAccessible::Install();
}

void CRangeSlider::SetValueText(std::function<QString(double)> valueText) {
    valueText_ = std::move(valueText);
    ReportSelection();
}

QString CRangeSlider::SelectionText() const {
    const auto text = [this](double value) {
        return valueText_ ? valueText_(value) : QLocale().toString(value);
    };
    return tr("%1 to %2").arg(text(values_.left), text(values_.right));
}

void CRangeSlider::ReportSelection() {
    if (!QAccessible::isActive())
        return;
    QAccessibleValueChangeEvent event(this, values_.left);
    QAccessible::updateAccessibility(&event);
}

QSize CRangeSlider::sizeHint() const {
    return {300, 20};
}

SliderGeometry CRangeSlider::GeometryNow() const {
    return ComputeSliderGeometry(size(), values_);
}

void CRangeSlider::SetBounds(double a, double b) {
    values_.min = std::min(a, b);
    values_.max = std::max(a, b);
    ClampAndNotify();
    ReportSelection();
    update();
}

void CRangeSlider::SetSelection(double a, double b) {
    values_.left = a;
    values_.right = b;
    ClampAndNotify();
    ReportSelection();
    update();
}

void CRangeSlider::GetSelection(double& a, double& b) const {
    a = values_.left;
    b = values_.right;
}

void CRangeSlider::ClampAndNotify() {
    for (int code : ClampSelection(values_)) {
        emit rangeChanged(code);
    }
}

void CRangeSlider::PaintThumb(QPainter& p, const EdgeRect& outer, const EdgeRect& inner,
                              bool flat) const {
    const SystemColours sc = SystemColours::FromPalette(palette());
    FillEdgeRect(p, outer, sc.buttonFace);
    DrawEdgeLines(p, outer, sc.buttonText, sc.buttonText);
    if (flat) {
        return;
    }
    // Highlight up the left side and along the top, shadow down the right side
    // and back along the bottom.
    const int l = inner.left, t = inner.top, r = inner.right, b = inner.bottom;
    FillEdgeRect(p, {l, t, l + 1, b + 1}, sc.buttonHighlight);
    FillEdgeRect(p, {l, t, r, t + 1}, sc.buttonHighlight);
    FillEdgeRect(p, {r, t, r + 1, b}, sc.buttonShadow);
    FillEdgeRect(p, {l + 1, b, r + 1, b + 1}, sc.buttonShadow);
}

void CRangeSlider::paintEvent(QPaintEvent*) {
    // The palette's colours, so a dark theme shows the ends on their thumbs:
    // in a light one the lines and ends are black and the band white.
    const SystemColours sc = SystemColours::FromPalette(palette());
    QPainter p(this);
    const SliderGeometry g = GeometryNow();
    const EdgeRect all = EdgeRect::FromQRect(rect());
    FillEdgeRect(p, all, QColor(128, 128, 128));
    DrawEdgeLines(p, all, sc.buttonText, sc.buttonText);

    p.setPen(sc.buttonText);
    p.setBrush(sc.buttonText);
    PaintThumb(p, g.leftOuter, g.leftThumb, dragging_ && dragPart_ == LeftThumb);
    p.drawPolygon(g.leftArrow.data(), 3);
    PaintThumb(p, g.rightOuter, g.rightThumb, dragging_ && dragPart_ == RightThumb);
    p.drawPolygon(g.rightArrow.data(), 3);
    FillEdgeRect(p, g.band, sc.window);

    if (hasFocus() && !g.focus.IsEmpty()) {
        QPen pen(sc.windowText, 1, Qt::DotLine);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(g.focus.ToQRect().adjusted(0, 0, -1, -1));
    }
}

void CRangeSlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    update();
    if (dragging_ || values_.max == values_.min) {
        return;
    }
    const SliderGeometry g = GeometryNow();
    const QPoint pos = event->position().toPoint();
    const RangePart part = HitTest(g, pos);
    if (part == NoPart) {
        return;
    }
    const EdgeRect r = PartRect(g, part);
    dragging_ = true;
    dragPart_ = part;
    grabOffset_ = pos - QPoint(r.CentreX(), r.CentreY());
}

void CRangeSlider::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    const SliderGeometry g = GeometryNow();
    const int p = event->position().toPoint().x() - grabOffset_.x();
    const std::optional<RangeUpdate> u = DragTo(values_, dragPart_, p, g.arrowWidth, g.trackLength);
    if (!u) {
        return;
    }
    values_ = u->values;
    emit rangeChanged(u->code);
    ReportSelection();
    update();
}

void CRangeSlider::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && dragging_) {
        dragging_ = false;
        dragPart_ = NoPart;
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
        ArrowKey(values_, GeometryNow().trackLength, key == Qt::Key_Right,
                 mods.testFlag(Qt::ShiftModifier), mods.testFlag(Qt::ControlModifier));
    if (!u) {
        event->accept();
        return;
    }
    values_ = u->values;
    emit rangeChanged(u->code);
    ReportSelection();
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
