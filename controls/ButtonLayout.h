#pragma once
// Where an image button puts its image and caption, and how its bitmaps are
// prepared: pure functions.

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace kiv {

struct ButtonLayout {
    QPoint image;  // top-left corner of the image
    QRect caption; // space in which the caption is centred
};

// alignment 0 to 3. Without a caption 0 and 1 centre the image, 2 centres it
// horizontally at the top, 3 puts it at the top-left corner. With a caption:
// 0 image at imageOrigin.x from the left, caption right of it; 1 image centred
// at imageOrigin.y from the top, caption below it; 2 image at imageOrigin.x from
// the right, caption left of it; 3 image at the top-left corner under the caption.
ButtonLayout ComputeButtonLayout(QSize button, QSize image, bool hasCaption, int alignment,
                                 QPoint imageOrigin);

// The image with every pixel of the key colour made fully transparent.
QImage KeyColourTransparent(const QImage& image, const QColor& key);

} // namespace kiv
