#include "PaintHelpers.h"

#include "ListGeometry.h"

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

} // namespace kiv
