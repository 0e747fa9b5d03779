#pragma once
// Pure geometry and colour rules of the list control's cells. Every rectangle
// uses exclusive right and bottom edges (EdgeRect); a one-pixel line is a
// rectangle one pixel thick.

#include "EdgeRect.h"
#include "ListCell.h"
#include "SystemColours.h"

#include <QString>

#include <array>

namespace kiv {

// The check box square of a check-box cell: side bottom - 1 - top, at left + 9,
// or centred in the cell when the cell has no text.
EdgeRect CheckBoxRect(const EdgeRect& cell, bool cellHasText);

// The seven three-pixel vertical strokes of the tick, as one-pixel-wide
// rectangles, for a box whose left edge has already been moved one pixel right.
std::array<EdgeRect, 7> TickStrokes(const EdgeRect& box);

struct ProgressGeometry {
    std::array<EdgeRect, 4> frame; // button-shadow lines
    EdgeRect fill;                 // light grey
    std::array<EdgeRect, 2> inner; // black top and left lines
    EdgeRect bar;                  // highlight; empty at 0 % or less
    int barEnd = 0;                // x1, the bar's right edge
    EdgeRect text;                 // where the percentage is centred
    EdgeRect beside;               // clip for the text drawn beside the bar
};

ProgressGeometry ComputeProgressGeometry(const EdgeRect& cell, int percent);

// The percentage text: format with its %d replaced by percent and %% by %;
// an empty format means "%d%%". Other characters are kept as they are.
QString FormatProgressText(const QString& format, int percent);

// The square drop-down button at the right end of a combo cell.
EdgeRect ComboButtonRect(const EdgeRect& cell);

// The combo button's black arrow: three lines 5, 3 and 1 pixels wide, centred
// in the button and moved one pixel right and down while pressed.
std::array<EdgeRect, 3> ComboArrowLines(const EdgeRect& button, bool pressed);

// The drop-down list below a combo cell, in the cell's coordinates.
EdgeRect ComboDropDownRect(const EdgeRect& cell, int comboRows);

// A cell's tooltip: at most 80 characters.
QString CutTipText(const QString& tip);

struct CellColours {
    QColor back;
    QColor text;
};

struct SelectionState {
    bool selected = false;
    bool fullRowSelect = false;
    bool hasFocus = false;
    bool showSelectionAlways = false;
};

// Colours of a text, image or check-box cell. cell may be null (a row without
// cell data). rowEnabled is the enabled value of the row's column-0 cell.
CellColours ComputeCellColours(const ListCell* cell, bool rowEnabled, int column,
                               const SelectionState& selection, const SystemColours& system);

// Colours of a progress or combo cell, which ignore the selection.
CellColours PlainCellColours(const ListCell* cell, bool rowEnabled, const SystemColours& system);

} // namespace kiv
