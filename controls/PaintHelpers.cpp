#include "PaintHelpers.h"

#include "ListGeometry.h"

namespace kiv {

void drawEdgeLines(QPainter& p, const EdgeRect& r, const QColor& topLeft,
                   const QColor& bottomRight) {
    if (r.isEmpty()) {
        return;
    }
    fillEdgeRect(p, {r.left, r.top, r.right - 1, r.top + 1}, topLeft);
    fillEdgeRect(p, {r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
    fillEdgeRect(p, {r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
    fillEdgeRect(p, {r.right - 1, r.top, r.right, r.bottom}, bottomRight);
}

void drawSunkenEdge(QPainter& p, const EdgeRect& r, const SystemColours& c) {
    drawEdgeLines(p, r, c.buttonShadow, c.buttonHighlight);
    drawEdgeLines(p, {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, c.darkShadow3d, c.light3d);
}

void drawRaisedEdge(QPainter& p, const EdgeRect& r, const SystemColours& c) {
    drawEdgeLines(p, r, c.light3d, c.darkShadow3d);
    drawEdgeLines(p, {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, c.buttonHighlight,
                  c.buttonShadow);
}

void drawCheckBox(QPainter& p, const EdgeRect& box, bool checked, const QColor& tickColour,
                  const SystemColours& c) {
    fillEdgeRect(p, box, c.window);
    const EdgeRect moved{box.left + 1, box.top, box.right, box.bottom};
    drawSunkenEdge(p, moved, c);
    if (checked) {
        for (const EdgeRect& stroke : tickStrokes(moved)) {
            fillEdgeRect(p, stroke, tickColour);
        }
    }
}

} // namespace kiv
