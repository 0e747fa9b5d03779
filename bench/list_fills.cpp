// How soon the window lists 30 camera-like files (1080p H.264 at 25 Mb/s with
// AAC sound, 10 s each) added at once: the time until every name shows,
// until every duration is filled, and the longest the GUI thread went without
// running its timers meanwhile (the window never waits for a probe), with
// the CPU the whole add took. Targets: names within 0.5 s, durations within
// 2 s on an idle 2-core machine, no stall near a probe's length.
//
//   list_fills [rounds]      (run offscreen: QT_QPA_PLATFORM=offscreen)

#include "CXListCtrl.h"
#include "MainDlg.h"
#include "MessageBoxes.h"
#include "Settings.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <clocale>
#include <cstdio>

#include <sys/resource.h>

namespace {

constexpr int kFiles = 30;

// CPU seconds this process has used, all its threads.
double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

bool MakeCameraClip(const QString& path) {
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg",
                 {"-v",       "error",
                  "-nostdin", "-y",
                  "-f",       "lavfi",
                  "-i",       "testsrc2=size=1920x1080:rate=30:duration=10,noise=alls=10:allf=t",
                  "-f",       "lavfi",
                  "-i",       "sine=frequency=440:sample_rate=48000:duration=10",
                  "-c:v",     "libx264",
                  "-preset",  "ultrafast",
                  "-b:v",     "25M",
                  "-maxrate", "25M",
                  "-bufsize", "50M",
                  "-pix_fmt", "yuv420p",
                  "-c:a",     "aac",
                  "-b:a",     "256k",
                  path});
    return ffmpeg.waitForFinished(600000) && ffmpeg.exitCode() == 0;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    QTemporaryDir work;
    qputenv("KIV_HOME", work.path().toLocal8Bit());
    kiv::LoadSettings();
    kiv::SetMessageSink([](QWidget*, const kiv::ShownMessage&) {});
    const QString first = work.filePath("camera01.mp4");
    if (!MakeCameraClip(first)) {
        std::fprintf(stderr, "list_fills: ffmpeg could not make the clip\n");
        return 1;
    }
    QStringList files{first};
    for (int i = 2; i <= kFiles; ++i) {
        files << work.filePath(QString("camera%1.mp4").arg(i, 2, 10, QChar('0')));
        QFile::copy(first, files.back());
    }
    std::printf("%d files of %lld bytes; load: ", kFiles, QFile(first).size());
    QFile load("/proc/loadavg");
    if (load.open(QIODevice::ReadOnly))
        std::printf("%s", load.readLine().constData());
    for (int round = 1; round <= rounds; ++round) {
        kiv::CKivVideoConverterDlg window;
        window.show();
        auto* list = window.findChild<kiv::CXListCtrl*>("fileList");
        QSignalSpy added(&window, &kiv::CKivVideoConverterDlg::filesAdded);
        // The GUI thread's longest gap between two ticks of a 5 ms timer.
        QElapsedTimer clock, sinceTick;
        qint64 longestGap = 0;
        QTimer ticks;
        QObject::connect(&ticks, &QTimer::timeout,
                         [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
        ticks.start(5);
        const double cpuBefore = CpuSeconds();
        clock.start();
        sinceTick.start();
        window.AddFiles(files);
        QApplication::processEvents(); // painted
        const double listed = clock.nsecsElapsed() / 1e6;
        const int names = list->RowCount();
        added.wait(120000);
        const double filled = clock.nsecsElapsed() / 1e6;
        int durations = 0;
        for (int row = 0; row < list->RowCount(); ++row)
            durations += list->CellText(row, 2).isEmpty() ? 0 : 1;
        std::printf("round %d: %d names listed in %.0f ms, %d durations filled in %.0f ms "
                    "(%.2f s of CPU), longest GUI stall %lld ms\n",
                    round, names, listed, durations, filled, CpuSeconds() - cpuBefore, longestGap);
    }
    return 0;
}
