#include "ButtonLayout.h"

namespace kiv {

ButtonLayout ComputeButtonLayout(QSize button, QSize image, bool hasCaption, int alignment,
                                 QPoint imageOrigin) {
    const int w = button.width();
    const int h = button.height();
    const int centredX = (w - image.width()) / 2;
    const int centredY = (h - image.height()) / 2;
    const QRect whole(0, 0, w, h);
    if (!hasCaption) {
        switch (alignment) {
        case 2:
            return {QPoint(centredX, 0), whole};
        case 3:
            return {QPoint(0, 0), whole};
        default:
            return {QPoint(centredX, centredY), whole};
        }
    }
    switch (alignment) {
    case 0: {
        const int x = imageOrigin.x();
        const int right = x + image.width();
        return {QPoint(x, centredY), QRect(right, 0, w - right, h)};
    }
    case 1: {
        const int y = imageOrigin.y();
        const int bottom = y + image.height();
        return {QPoint(centredX, y), QRect(0, bottom, w, h - bottom)};
    }
    case 2: {
        const int x = w - imageOrigin.x() - image.width();
        return {QPoint(x, centredY), QRect(0, 0, x, h)};
    }
    default:
        return {QPoint(0, 0), whole};
    }
}

QImage KeyColourTransparent(const QImage& image, const QColor& key) {
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    if (out.isNull()) {
        return out;
    }
    const QRgb keyRgb = key.rgb() & 0x00ffffff;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if ((line[x] & 0x00ffffff) == keyRgb) {
                line[x] = 0;
            }
        }
    }
    return out;
}

} // namespace kiv
