// Time from pressing "Preview result" in the Split dialog to the first
// picture of the converted result on screen, on a 1080p source, for an
// H.264 profile with a 720p target and a DVD profile: the whole road (the
// worker, enc and FFmpeg converting ten seconds, the player opening the
// result). Prints the median and the slowest of several rounds, and how
// much of it the conversion took.
//
// Target: the first picture within 3 s for the 720p target on this machine.
//
// usage: preview_first_frame [rounds]
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise; the
// data folder is a temporary one (KIV_HOME).

#include "CEncoderCntl.h"
#include "Catalogue.h"
#include "FixedText.h"
#include "PreviewPlayer.h"
#include "Settings.h"
#include "SplitDlg.h"
#include "TestMedia.h"
#include "VideoArea.h"
#include "runs/JobBuilder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using namespace kiv;

constexpr int kSourceSeconds = 60;

bool RunUntil(const std::function<bool()>& done, int limitMs = 120000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > limitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return true;
}

void IgnoreProgress(int, void*) {}

PreviewSource SourceFor(const ConversionJob& job, const char* profile) {
    PreviewSource source;
    source.job = job;
    for (int c = 0; c < CategoryCount(); ++c) {
        const ProfileCategory* category = GetCategory(c);
        for (int p = 0; p < category->ProfileCount; ++p)
            if (GetText(category->Profiles[p].ProfileName) == profile) {
                source.profile = category->Profiles[p];
                source.targetKind = category->Target;
            }
    }
    return source;
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir home;
    qputenv("KIV_HOME", home.path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    LoadSettings();
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;

    const QString clip = home.filePath("source1080.mp4");
    std::printf("making a %d s 1080p source...\n", kSourceSeconds);
    if (!test::MakeClip(clip.toStdString(), kSourceSeconds, "1920x1080")) {
        std::fprintf(stderr, "ffmpeg could not make the source\n");
        return 1;
    }
    CEncoderCntl controller;
    EncoderInit init{};
    init.callback = IgnoreProgress;
    SetText(init.appFolder, ProgramDirectory());
    ConversionJob job{};
    if (controller.bCreateEncoder(&init) != 1 ||
        ProbeIntoJob(controller, clip.toStdString(), job) != 1) {
        std::fprintf(stderr, "the source cannot be probed (build enc and kiv_media)\n");
        return 1;
    }

    std::printf("%-40s %9s %9s %11s\n", "profile", "median s", "slowest s", "converting");
    for (const char* profile :
         {"H.264 MP4, fit within 1280x720 (HD)", "Apple TV(HD Quality)", "PAL DVD Video"}) {
        std::vector<double> firstFrame, converting;
        for (int round = 0; round < rounds; ++round) {
            CSplitDlg dlg(nullptr, kSourceSeconds, clip);
            dlg.SetPreviewSource(SourceFor(job, profile));
            dlg.show();
            double position = -1;
            RunUntil([&] { return PreviewPlayer::Instance().GetPosition(position); });
            auto* area = dlg.findChild<VideoArea*>("picture");
            QElapsedTimer timer;
            timer.start();
            dlg.findChild<QPushButton*>("preview")->click();
            if (!RunUntil([&] { return !dlg.IsMakingResult(); })) {
                std::fprintf(stderr, "%s: no result in time\n", profile);
                return 1;
            }
            converting.push_back(timer.elapsed() / 1000.0);
            if (!dlg.IsShowingResult() || !RunUntil([&] { return area->HasFrame(); }, 20000)) {
                std::fprintf(stderr, "%s: the result does not show\n", profile);
                return 1;
            }
            firstFrame.push_back(timer.elapsed() / 1000.0);
        }
        std::sort(firstFrame.begin(), firstFrame.end());
        std::sort(converting.begin(), converting.end());
        std::printf("%-40s %9.2f %9.2f %9.2f s\n", profile, firstFrame[firstFrame.size() / 2],
                    firstFrame.back(), converting[converting.size() / 2]);
    }
    return 0;
}
