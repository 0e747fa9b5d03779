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

// True when every pixel of the frame outside the picture's place (with a
// pixel's leeway for rounding) is black.
bool IsBlackBesides(const QImage& frame, const QRect& picture) {
    const QRect inner = picture.adjusted(-1, -1, 1, 1);
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            if (!inner.contains(x, y) && qGray(frame.pixel(x, y)) > 16)
                return false;
    return true;
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

    // The part of the area that shows the clip's picture.
    QImage Shown() const { return ShownPicture(area_->Frame(), firstPicture_.size()); }

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
        // Another aspect than the clip's: the picture keeps its own.
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
        QVERIFY(!player_.GetDuration(seconds));
        QCOMPARE(player_.Play(), 1);
        QCOMPARE(player_.CloseIfOpen(), 1);
        QVERIFY(!player_.IsOpen());
    }

    // Phone videos: the picture is stored lying on its side (or upside
    // down) and a display matrix says how to turn it, which FFmpeg 5.1
    // writes from the rotate tag on a stream copy. The player shows it the
    // way ffmpeg decodes it (upright), at its display aspect, and keeps
    // running (libmpv's software renderer used to abort on these).
    void turnedVideoShowsUpright_data() {
        QTest::addColumn<QString>("rotate");
        QTest::addColumn<QSize>("shown");
        QTest::newRow("90") << "90" << QSize(720, 1280);
        QTest::newRow("-90") << "-90" << QSize(720, 1280);
        QTest::newRow("180") << "180" << QSize(1280, 720);
    }
    void turnedVideoShowsUpright() {
        QFETCH(QString, rotate);
        QFETCH(QSize, shown);
        const QString wide = dir_.filePath("wide.mp4");
        const QString phone = dir_.filePath("phone" + rotate + ".mp4");
        QVERIFY(kiv::test::MakeClip(wide.toStdString(), 2, "1280x720"));
        QVERIFY(
            MakeMedia(phone.toStdString(), {"-i", wide.toStdString(), "-c", "copy",
                                            "-metadata:s:v:0", "rotate=" + rotate.toStdString()}));
        const QImage upright =
            ReferencePicture(phone, 0, dir_.filePath("upright" + rotate + ".png"));
        QCOMPARE(upright.size(), shown);

        // An area of another shape than the picture's either way.
        area_->resize(300, 300);
        QCOMPARE(player_.Open(phone.toUtf8().constData(), area_.get()), 1);
        QTRY_VERIFY_WITH_TIMEOUT(area_->HasFrame() && area_->Frame().size() == QSize(300, 300),
                                 kTimeoutMs);
        const QImage frame = area_->Frame();
        const QImage picture = ShownPicture(frame, shown);
        QVERIFY(IsBlackBesides(frame, ShownPictureRect(frame.size(), shown)));
        const double toUpright = MeanDifference(picture, upright);
        QVERIFY2(toUpright < 12, qPrintable(QString::number(toUpright)));
        // Turned the other way or not at all, it would differ clearly.
        const double toTurned = MeanDifference(picture, upright.mirrored(true, true));
        QVERIFY2(toTurned > 2 * toUpright + 10, qPrintable(QString::number(toTurned)));

        player_.Play();
        QTRY_VERIFY_WITH_TIMEOUT(Position(player_) > 0.5, kTimeoutMs);
        QVERIFY(player_.IsOpen());
    }

    void loopingStartsAgainAtTheEnd() {
        QCOMPARE(player_.Open(clip_.toUtf8().constData(), area_.get(), PreviewPlayer::Looping::On),
                 1);
        QTRY_VERIFY_WITH_TIMEOUT(Position(player_) != kUntouched, kTimeoutMs);
        QVERIFY(player_.Seek(7.0));
        player_.Play();
        QTRY_VERIFY_WITH_TIMEOUT(Position(player_) > 7.2, kTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(Position(player_) < 1.0, kTimeoutMs);
        QVERIFY(player_.IsOpen());

        // The next file plays once again.
        OpenClip();
        player_.Seek(7.5);
        player_.Play();
        QTRY_VERIFY_WITH_TIMEOUT(Position(player_) > 7.9, kTimeoutMs);
        QVERIFY(clock_.Play(0.8));
        QVERIFY(Position(player_) > 7.9);
    }

    void openShowsFirstPictureAtItsAspectAndPaused() {
        QCOMPARE(player_.Open(clip_.toUtf8().constData(), area_.get()), 1);
        QVERIFY(player_.IsOpen());
        QCOMPARE(QString::fromUtf8(player_.FileName()), clip_);
        QTRY_VERIFY_WITH_TIMEOUT(area_->HasFrame(), kTimeoutMs);
        const QImage frame = area_->Frame();
        QCOMPARE(frame.size(), QSize(320, 160));
        QCOMPARE(frame.format(), QImage::Format_RGB32);
        const double toFirst = MeanDifference(Shown(), firstPicture_);
        QVERIFY2(toFirst < 12, qPrintable(QString::number(toFirst)));
        QVERIFY(MeanDifference(Shown(), pictureAt5_) > 40);
        QVERIFY(IsBlackBesides(frame, ShownPictureRect(frame.size(), firstPicture_.size())));
        double length = 0;
        QTRY_VERIFY_WITH_TIMEOUT(player_.GetDuration(length), kTimeoutMs);
        QVERIFY2(std::abs(length - 8) < 0.1, qPrintable(QString::number(length)));

        QTRY_VERIFY_WITH_TIMEOUT(Position(player_) != kUntouched, kTimeoutMs);
        QVERIFY(Position(player_) < 0.05);
        QVERIFY(clock_.Play(0.6)); // paused: nothing moves meanwhile
        QVERIFY(Position(player_) < 0.05);
    }

    void pictureFollowsResize() {
        OpenClip();
        area_->resize(200, 300);
        QTRY_COMPARE_WITH_TIMEOUT(area_->Frame().size(), QSize(200, 300), kTimeoutMs);
        QVERIFY(MeanDifference(Shown(), firstPicture_) < 12);
    }

    void seekWhilePausedIsExact() {
        OpenClip();
        QVERIFY(player_.Seek(5.0));
        QTRY_VERIFY_WITH_TIMEOUT(std::abs(Position(player_) - 5.0) < 0.02, kTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(MeanDifference(Shown(), pictureAt5_) < 12, kTimeoutMs);
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
        QTRY_VERIFY_WITH_TIMEOUT(MeanDifference(Shown(), lastPicture_) < 12, kTimeoutMs);
        QVERIFY(clock_.Play(0.8)); // time to have ended and cleared, were it to
        QVERIFY(area_->HasFrame());
        QVERIFY(MeanDifference(Shown(), lastPicture_) < 12);
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
        QTRY_VERIFY_WITH_TIMEOUT(MeanDifference(Shown(), firstPicture_) > 3, kTimeoutMs);

        // Reopening stops the playing file and shows it paused from the start.
        player_.Reopen(area_.get());
        QTRY_VERIFY_WITH_TIMEOUT(Position(player_) != kUntouched, kTimeoutMs);
        QVERIFY(Position(player_) < 0.05);
        QTRY_VERIFY_WITH_TIMEOUT(MeanDifference(Shown(), firstPicture_) < 12, kTimeoutMs);
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
