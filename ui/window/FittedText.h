#pragma once
// Dialog layouts in dialog units were made for a narrower font than most
// Linux desktops use. Controls whose texts do not fit their places get a
// condensed face, then a slightly smaller one, instead of losing their ends.
// Controls that belong together (the labels of a column, a pair of check
// boxes) are fitted as one group, so they keep the same face.

#include <QFont>
#include <QWidget>

#include <algorithm>
#include <initializer_list>

namespace kiv {

inline void FitTextsToWidths(std::initializer_list<QWidget*> group) {
    const auto allFit = [group] {
        return std::all_of(group.begin(), group.end(),
                           [](QWidget* w) { return w->sizeHint().width() <= w->width(); });
    };
    if (group.size() == 0 || allFit())
        return;
    QFont font = (*group.begin())->font();
    const auto apply = [group, &font] {
        for (QWidget* w : group)
            w->setFont(font);
    };
    font.setStretch(QFont::Condensed);
    apply();
    for (qreal size = font.pointSizeF() - 0.5; !allFit() && size >= 6.0; size -= 0.5) {
        font.setPointSizeF(size);
        apply();
    }
}

} // namespace kiv
