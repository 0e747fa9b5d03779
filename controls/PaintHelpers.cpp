#include "PaintHelpers.h"

#include "ListGeometry.h"

#include <algorithm>
#include <cmath>

namespace kiv {

void DrawEdgeLines(QPainter& p, const EdgeRect& r, const QColor& topLeft,
                   const QColor& bottomRight) {
    if (r.IsEmpty()) {
        return;
    }
    FillEdgeRect(p, {r.left, r.top, r.right - 1, r.top + 1}, topLeft);
    FillEdgeRect(p, {r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
    FillEdgeRect(p, {r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
    FillEdgeRect(p, {r.right - 1, r.top, r.right, r.bottom}, bottomRight);
}

void DrawSunkenEdge(QPainter& p, const EdgeRect& r, const SystemColours& c) {
    DrawEdgeLines(p, r, c.buttonShadow, c.buttonHighlight);
    DrawEdgeLines(p, {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, c.darkShadow3d, c.light3d);
}

void DrawRaisedEdge(QPainter& p, const EdgeRect& r, const SystemColours& c) {
    DrawEdgeLines(p, r, c.light3d, c.darkShadow3d);
    DrawEdgeLines(p, {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, c.buttonHighlight,
                  c.buttonShadow);
}

void DrawCheckBox(QPainter& p, const EdgeRect& box, bool checked, const QColor& tickColour,
                  const SystemColours& c) {
    FillEdgeRect(p, box, c.window);
    const EdgeRect moved{box.left + 1, box.top, box.right, box.bottom};
    DrawSunkenEdge(p, moved, c);
    if (checked) {
        for (const EdgeRect& stroke : TickStrokes(moved)) {
            FillEdgeRect(p, stroke, tickColour);
        }
    }
}

namespace {

// Relative luminance of a colour on screen.
double Luminance(const QColor& c) {
    const auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double Contrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

QColor ReadableColour(const QColor& colour, const QColor& background) {
    constexpr double kEnough = 3.0;
    if (Contrast(colour, background) >= kEnough) {
        return colour;
    }
    const QColor target = Luminance(background) < 0.18 ? QColor(Qt::white) : QColor(Qt::black);
    QColor mixed = colour;
    for (int step = 1; step <= 10 && Contrast(mixed, background) < kEnough; ++step) {
        const double t = step / 10.0;
        mixed = QColor::fromRgbF(colour.redF() + (target.redF() - colour.redF()) * t,
                                 colour.greenF() + (target.greenF() - colour.greenF()) * t,
                                 colour.blueF() + (target.blueF() - colour.blueF()) * t);
    }
    return mixed;
}

} // namespace kiv
