#pragma once
// A horizontal slider with two thumbs selecting [left, right] within [min, max].
// The user drags either thumb or the band between them, or moves the selection
// with the arrow keys; every change is reported through rangeChanged(code) with
// code 0 (left end changed), 1 (right end changed) or 2 (both ends moved).
//
// GUI thread only, like every widget.
//
// Assistive technology reads the selection as text, "<start> to <end>",
// each value written by the text function given to SetValueText (plain
// numbers by default).

#include "RangeSliderMath.h"

#include <QWidget>

#include <functional>

namespace kiv {

class CRangeSlider : public QWidget {
    Q_OBJECT
public:
    explicit CRangeSlider(QWidget* parent = nullptr);

    void SetBounds(double a, double b);
    void SetSelection(double a, double b);
    void GetSelection(double& a, double& b) const;

    double Minimum() const { return values_.min; }
    double Maximum() const { return values_.max; }
    bool IsDragging() const { return dragging_; }
    SliderGeometry GeometryNow() const;

    void SetValueText(std::function<QString(double)> valueText);
    // The selection as assistive technology reads it.
    QString SelectionText() const;

signals:
    void rangeChanged(int code);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    QSize sizeHint() const override;

private:
    void ClampAndNotify();
    // Tells assistive technology that the selection changed.
    void ReportSelection();
    void PaintThumb(QPainter& p, const EdgeRect& outer, const EdgeRect& inner, bool flat) const;

    RangeValues values_;
    bool dragging_ = false;
    RangePart dragPart_ = NoPart;
    QPoint grabOffset_;
    std::function<QString(double)> valueText_;
};

} // namespace kiv
