// What keeping the window's list costs: the size of the kept list of 30
// rows, the time the GUI thread spends on a save (a copy of the table's
// rows) and the time the writing thread spends on one (the text, then a
// whole file, synced), and how often a list that changes every 20 ms is
// saved (target: under 5 ms per save, no more than one save a second).
//
//   kept_list [folder]     (the folder to write into; a new one in /tmp by default)

#include "FileTable.h"
#include "FixedText.h"
#include "KeptList.h"
#include "KeptListFormat.h"
#include "KeptListWriter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace kiv;

namespace {

// A row as a real added file has it: a long path, codecs, a title.
ConversionJob ProbedJob(int n) {
    ConversionJob job{};
    SetText(job.sourcePath, "/home/ann/Videos/Holidays 2024/day " + std::to_string(n) +
                                " - at the lake with the children.mp4");
    SetText(job.source.videoCodec, "h264");
    SetText(job.source.audioCodec, "aac");
    SetText(job.source.title, "Day " + std::to_string(n));
    job.hasVideo = job.hasAudio = 1;
    job.source.width = 1920;
    job.source.height = 1080;
    job.source.frameRate = 29.97;
    job.source.videoBitrate = 8000000;
    job.source.audioBitrate = 192000;
    job.source.sampleRate = 48000;
    job.source.channels = 2;
    job.source.videoDuration = job.source.audioDuration = 600.5 + n;
    return job;
}

struct Times {
    double average = 0, worst = 0;
};

template <typename Work> Times Measure(int runs, Work work) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        work();
        ms.push_back(clock.nsecsElapsed() / 1e6);
    }
    Times t;
    for (double m : ms)
        t.average += m / runs;
    t.worst = *std::max_element(ms.begin(), ms.end());
    return t;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QTemporaryDir scratch;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : scratch.path();
    const QString path = folder + "/kept-list.json";

    FileTable table;
    for (int n = 0; n < FileTable::kMaxRows; ++n)
        table.Append(ProbedJob(n));
    for (int n = 0; n < 10; ++n) {
        table.SetTrim(n, 30, 300);
        table.SetOutputPath(n, "/home/ann/Videos/day " + std::to_string(n) + "_h264_aac.mp4");
        table.SetState(n, RowState::Converted);
    }
    const auto snapshot = [&table] {
        KeptListContents contents;
        contents.outputFolder = "/home/ann/Videos/";
        for (int row = 0; row < table.RowCount(); ++row)
            contents.rows.push_back(table.Row(row));
        return contents;
    };
    const KeptListContents contents = snapshot();
    const QByteArray bytes = KeptListText(contents);
    const Times gui = Measure(200, snapshot);
    const Times text = Measure(200, [&] { KeptListText(contents); });
    QString why;
    const Times disk = Measure(50, [&] { KeptListWriter::WriteWhole(path, bytes, why); });
    std::printf("kept list of %d rows: %lld bytes\n", table.RowCount(),
                static_cast<long long>(bytes.size()));
    std::printf("GUI thread per save:     %.3f ms on average, %.3f ms at most (200 saves)\n",
                gui.average, gui.worst);
    std::printf("writing thread per save: %.3f ms on average, %.3f ms at most for the text,\n"
                "                         %.3f ms on average, %.3f ms at most for the synced "
                "file (50 saves)\n",
                text.average, text.worst, disk.average, disk.worst);

    // A batch's worth of changes: a row's state every 20 ms for 5 s.
    constexpr int kSeconds = 5;
    KeptList kept(
        table, [] { return KeptList::Choice{}; }, folder + "/kept-batch.json");
    kept.Watch();
    int saves = 0;
    QElapsedTimer sinceSave;
    double shortestGap = -1;
    QObject::connect(&kept, &KeptList::saved, [&] {
        if (sinceSave.isValid()) {
            const double gap = sinceSave.nsecsElapsed() / 1e6;
            shortestGap = shortestGap < 0 ? gap : std::min(shortestGap, gap);
        }
        sinceSave.start();
        ++saves;
    });
    QTimer change;
    int changes = 0;
    QObject::connect(&change, &QTimer::timeout, [&] {
        const int row = 10 + changes % 20;
        table.SetState(row, table.Row(row).state == RowState::Ready ? RowState::Converting
                                                                    : RowState::Ready);
        ++changes;
    });
    QElapsedTimer clock;
    clock.start();
    change.start(20);
    QTimer::singleShot(kSeconds * 1000, &application, &QCoreApplication::quit);
    application.exec();
    const double seconds = clock.elapsed() / 1000.0;
    std::printf("%d changes in %.1f s kept by %d saves, the closest %.1f ms apart\n", changes,
                seconds, saves, shortestGap);
    return 0;
}
