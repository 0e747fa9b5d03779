#pragma once
// Qt-side test media; the general helpers are in tests/support.
// Media made at test time with ffmpeg's lavfi sources: a 160x120, 25 fps
// clip (8 s unless asked) whose colours turn over time (so pictures far
// apart differ everywhere) with a tone, an 8 s tone alone, and reference
// pictures.

#include "TestMedia.h"
#include "TestProcess.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <cstdio>

namespace kiv::test {

// Runs ffmpeg through the shared test helpers; its complaint goes to
// standard error.
inline bool RunFfmpeg(const QStringList& arguments) {
    std::vector<std::string> argv = {"ffmpeg", "-hide_banner", "-loglevel",
                                     "error",  "-nostdin",     "-y"};
    for (const QString& argument : arguments)
        argv.push_back(argument.toStdString());
    ProcessResult result = RunProcess(argv);
    if (result.exitCode != 0)
        std::fprintf(stderr, "ffmpeg failed: %s\n", result.output.c_str());
    return result.exitCode == 0;
}

inline bool MakeClip(const QString& path, int seconds = 8) {
    const QString duration = QString::number(seconds);
    return RunFfmpeg({"-f", "lavfi", "-i",
                      "testsrc2=size=160x120:rate=25:duration=" + duration + ",hue=H=t*0.8", "-f",
                      "lavfi", "-i", "sine=frequency=440:duration=" + duration, "-c:v", "mpeg4",
                      "-q:v", "2", "-g", "25", "-c:a", "aac", "-shortest", path});
}

inline bool MakeTone(const QString& path) {
    return RunFfmpeg(
        {"-f", "lavfi", "-i", "sine=frequency=440:duration=8", "-c:a", "pcm_s16le", path});
}

// The picture shown at the given time, as ffmpeg decodes it.
inline QImage ReferencePicture(const QString& clip, double seconds, const QString& png) {
    if (!RunFfmpeg({"-ss", QString::number(seconds, 'f', 3), "-i", clip, "-frames:v", "1", png}))
        return QImage();
    return QImage(png).convertToFormat(QImage::Format_RGB32);
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
