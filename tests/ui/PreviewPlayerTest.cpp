// The preview player on real libmpv with clips made at test time.

#include "PreviewPlayer.h"
#include "MpvHandle.h"
#include "TestMedia.h"
#include "VideoArea.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <atomic>
#include <clocale>
#include <cmath>
#include <memory>
#include <string>
#include <thread>
#include <vector>

using namespace kiv;
using namespace kiv::test;

namespace {

// Generous: the machine running the tests may be slow and busy.
constexpr int kTimeoutMs = 20000;
constexpr double kUntouched = -123.5;

double position(const PreviewPlayer& player) {
    double seconds = kUntouched;
    return player.GetPosition(seconds) ? seconds : kUntouched;
}

} // namespace

class PreviewPlayerTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString clip;
    QString tone;
    QImage firstPicture;
    QImage pictureAt5;
    QImage lastPicture;
    std::unique_ptr<VideoArea> area;
    PreviewPlayer& player = PreviewPlayer::Instance();

    // Opens the clip and waits for its first picture.
    void openClip() {
        player.Open(clip.toUtf8().constData(), area.get());
        QTRY_VERIFY_WITH_TIMEOUT(area->HasFrame(), kTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(position(player) != kUntouched, kTimeoutMs);
    }

private slots:
    void initTestCase() {
        std::setlocale(LC_NUMERIC, "C");
        QVERIFY(dir.isValid());
        clip = dir.filePath("clip.mp4");
        tone = dir.filePath("tone.wav");
        QVERIFY2(MakeClip(clip), "ffmpeg could not make the clip");
        QVERIFY2(MakeTone(tone), "ffmpeg could not make the tone");
        firstPicture = ReferencePicture(clip, 0, dir.filePath("first.png"));
        pictureAt5 = ReferencePicture(clip, 5, dir.filePath("at5.png"));
        lastPicture = ReferencePicture(clip, 7.96, dir.filePath("last.png"));
        QCOMPARE(firstPicture.size(), QSize(160, 120));
        // The colours turn: pictures 5 s apart differ everywhere.
        QVERIFY(MeanDifference(firstPicture, pictureAt5) > 40);
    }

    void init() {
        // Another aspect than the clip's: the picture must be stretched.
        area = std::make_unique<VideoArea>();
        area->resize(320, 160);
        area->show();
    }

    void cleanup() {
        player.CloseIfOpen();
        area.reset();
    }

    void oneCorePerHandle() {
        QCOMPARE(&PreviewPlayer::Instance(), &player);
        MpvHandle handle;
        QVERIFY(!handle.IsCreated());
        QVERIFY(handle.Create());
        QVERIFY(!handle.Create()); // the first core stays
        QVERIFY(handle.IsCreated());
        handle.Destroy();
        QVERIFY(!handle.IsCreated());
    }

    void closedPlayerReportsNothing() {
        QVERIFY(!player.IsOpen());
        double seconds = kUntouched;
        QVERIFY(!player.GetPosition(seconds));
        QCOMPARE(seconds, kUntouched);
        QVERIFY(!player.Seek(1.0));
        QCOMPARE(player.Play(), 1);
        QCOMPARE(player.CloseIfOpen(), 1);
        QVERIFY(!player.IsOpen());
    }

    void openShowsFirstPictureStretchedAndPaused() {
        QCOMPARE(player.Open(clip.toUtf8().constData(), area.get()), 1);
        QVERIFY(player.IsOpen());
        QCOMPARE(QString::fromUtf8(player.FileName()), clip);
        QTRY_VERIFY_WITH_TIMEOUT(area->HasFrame(), kTimeoutMs);
        const QImage shown = area->Frame();
        QCOMPARE(shown.size(), QSize(320, 160));
        QCOMPARE(shown.format(), QImage::Format_RGB32);
        const double toFirst = MeanDifference(shown, firstPicture);
        QVERIFY2(toFirst < 12, qPrintable(QString::number(toFirst)));
        QVERIFY(MeanDifference(shown, pictureAt5) > 40);

        QTRY_VERIFY_WITH_TIMEOUT(position(player) != kUntouched, kTimeoutMs);
        QVERIFY(position(player) < 0.05);
        QTest::qWait(600); // paused: nothing moves
        QVERIFY(position(player) < 0.05);
    }

    void pictureFollowsResize() {
        openClip();
        area->resize(200, 200);
        QTRY_COMPARE_WITH_TIMEOUT(area->Frame().size(), QSize(200, 200), kTimeoutMs);
        QVERIFY(MeanDifference(area->Frame(), firstPicture) < 12);
    }

    void seekWhilePausedIsExact() {
        openClip();
        QVERIFY(player.Seek(5.0));
        QTRY_VERIFY_WITH_TIMEOUT(std::abs(position(player) - 5.0) < 0.02, kTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(MeanDifference(area->Frame(), pictureAt5) < 12, kTimeoutMs);
    }

    void seekRightAfterOpenIsKept() {
        player.Open(clip.toUtf8().constData(), area.get());
        QVERIFY(player.Seek(3.0));
        QTRY_VERIFY_WITH_TIMEOUT(std::abs(position(player) - 3.0) < 0.02, kTimeoutMs);
    }

    void playAdvancesAndSeeksWhilePlaying() {
        openClip();
        QCOMPARE(player.Play(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(position(player) > 0.5, kTimeoutMs);
        QVERIFY(player.Seek(5.0));
        QTRY_VERIFY_WITH_TIMEOUT(position(player) >= 5.0 && position(player) < 6.5, kTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(position(player) > 5.3, kTimeoutMs);
    }

    void endOfFileKeepsLastPicture() {
        openClip();
        player.Seek(7.5);
        player.Play();
        QTRY_VERIFY_WITH_TIMEOUT(position(player) > 7.85, kTimeoutMs);
        QTest::qWait(800);
        QVERIFY(area->HasFrame());
        const double end = position(player);
        QVERIFY2(end > 7.85 && end <= 8.05, qPrintable(QString::number(end)));
        QVERIFY(MeanDifference(area->Frame(), lastPicture) < 12);
        QVERIFY(player.IsOpen());
        QVERIFY(player.Seek(1.0)); // still seekable at the end
        QTRY_VERIFY_WITH_TIMEOUT(std::abs(position(player) - 1.0) < 0.5, kTimeoutMs);
    }

    void closeForgetsPositionAndPicture() {
        openClip();
        player.Close();
        QVERIFY(!player.IsOpen());
        QVERIFY(!area->HasFrame());
        double seconds = kUntouched;
        QVERIFY(!player.GetPosition(seconds));
        QCOMPARE(seconds, kUntouched);
        QVERIFY(!player.Seek(2.0));
        QTest::qWait(500); // a late picture must not come back
        QVERIFY(!area->HasFrame());

        // Reopening the kept name starts from the first picture again.
        player.Reopen(area.get());
        QTRY_VERIFY_WITH_TIMEOUT(area->HasFrame(), kTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(position(player) != kUntouched, kTimeoutMs);
        QVERIFY(position(player) < 0.05);
    }

    void audioOnlyPlaysWithoutPicture() {
        player.Open(tone.toUtf8().constData(), area.get());
        QTRY_VERIFY_WITH_TIMEOUT(position(player) != kUntouched, kTimeoutMs);
        player.Play();
        QTRY_VERIFY_WITH_TIMEOUT(position(player) > 1.0, kTimeoutMs);
        QVERIFY(!area->HasFrame());
        QVERIFY(player.Seek(6.0));
        QTRY_VERIFY_WITH_TIMEOUT(position(player) >= 6.0, kTimeoutMs);
        QVERIFY(!area->HasFrame());
    }

    void unopenableFilesFailQuietly_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("missing") << QString("/nonexistent/kiv/clip.mp4");
        QTest::newRow("not media") << QString("not-media.txt");
        QTest::newRow("empty name") << QString();
        QTest::newRow("name cut at 1024") << QString(2000, QChar('x'));
    }
    void unopenableFilesFailQuietly() {
        QFETCH(QString, path);
        if (path == "not-media.txt") {
            path = dir.filePath(path);
            QFile text(path);
            QVERIFY(text.open(QIODevice::WriteOnly));
            text.write("This is no media file.\n");
        }
        QCOMPARE(player.Open(path.toUtf8().constData(), area.get()), 1);
        QCOMPARE(std::string(player.FileName()), path.left(1024).toStdString());
        QTRY_VERIFY_WITH_TIMEOUT(!player.Seek(1.0), kTimeoutMs);
        QVERIFY(player.IsOpen());
        double seconds = kUntouched;
        QVERIFY(!player.GetPosition(seconds));
        QCOMPARE(seconds, kUntouched);
        QCOMPARE(player.Play(), 1);
        QTest::qWait(300);
        QVERIFY(!player.GetPosition(seconds));
        QVERIFY(!area->HasFrame());

        openClip(); // the player still works afterwards
    }

    void guiCallsReturnWithoutWaiting() {
        openClip(); // the core exists from here on
        QElapsedTimer timer;
        qint64 slowest = 0;
        auto measure = [&](auto call) {
            timer.start();
            call();
            slowest = std::max(slowest, timer.elapsed());
        };
        measure([&] { player.Play(); });
        QTRY_VERIFY_WITH_TIMEOUT(position(player) > 0.3, kTimeoutMs);
        measure([&] { player.Seek(6.0); });
        measure([&] { player.Close(); }); // while playing
        measure([&] { player.Open(clip.toUtf8().constData(), area.get()); });
        measure([&] { player.Play(); });
        QTRY_VERIFY_WITH_TIMEOUT(position(player) > 0.3, kTimeoutMs);
        measure([&] { player.Reopen(area.get()); });
        QVERIFY2(slowest < 150, qPrintable(QString::number(slowest)));
    }

    void positionFromWorkerWhileGuiSeeksAndReopens() {
        openClip();
        player.Play();
        std::atomic<int> reads{0};
        std::atomic<int> outOfRange{0};
        std::jthread worker([&](std::stop_token stop) {
            int round = 0;
            while (!stop.stop_requested()) {
                double seconds = kUntouched;
                if (player.GetPosition(seconds)) {
                    ++reads;
                    if (seconds < 0 || seconds > 8.05)
                        ++outOfRange;
                }
                if (++round % 10 == 0)
                    player.Seek(4.0);
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        });
        for (int i = 0; i < 30; ++i) {
            if (i % 10 == 5) { // closing and opening under the worker's feet
                player.Close();
                QTest::qWait(30);
                player.Open(clip.toUtf8().constData(), area.get());
                player.Play();
            }
            QVERIFY(player.Seek(0.5 + (i % 7)));
            QTest::qWait(30);
        }
        QTRY_VERIFY_WITH_TIMEOUT(reads > 50, kTimeoutMs);
        worker.request_stop();
        worker.join();
        QCOMPARE(outOfRange.load(), 0);
        QVERIFY(player.Seek(2.0));
        QTRY_VERIFY_WITH_TIMEOUT(position(player) >= 2.0 && position(player) < 3.5, kTimeoutMs);
    }
};

QTEST_MAIN(PreviewPlayerTest)
#include "PreviewPlayerTest.moc"
