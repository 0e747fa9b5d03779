// The preview player on real libmpv with clips made at test time. Every wait
// is for an effect, with a generous deadline; where a test checks that
// nothing happens, it lets a second core play for a while first, so the
// check holds however slow the machine is.

#include "PreviewPlayer.h"
#include "MpvHandle.h"
#include "QtTestMedia.h"
#include "VideoArea.h"

#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <clocale>
#include <cmath>
#include <memory>
#include <string>
#include <thread>

namespace kiv::test {

namespace {

// Generous: the machine running the tests may be slow and busy.
constexpr int kTimeoutMs = 20000;
constexpr double kUntouched = -123.5;

double Position(const PreviewPlayer& player) {
    double seconds = kUntouched;
    return player.GetPosition(seconds) ? seconds : kUntouched;
}

// A second libmpv core playing endless silence: its position is the media
// time this machine has played, which a playing preview would have moved by
// as well.
class PlaybackClock {
public:
    bool Start() {
        return core_.Create() &&
               core_.CommandAsync(0, {"loadfile", "av://lavfi:anullsrc=r=8000:cl=mono"});
    }
    // Waits until the clock has played the given seconds more.
    bool Play(double seconds) {
        double start = -1;
        if (!QTest::qWaitFor([&] { return core_.GetDouble("time-pos", start); }, kTimeoutMs))
            return false;
        return QTest::qWaitFor(
            [&] {
                double now = -1;
                return core_.GetDouble("time-pos", now) && now >= start + seconds;
            },
            kTimeoutMs);
    }

private:
    MpvHandle core_;
};

} // namespace

class PreviewPlayerTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString clip_;
    QString tone_;
    QImage firstPicture_;
    QImage pictureAt5_;
    QImage lastPicture_;
    std::unique_ptr<VideoArea> area_;
    PreviewPlayer& player_ = PreviewPlayer::Instance();
    PlaybackClock clock_;

