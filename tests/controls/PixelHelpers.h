#pragma once
// Pixel counting over rendered widgets.

#include <QColor>
#include <QImage>
#include <QRect>

#include <cstdlib>
#include <functional>

namespace kiv::test {

inline bool Near(QRgb a, const QColor& b, int tolerance = 40) {
    return std::abs(qRed(a) - b.red()) + std::abs(qGreen(a) - b.green()) +
               std::abs(qBlue(a) - b.blue()) <=
           tolerance;
}

inline int CountPixels(const QImage& image, const QRect& area,
                       const std::function<bool(QRgb)>& test) {
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            if (test(image.pixel(x, y))) {
                ++n;
            }
        }
    }
    return n;
}

inline int CountNear(const QImage& image, const QRect& area, const QColor& colour,
                     int tolerance = 40) {
    return CountPixels(image, area, [&](QRgb p) { return Near(p, colour, tolerance); });
}

// The pixel as an opaque RGB value, to compare with QColor::rgb().
inline QRgb At(const QImage& image, int x, int y) {
    return image.pixel(x, y) | 0xff000000u;
}

} // namespace kiv::test
