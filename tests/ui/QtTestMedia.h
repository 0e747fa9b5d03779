#pragma once
// Qt-side test media: QString faces of the clip and tone makers in
// tests/support (clips here are 160x120 and 8 s unless asked), and reference
// pictures to compare the player's with.

#include "TestMedia.h"

#include <QImage>
#include <QString>

namespace kiv::test {

inline bool MakeClip(const QString& path, int seconds = 8) {
    return MakeClip(path.toStdString(), seconds, "160x120");
}

inline bool MakeTone(const QString& path) {
    return MakeTone(path.toStdString());
}

// The picture shown at the given time, as ffmpeg decodes it.
inline QImage ReferencePicture(const QString& clip, double seconds, const QString& png) {
    if (!MakeMedia(png.toStdString(), {"-ss", QString::number(seconds, 'f', 3).toStdString(), "-i",
                                       clip.toStdString(), "-frames:v", "1"}))
        return QImage();
    return QImage(png).convertToFormat(QImage::Format_RGB32);
}

// Where the player shows a picture of the given size in an area: as large
// as fits, at its own shape, centred (bars of the area's black around it).
inline QRect ShownPictureRect(QSize area, QSize picture) {
    const QSize fitted = picture.scaled(area, Qt::KeepAspectRatio);
    return QRect(QPoint((area.width() - fitted.width()) / 2, (area.height() - fitted.height()) / 2),
                 fitted);
}

// The part of a rendered frame that shows a picture of the given size.
inline QImage ShownPicture(const QImage& frame, QSize picture) {
    return frame.isNull() ? QImage() : frame.copy(ShownPictureRect(frame.size(), picture));
}

// Mean absolute difference per colour channel (0 to 255) after bringing
// the picture to the reference's size.
inline double MeanDifference(const QImage& picture, const QImage& reference) {
    if (picture.isNull() || reference.isNull())
        return 255;
    const QImage a =
        picture.scaled(reference.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_RGB32);
    const QImage b = reference.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int y = 0; y < b.height(); ++y) {
        const auto* rowA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* rowB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < b.width(); ++x) {
            sum += qAbs(qRed(rowA[x]) - qRed(rowB[x])) + qAbs(qGreen(rowA[x]) - qGreen(rowB[x])) +
                   qAbs(qBlue(rowA[x]) - qBlue(rowB[x]));
        }
    }
    return sum / (3.0 * b.width() * b.height());
}

} // namespace kiv::test
