#pragma once
// Dialog units to pixels, with the base units of an 8-point dialog font:
// one horizontal unit is 1.5 pixels, one vertical unit 1.625 pixels, rounded
// to the nearest pixel. Positions and sizes are converted separately.

#include <QRect>

namespace kiv {

constexpr int DluToPixelsX(int dlu) {
    // 1.5 * dlu rounded half away from zero.
    return dlu >= 0 ? (3 * dlu + 1) / 2 : -((-3 * dlu + 1) / 2);
}

constexpr int DluToPixelsY(int dlu) {
    // 1.625 * dlu = 13 * dlu / 8, rounded half away from zero.
    return dlu >= 0 ? (13 * dlu + 4) / 8 : -((-13 * dlu + 4) / 8);
}

constexpr QRect DluRect(int x, int y, int width, int height) {
    return QRect(DluToPixelsX(x), DluToPixelsY(y), DluToPixelsX(width), DluToPixelsY(height));
}

} // namespace kiv
