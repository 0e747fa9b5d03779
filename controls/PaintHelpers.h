#pragma once
// Small drawing helpers shared by the controls: one-pixel lines given as
// rectangles, the two-pixel sunken and raised edges, the check box, and
// colours made readable on their background.

#include "EdgeRect.h"
#include "SystemColours.h"

#include <QPainter>

namespace kiv {

inline void FillEdgeRect(QPainter& p, const EdgeRect& r, const QColor& colour) {
    if (!r.IsEmpty()) {
        p.fillRect(r.ToQRect(), colour);
    }
}

// A one-pixel edge: topLeft colour along the top and left sides, bottomRight
// colour along the bottom and right sides.
void DrawEdgeLines(QPainter& p, const EdgeRect& r, const QColor& topLeft,
                   const QColor& bottomRight);

// Two-pixel edges made of an outer and an inner one-pixel edge.
void DrawSunkenEdge(QPainter& p, const EdgeRect& r, const SystemColours& c);
void DrawRaisedEdge(QPainter& p, const EdgeRect& r, const SystemColours& c);

// The check box of a check-box cell: box filled with the window colour, its left
// edge moved one pixel right, a sunken edge, and the tick when checked.
void DrawCheckBox(QPainter& p, const EdgeRect& box, bool checked, const QColor& tickColour,
                  const SystemColours& c);

// The colour as it is when it stands out from the background (a contrast
// of at least 3:1, as for large or bold text); else mixed towards white on
// a dark background, or black on a light one, until it does. A palette made
// for dark backgrounds that keeps the light one's blue links gets readable
// links this way.
QColor ReadableColour(const QColor& colour, const QColor& background);

} // namespace kiv
