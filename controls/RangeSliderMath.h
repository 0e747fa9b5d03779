#pragma once
// Pure arithmetic of the two-thumb range slider: value <-> pixel, the painted
// parts, hit tests, clamping with its notices, drags and arrow keys.
//
// Equal bounds leave the value per pixel undefined: every value then maps to
// pixel 0 (both thumbs at the left) and drags and keys change nothing.

#include "EdgeRect.h"

#include <QPoint>
#include <QSize>

#include <array>
#include <optional>
#include <vector>

namespace kiv {

struct RangeValues {
    double min = 0.0;
    double max = 1.0;
    double left = 0.0;
    double right = 1.0;
    friend bool operator==(const RangeValues&, const RangeValues&) = default;
};

enum RangeChange { LeftChanged = 0, RightChanged = 1, BothMoved = 2 };
enum RangePart { NoPart = -1, LeftThumb = 0, RightThumb = 1, Band = 2 };

// trackLength * (v - min) / (max - min) + 0.5, truncated; 0 for equal bounds.
int ValueToPixel(double v, double min, double max, int trackLength);

struct SliderGeometry {
    int arrowWidth = 0;  // client height * 3 / 4
    int trackLength = 0; // client width - 2 * arrowWidth
    int pxLeft = 0;
    int pxRight = 0;
    EdgeRect leftOuter, rightOuter; // filled button face, outlined black
    EdgeRect leftThumb, rightThumb; // inner rectangles: hit areas and raised edges
    std::array<QPoint, 3> leftArrow, rightArrow;
    EdgeRect band;    // the white band
    EdgeRect bandHit; // hit area of the band
    EdgeRect focus;   // focus rectangle, the band moved in by 3
};

SliderGeometry ComputeSliderGeometry(QSize client, const RangeValues& v);

// The part under a point, tested left thumb, right thumb, band in that order.
RangePart HitTest(const SliderGeometry& g, QPoint p);
// The rectangle whose centre a grab is measured from.
EdgeRect PartRect(const SliderGeometry& g, RangePart part);

// Clamps both ends into [min, max] without reordering them. Returns the change
// notices in the order they are due.
std::vector<int> ClampSelection(RangeValues& v);

// The values after dragging part so that its centre lies at pixel p; the code
// to report. Nothing for equal bounds or a track without length.
struct RangeUpdate {
    RangeValues values;
    int code = 0;
};
std::optional<RangeUpdate> DragTo(const RangeValues& v, RangePart part, int p, int arrowWidth,
                                  int trackLength);

// The Left or Right arrow key (right = true for Right), with Shift and Ctrl as
// held. Nothing when the key does not act (Ctrl, equal bounds, no track).
std::optional<RangeUpdate> ArrowKey(const RangeValues& v, int trackLength, bool right, bool shift,
                                    bool ctrl);

} // namespace kiv