    // Opens the clip and waits for its first picture.
    void OpenClip() {
        QCOMPARE(player_.Open(clip_.toUtf8().constData(), area_.get()), 1);
        QTRY_VERIFY_WITH_TIMEOUT(area_->HasFrame(), kTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(Position(player_) != kUntouched, kTimeoutMs);
    }

    // While playing: a seek back is seen (playing never goes back) and
    // playing goes on from there. Without video the position trails by what
    // the audio output holds, so the target is checked loosely.
    void SeekBackWhilePlaying() {
        QVERIFY(player_.Seek(6.0));
        QTRY_VERIFY_WITH_TIMEOUT(Position(player_) > 6.2, kTimeoutMs);
        QVERIFY(player_.Seek(1.0));
        QTRY_VERIFY_WITH_TIMEOUT(Position(player_) < 5.5, kTimeoutMs);
        const double back = Position(player_);
        QVERIFY2(back > 0.5, qPrintable(QString::number(back)));
        QTRY_VERIFY_WITH_TIMEOUT(Position(player_) > back + 0.2, kTimeoutMs);
    }

private slots:
    void initTestCase() {
        std::setlocale(LC_NUMERIC, "C");
        QVERIFY(dir_.isValid());
        clip_ = dir_.filePath("clip.mp4");
        tone_ = dir_.filePath("tone.wav");
        QVERIFY2(MakeClip(clip_), "ffmpeg could not make the clip");
        QVERIFY2(MakeTone(tone_), "ffmpeg could not make the tone");
        firstPicture_ = ReferencePicture(clip_, 0, dir_.filePath("first.png"));
        pictureAt5_ = ReferencePicture(clip_, 5, dir_.filePath("at5.png"));
        lastPicture_ = ReferencePicture(clip_, 7.96, dir_.filePath("last.png"));
        QCOMPARE(firstPicture_.size(), QSize(160, 120));
        // The colours turn: pictures 5 s apart differ everywhere.
        QVERIFY(MeanDifference(firstPicture_, pictureAt5_) > 40);
        QVERIFY(clock_.Start());
    }

    void init() {
        // Another aspect than the clip's: the picture must be stretched.
        area_ = std::make_unique<VideoArea>();
        area_->resize(320, 160);
        area_->show();
    }

    void cleanup() {
        player_.CloseIfOpen();
        area_.reset();
    }

    void oneCorePerHandle() {
        QCOMPARE(&PreviewPlayer::Instance(), &player_);
        MpvHandle handle;
        QVERIFY(!handle.IsCreated());
        QVERIFY(handle.Create());
        QVERIFY(!handle.Create()); // the first core stays
        QVERIFY(handle.IsCreated());
        handle.Destroy();
        QVERIFY(!handle.IsCreated());
    }

    void closedPlayerReportsNothing() {
        QVERIFY(!player_.IsOpen());
        double seconds = kUntouched;
        QVERIFY(!player_.GetPosition(seconds));
        QCOMPARE(seconds, kUntouched);
        QVERIFY(!player_.Seek(1.0));
        QCOMPARE(player_.Play(), 1);
        QCOMPARE(player_.CloseIfOpen(), 1);
        QVERIFY(!player_.IsOpen());
    }

    void openShowsFirstPictureStretchedAndPaused() {
        QCOMPARE(player_.Open(clip_.toUtf8().constData(), area_.get()), 1);
        QVERIFY(player_.IsOpen());
        QCOMPARE(QString::fromUtf8(player_.FileName()), clip_);
        QTRY_VERIFY_WITH_TIMEOUT(area_->HasFrame(), kTimeoutMs);
        const QImage shown = area_->Frame();
        QCOMPARE(shown.size(), QSize(320, 160));
        QCOMPARE(shown.format(), QImage::Format_RGB32);
        const double toFirst = MeanDifference(shown, firstPicture_);
        QVERIFY2(toFirst < 12, qPrintable(QString::number(toFirst)));
        QVERIFY(MeanDifference(shown, pictureAt5_) > 40);

        QTRY_VERIFY_WITH_TIMEOUT(Position(player_) != kUntouched, kTimeoutMs);
        QVERIFY(Position(player_) < 0.05);
        QVERIFY(clock_.Play(0.6)); // paused: nothing moves meanwhile
        QVERIFY(Position(player_) < 0.05);
    }

    void pictureFollowsResize() {
        OpenClip();
        area_->resize(200, 200);
        QTRY_COMPARE_WITH_TIMEOUT(area_->Frame().size(), QSize(200, 200), kTimeoutMs);
        QVERIFY(MeanDifference(area_->Frame(), firstPicture_) < 12);
    }

    void seekWhilePausedIsExact() {
        OpenClip();
        QVERIFY(player_.Seek(5.0));
        QTRY_VERIFY_WITH_TIMEOUT(std::abs(Position(player_) - 5.0) < 0.02, kTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(MeanDifference(area_->Frame(), pictureAt5_) < 12, kTimeoutMs);
    }

    void seekWhileLoadingIsKept() {
        OpenClip();
        player_.Reopen(area_.get()); // does not wait for the file
        QVERIFY(player_.Seek(3.0));
        QTRY_VERIFY_WITH_TIMEOUT(std::abs(Position(player_) - 3.0) < 0.02, kTimeoutMs);
    }

    void playAdvancesAndSeeksWhilePlaying() {
        OpenClip();
        QCOMPARE(player_.Play(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(Position(player_) > 0.5, kTimeoutMs);
        SeekBackWhilePlaying();
    }

    void endOfFileKeepsLastPicture() {
        OpenClip();
        player_.Seek(7.5);
        player_.Play();
        QTRY_VERIFY_WITH_TIMEOUT(Position(player_) > 7.9, kTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(MeanDifference(area_->Frame(), lastPicture_) < 12, kTimeoutMs);
        QVERIFY(clock_.Play(0.8)); // time to have ended and cleared, were it to
        QVERIFY(area_->HasFrame());
        QVERIFY(MeanDifference(area_->Frame(), lastPicture_) < 12);
        const double end = Position(player_);
        QVERIFY2(end > 7.9 && end <= 8.05, qPrintable(QString::number(end)));
        QVERIFY(player_.IsOpen());
        QVERIFY(player_.Seek(1.0)); // still seekable at the end
        QTRY_VERIFY_WITH_TIMEOUT(Position(player_) < 7.0, kTimeoutMs);
        QVERIFY(Position(player_) >= 0.99);
    }

    void closeForgetsPositionAndPicture() {
        OpenClip();
        player_.Close();
        QVERIFY(!player_.IsOpen());
        QVERIFY(!area_->HasFrame());
        double seconds = kUntouched;
        QVERIFY(!player_.GetPosition(seconds));
        QCOMPARE(seconds, kUntouched);
        QVERIFY(!player_.Seek(2.0));
        QVERIFY(clock_.Play(0.5)); // a late picture must not come back
        QVERIFY(!area_->HasFrame());

        // Reopening the kept name starts from the first picture again.
        player_.Reopen(area_.get());
        QTRY_VERIFY_WITH_TIMEOUT(area_->HasFrame(), kTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(Position(player_) != kUntouched, kTimeoutMs);
        QVERIFY(Position(player_) < 0.05);
    }

    void closeOpenAndReopenWhilePlaying() {
        OpenClip();
        player_.Play();
        QTRY_VERIFY_WITH_TIMEOUT(Position(player_) > 0.3, kTimeoutMs);
        player_.Close();
        QVERIFY(!player_.IsOpen());
        QVERIFY(!area_->HasFrame());

        OpenClip();
        QVERIFY(Position(player_) < 0.05);
        player_.Play();
        QTRY_VERIFY_WITH_TIMEOUT(Position(player_) > 0.3, kTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(MeanDifference(area_->Frame(), firstPicture_) > 3, kTimeoutMs);

        // Reopening stops the playing file and shows it paused from the start.
        player_.Reopen(area_.get());
        QTRY_VERIFY_WITH_TIMEOUT(Position(player_) != kUntouched, kTimeoutMs);
        QVERIFY(Position(player_) < 0.05);
        QTRY_VERIFY_WITH_TIMEOUT(MeanDifference(area_->Frame(), firstPicture_) < 12, kTimeoutMs);
        QVERIFY(clock_.Play(0.5));
        QVERIFY(Position(player_) < 0.05);
    }

    void audioOnlyPlaysWithoutPicture() {
        QCOMPARE(player_.Open(tone_.toUtf8().constData(), area_.get()), 1);
        QTRY_VERIFY_WITH_TIMEOUT(Position(player_) != kUntouched, kTimeoutMs);
        player_.Play();
        SeekBackWhilePlaying();
        QVERIFY(!area_->HasFrame());
    }

    void unopenableFilesFail_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("content"); // written to the path when given
        QTest::newRow("missing") << QString("/nonexistent/kiv/clip.mp4") << QByteArray();
        QTest::newRow("not media")
            << QString("not-media.txt") << QByteArray("This is no media file.\n");
        QTest::newRow("empty name") << QString() << QByteArray();
        QTest::newRow("name cut at 1024") << QString(2000, QChar('x')) << QByteArray();
        // A playlist is no media file either, and what it names must not play.
        QTest::newRow("playlist") << QString("list.m3u") << QByteArray("#EXTM3U\nclip.mp4\n");
    }
    void unopenableFilesFail() {
        QFETCH(QString, path);
        QFETCH(QByteArray, content);
        if (!content.isEmpty()) {
            path = dir_.filePath(path);
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        QCOMPARE(player_.Open(path.toUtf8().constData(), area_.get()), 0);
        QCOMPARE(std::string(player_.FileName()), path.left(1024).toStdString());
        QVERIFY(player_.IsOpen());
        QVERIFY(!player_.Seek(1.0));
        double seconds = kUntouched;
        QVERIFY(!player_.GetPosition(seconds));
        QCOMPARE(seconds, kUntouched);
        QCOMPARE(player_.Play(), 1);
        QVERIFY(clock_.Play(0.5));
        QVERIFY(!player_.GetPosition(seconds));
        QVERIFY(!area_->HasFrame());

        OpenClip(); // the player still works afterwards
    }

    void positionFromWorkerWhileGuiSeeksAndReopens() {
        OpenClip();
        player_.Play();
        std::atomic<int> reads{0};
        std::atomic<int> outOfRange{0};
        std::jthread worker([&](std::stop_token stop) {
            int round = 0;
            while (!stop.stop_requested()) {
                double seconds = kUntouched;
                if (player_.GetPosition(seconds)) {
                    ++reads;
                    if (seconds < 0 || seconds > 8.05)
                        ++outOfRange;
                }
                if (++round % 10 == 0)
                    player_.Seek(4.0);
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        });
        for (int i = 0; i < 30; ++i) {
            if (i % 10 == 5) { // closing and opening under the worker's feet
                player_.Close();
                QTest::qWait(30);
                player_.Open(clip_.toUtf8().constData(), area_.get());
                player_.Play();
            }
            QVERIFY(player_.Seek(0.5 + (i % 7)));
            QTest::qWait(30);
        }
        QTRY_VERIFY_WITH_TIMEOUT(reads > 50, kTimeoutMs);
        worker.request_stop();
        worker.join();
        QCOMPARE(outOfRange.load(), 0);
        SeekBackWhilePlaying();
    }
};

} // namespace kiv::test

QTEST_MAIN(kiv::test::PreviewPlayerTest)
#include "PreviewPlayerTest.moc"
