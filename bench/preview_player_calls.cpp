// How long the preview player's calls keep the GUI thread: median and
// slowest of each call over several rounds on a real clip. Open waits until
// libmpv has loaded the file; the others only queue requests and should take
// well under a frame (target: at most 150 ms for any call).
//
// usage: preview_player_calls [media file] [rounds]
// Without a file, an 8 s 160x120 clip is made with ffmpeg's lavfi sources.
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include "PreviewPlayer.h"
#include "VideoArea.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

bool MakeClip(const QString& path) {
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"),
                 {"-hide_banner", "-loglevel", "error", "-nostdin", "-y", "-f", "lavfi", "-i",
                  "testsrc2=size=160x120:rate=25:duration=8", "-f", "lavfi", "-i",
                  "sine=frequency=440:duration=8", "-c:v", "mpeg4", "-c:a", "aac", "-shortest",
                  path});
    return ffmpeg.waitForFinished(120000) && ffmpeg.exitStatus() == QProcess::NormalExit &&
           ffmpeg.exitCode() == 0;
}

// Runs the GUI thread's events until done() holds; false after 20 s.
bool RunUntil(const std::function<bool()>& done) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > 20000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
    return true;
}

double Position(const kiv::PreviewPlayer& player) {
    double seconds = -1;
    return player.GetPosition(seconds) ? seconds : -1;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");

    QTemporaryDir dir;
    QString file = argc > 1 ? QString::fromLocal8Bit(argv[1]) : dir.filePath("clip.mp4");
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;
    if (argc < 2 && !MakeClip(file)) {
        std::fprintf(stderr, "ffmpeg could not make the clip\n");
        return 1;
    }
    const QByteArray path = file.toLocal8Bit();

    kiv::VideoArea area;
    area.resize(320, 240);
    area.show();
    kiv::PreviewPlayer& player = kiv::PreviewPlayer::Instance();

    std::map<std::string, std::vector<double>> times;
    const auto measure = [&times](const char* name, const std::function<void()>& call) {
        QElapsedTimer timer;
        timer.start();
        call();
        times[name].push_back(timer.nsecsElapsed() / 1e6);
    };
    const auto shown = [&] { return area.HasFrame() && Position(player) >= 0; };
    const auto playing = [&](double after) {
        return [&, after] { return Position(player) > after; };
    };

    for (int round = 0; round < rounds; ++round) {
        int opened = 0;
        measure("Open (waits for the file)",
                [&] { opened = player.Open(path.constData(), &area); });
        if (opened != 1 || !RunUntil(shown)) {
            std::fprintf(stderr, "cannot play %s\n", path.constData());
            return 1;
        }
        measure("Seek while paused", [&] { player.Seek(2.0); });
        measure("Play", [&] { player.Play(); });
        if (!RunUntil(playing(2.3)))
            return 1;
        measure("Seek while playing", [&] { player.Seek(0.5); });
        measure("GetPosition", [&] { Position(player); });
        if (!RunUntil(playing(0.8)))
            return 1;
        measure("Reopen while playing", [&] { player.Reopen(&area); });
        if (!RunUntil(shown))
            return 1;
        player.Play();
        if (!RunUntil(playing(0.3)))
            return 1;
        measure("Close while playing", [&] { player.Close(); });
    }

    std::printf("preview player calls on the GUI thread, %d rounds, %s:\n", rounds,
                path.constData());
    double slowest = 0;
    for (auto& [name, values] : times) {
        std::sort(values.begin(), values.end());
        const double median = values[values.size() / 2];
        slowest = std::max(slowest, values.back());
        std::printf("  %-26s median %7.2f ms  max %7.2f ms\n", name.c_str(), median, values.back());
    }
    std::printf("slowest call: %.2f ms (target <= 150 ms)\n", slowest);
    return 0;
}
