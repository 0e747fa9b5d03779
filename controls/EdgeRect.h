#pragma once
// A rectangle given by its four edges, right and bottom exclusive. The control
// geometry is written in edge arithmetic ("right - 2", "bottom - 1"), which reads
// naturally in this form and avoids QRect's inclusive right()/bottom().

#include <QPoint>
#include <QRect>

namespace kiv {

struct EdgeRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static EdgeRect FromQRect(const QRect& r) {
        return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    }
    QRect ToQRect() const { return QRect(left, top, right - left, bottom - top); }
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    // Point-in-rectangle with exclusive right and bottom edges.
    bool Contains(QPoint p) const {
        return p.x() >= left && p.x() < right && p.y() >= top && p.y() < bottom;
    }
    int CentreX() const { return (left + right) / 2; }
    int CentreY() const { return (top + bottom) / 2; }
    friend bool operator==(const EdgeRect&, const EdgeRect&) = default;
};

} // namespace kiv
