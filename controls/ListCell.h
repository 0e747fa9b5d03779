#pragma once
// The record kept for every cell of a CXListCtrl row.

#include <QColor>
#include <QMetaType>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace kiv {

struct ListCell {
    int enabled = 1; // only the row's column-0 value counts, for the whole row
    int bold = 0;
    int image = -1; // index into the list's small image list; -1 = none
    QString tipText;
    QString accessibleDescription; // what a screen reader adds to the cell's text
    int isCombo = 0;
    int comboOpen = 0; // the combo's button is drawn pressed
    QStringList comboItems;
    int comboRows = 10;   // height of the drop-down list in rows
    int comboInitial = 0; // entry shown when the cell text is empty
    QColor textColour;
    QColor backColour;
    int isProgress = 0;
    int percent = 0;
    QString progressText; // format for the percentage; empty means "%d%%"
    int showPercent = 1;
    int check = -1; // -1 no check box, 0 unchecked, 1 checked
    std::uint32_t userData = 0;
};

} // namespace kiv

Q_DECLARE_METATYPE(kiv::ListCell)
