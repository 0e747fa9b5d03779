// Converting the same three files through the window's batch and through
// kiv-convert: wall times of each, alternating, and their median ratio
// (window ÷ kiv-convert; the target is at most 1.02).
//
//   window_batch [rounds]      (run offscreen: QT_QPA_PLATFORM=offscreen)

#include "MainDlg.h"
#include "MessageBoxes.h"
#include "Settings.h"
#include "TestMedia.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <vector>

namespace {

constexpr int kFormat = 5; // "To iPod/iPhone/AppleTV"
constexpr int kProfile = 0;

// The window takes its output folder from the settings, as at every start.
void SetOutputFolder(const QString& home, const QString& out) {
    QFile settings(home + "/kivinfo.ini");
    if (settings.open(QIODevice::WriteOnly | QIODevice::Truncate))
        settings.write("[Options]\nFolder=" + QFile::encodeName(out) + "/\n");
    settings.close();
    kiv::LoadSettings();
}

double WindowSeconds(const QStringList& files, const QString& home, const QString& out) {
    SetOutputFolder(home, out);
    kiv::CKivVideoConverterDlg window;
    window.findChild<QComboBox*>("formatList")->setCurrentIndex(kFormat);
    window.OnFormatPick();
    window.findChild<QComboBox*>("profileList")->setCurrentIndex(kProfile);
    window.OnProfilePick();
    window.findChild<QCheckBox*>("openFolderBox")->setChecked(false);
    QSignalSpy added(&window, &kiv::CKivVideoConverterDlg::filesAdded);
    window.AddFiles(files);
    added.wait(60000);
    QSignalSpy ended(&window, &kiv::CKivVideoConverterDlg::batchEnded);
    QElapsedTimer clock;
    clock.start();
    window.OnStart();
    ended.wait(600000);
    return clock.elapsed() / 1000.0;
}

double CommandLineSeconds(const QStringList& files, const QString& out) {
    QProcess convert;
    QStringList arguments{"--quiet",
                          "--format",
                          QString::number(kFormat),
                          "--profile",
                          QString::number(kProfile),
                          "--output-dir",
                          out};
    QElapsedTimer clock;
    clock.start();
    convert.start(QCoreApplication::applicationDirPath() + "/kiv-convert", arguments + files);
    convert.waitForFinished(600000);
    return clock.elapsed() / 1000.0;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    QTemporaryDir work;
    qputenv("KIV_HOME", work.path().toLocal8Bit());
    kiv::LoadSettings();
    kiv::SetMessageSink([](QWidget*, const kiv::ShownMessage&) {}); // no "Encoding Finish!" box
    QStringList files;
    for (const char* name : {"one.mp4", "two.mp4", "three.mp4"}) {
        files << work.filePath(name);
        if (!kiv::test::MakeClip(files.back().toStdString(), 10, "640x360")) {
            std::fprintf(stderr, "window_batch: ffmpeg could not make the clips\n");
            return 1;
        }
    }
    std::vector<double> window, commandLine, ratios;
    for (int round = 0; round < rounds; ++round) {
        const QString out = work.filePath("out" + QString::number(round));
        QDir().mkpath(out + "/w");
        QDir().mkpath(out + "/c");
        // Alternate which goes first, so a warming cache favours neither.
        double w = 0, c = 0;
        if (round % 2 == 0) {
            w = WindowSeconds(files, work.path(), out + "/w");
            c = CommandLineSeconds(files, out + "/c");
        } else {
            c = CommandLineSeconds(files, out + "/c");
            w = WindowSeconds(files, work.path(), out + "/w");
        }
        window.push_back(w);
        commandLine.push_back(c);
        ratios.push_back(w / c);
        std::printf("round %d: window %.2f s, kiv-convert %.2f s, ratio %.3f\n", round + 1, w, c,
                    w / c);
    }
    std::printf("median: window %.2f s, kiv-convert %.2f s, ratio %.3f (target <= 1.02)\n",
                Median(window), Median(commandLine), Median(ratios));
    return 0;
}
