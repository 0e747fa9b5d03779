#include "ListGeometry.h"

namespace kiv {

EdgeRect CheckBoxRect(const EdgeRect& cell, bool cellHasText) {
    const int side = cell.bottom - 1 - cell.top;
    const int left =
        cellHasText ? cell.left + 9 : cell.left + (cell.right - cell.left) / 2 - side / 2 - 1;
    return {left, cell.top, left + side, cell.top + side};
}

std::array<EdgeRect, 7> TickStrokes(const EdgeRect& box) {
    const int x0 = box.left + 9;
    const int y0 = box.top + 3;
    // Down-left along the short arm, then up-left along the long one.
    static constexpr int dx[7] = {0, -1, -2, -3, -4, -5, -6};
    static constexpr int dy[7] = {0, 1, 2, 3, 4, 3, 2};
    std::array<EdgeRect, 7> strokes;
    for (int i = 0; i < 7; ++i) {
        const int x = x0 + dx[i];
        const int y = y0 + dy[i];
        strokes[i] = {x, y, x + 1, y + 3};
    }
    return strokes;
}

ProgressGeometry ComputeProgressGeometry(const EdgeRect& cell, int percent) {
    const int l = cell.left + 1;
    const int t = cell.top;
    const int r = cell.right - 2;
    const int b = cell.bottom - 1;

    ProgressGeometry g;
    g.frame = {EdgeRect{l, b, r + 1, b + 1}, EdgeRect{l, t, r, t + 1}, EdgeRect{l, t, l + 1, b},
               EdgeRect{r, t, r + 1, b}};
    g.fill = {l + 1, t + 1, r, b};
    g.inner = {EdgeRect{l + 1, t + 1, r, t + 2}, EdgeRect{l + 1, t + 1, l + 2, b}};
    g.barEnd = percent > 0 ? l + 2 + (r - l - 2) * percent / 100 : l + 2;
    g.bar = {l + 2, t + 2, g.barEnd, b};
    g.text = {l + 1, t + 2, r - 1, b - 1};
    g.beside = {g.barEnd + 1, t + 2, r, b};
    return g;
}

QString FormatProgressText(const QString& format, int percent) {
    const QString f = format.isEmpty() ? QStringLiteral("%d%%") : format;
    QString out;
    out.reserve(f.size() + 8);
    for (qsizetype i = 0; i < f.size(); ++i) {
        if (f[i] == u'%' && i + 1 < f.size()) {
            if (f[i + 1] == u'd') {
                out += QString::number(percent);
                ++i;
                continue;
            }
            if (f[i + 1] == u'%') {
                out += u'%';
                ++i;
                continue;
            }
        }
        out += f[i];
    }
    return out;
}

EdgeRect ComboButtonRect(const EdgeRect& cell) {
    const int side = cell.Height();
    return {cell.right - side + 2, cell.top + 2, cell.right - 2, cell.bottom - 2};
}

std::array<EdgeRect, 3> ComboArrowLines(const EdgeRect& button, bool pressed) {
    const int shift = pressed ? 1 : 0;
    const int cx = button.CentreX() + shift;
    const int cy = button.CentreY() + shift;
    return {EdgeRect{cx - 2, cy - 1, cx + 3, cy}, EdgeRect{cx - 1, cy, cx + 2, cy + 1},
            EdgeRect{cx, cy + 1, cx + 1, cy + 2}};
}

EdgeRect ComboDropDownRect(const EdgeRect& cell, int comboRows) {
    const int top = cell.bottom - 1;
    return {cell.left, top, cell.right - 1, top + (cell.Height() - 2) * comboRows};
}

QString CutTipText(const QString& tip) {
    return tip.left(80);
}

CellColours ComputeCellColours(const ListCell* cell, bool rowEnabled, int column,
                               const SelectionState& selection, const SystemColours& system) {
    CellColours c = PlainCellColours(cell, rowEnabled, system);
    if (selection.selected && (selection.fullRowSelect || column == 0)) {
        if (selection.hasFocus) {
            c = {system.highlight, system.highlightText};
        } else if (selection.showSelectionAlways) {
            c = {system.buttonFace, system.windowText};
        }
    }
    return c;
}

CellColours PlainCellColours(const ListCell* cell, bool rowEnabled, const SystemColours& system) {
    if (!cell) {
        return {system.window, system.windowText};
    }
    return {cell->backColour, rowEnabled ? cell->textColour : system.greyText};
}

} // namespace kiv
