#pragma once
// A dialog laid out for its smallest size (in dialog units, as designed)
// that may grow: each control keeps its place and size at the smallest
// size, and follows the dialog's growth as told, moving right or down by
// what the dialog gained, or growing by it.
//
//     GrowingLayout layout;
//     layout.Add(list, Follow::Widen | Follow::Heighten);  // takes the room
//     layout.Add(exitButton, Follow::MoveRight);           // stays at the right
//     layout.Place(window.minimumSize(), window.size());   // in resizeEvent
//
// A control inside another that grows (a picture in its frame) is given
// the same growth as its frame.

#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace kiv {

namespace Follow {
enum : unsigned {
    Stay = 0,
    MoveRight = 1,
    Widen = 2,
    MoveDown = 4,
    Heighten = 8,
};
} // namespace Follow

class GrowingLayout {
public:
    // Takes the widget's geometry now as its place at the smallest size.
    void Add(QWidget* widget, unsigned follow) {
        places_.push_back({widget, widget->geometry(), follow});
    }

    // Places every widget for a dialog of size that is smallest at least.
    void Place(const QSize& smallest, const QSize& size) const {
        const int dx = std::max(size.width() - smallest.width(), 0);
        const int dy = std::max(size.height() - smallest.height(), 0);
        for (const ControlPlace& place : places_) {
            if (!place.widget)
                continue;
            QRect r = place.smallest;
            if (place.follow & Follow::MoveRight)
                r.translate(dx, 0);
            if (place.follow & Follow::Widen)
                r.setWidth(r.width() + dx);
            if (place.follow & Follow::MoveDown)
                r.translate(0, dy);
            if (place.follow & Follow::Heighten)
                r.setHeight(r.height() + dy);
            place.widget->setGeometry(r);
        }
    }

private:
    struct ControlPlace {
        QPointer<QWidget> widget;
        QRect smallest;
        unsigned follow;
    };
    std::vector<ControlPlace> places_;
};

} // namespace kiv
