// The Split dialog's result preview with the real engine: enc and FFmpeg
// convert a part of a clip made at test time with a catalogue profile, the
// real player plays the result, and the files it leaves are looked at on
// disk.

#include "CEncoderCntl.h"
#include "Catalogue.h"
#include "ClockText.h"
#include "FixedText.h"
#include "PreviewPlayer.h"
#include "QtTestMedia.h"
#include "RunFolder.h"
#include "SplitDlg.h"
#include "VideoArea.h"
#include "WindowTestSupport.h"
#include "runs/JobBuilder.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <clocale>
#include <cmath>
#include <memory>

namespace kiv::test {

namespace {

constexpr int kTimeoutMs = 60000; // a loaded machine converts slowly
constexpr int kClipSeconds = 30;

double Position() {
    double seconds = -1;
    PreviewPlayer::Instance().GetPosition(seconds);
    return seconds;
}

// The file probed as adding it to the list probes it.
ConversionJob Probed(const QString& path) {
    CEncoderCntl controller;
    EncoderInit init{};
    init.callback = [](int, void*) {};
    SetText(init.appFolder, ProgramDirectory());
    ConversionJob job{};
    if (controller.bCreateEncoder(&init) != 1 ||
        ProbeIntoJob(controller, path.toStdString(), job) != 1)
        qFatal("cannot probe %s", qPrintable(path));
    return job;
}

// A profile of the catalogue by its category and name.
PreviewSource Source(const ConversionJob& job, int category, const char* profile) {
    PreviewSource source;
    source.job = job;
    const ProfileCategory* entry = GetCategory(category);
    for (int p = 0; entry && p < entry->ProfileCount; ++p)
        if (GetText(entry->Profiles[p].ProfileName) == profile)
            source.profile = entry->Profiles[p];
    source.targetKind = entry ? entry->Target : 0;
    return source;
}

} // namespace

class PreviewResultTest : public QObject {
    Q_OBJECT

    std::unique_ptr<FreshHome> home_;
    QTemporaryDir dir_;
    QString clip_;
    ConversionJob job_{};
    std::unique_ptr<CSplitDlg> dlg_;

    // The preview folders of this run that hold anything.
    QStringList PreviewFiles() const {
        QStringList files;
        QDir run(QString::fromStdString(RunFolderPath()));
        for (const QString& folder : run.entryList({"preview-*"}, QDir::Dirs | QDir::Hidden))
            for (const QString& file :
                 QDir(run.filePath(folder)).entryList(QDir::Files | QDir::Hidden))
                if (file != "kiv.lock") // the folder's own
                    files << folder + "/" + file;
        return files;
    }
    void Open(const PreviewSource& source, const QString& path) {
        dlg_ = std::make_unique<CSplitDlg>(nullptr, kClipSeconds, path);
        dlg_->SetPreviewSource(source);
        dlg_->show();
        QTRY_VERIFY_WITH_TIMEOUT(Position() >= 0, kTimeoutMs);
    }
    template <typename T = QPushButton> T* Child(const char* name) const {
        T* child = dlg_->findChild<T*>(QLatin1String(name));
        if (!child)
            qFatal("no child %s", name);
        return child;
    }
    QString Info() const { return Child<QLabel>("previewInfo")->text(); }
    // Presses "Preview result" and waits for the result to play.
    void MakeResult() {
        QVERIFY(Child("preview")->isEnabled());
        Child("preview")->click();
        QVERIFY(dlg_->IsMakingResult());
        QVERIFY(Child<QProgressBar>("previewProgress")->isVisible());
        QVERIFY(Child("cancelPreview")->isVisible());
        QVERIFY(!Child("preview")->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(!dlg_->IsMakingResult(), kTimeoutMs);
        QVERIFY2(dlg_->IsShowingResult(), qPrintable(Info()));
        QVERIFY(!Child<QProgressBar>("previewProgress")->isVisible());
    }
    // Holds the result at its start and waits until the player shows the
    // source's picture at sourceSeconds there (at the source's display
    // aspect, which the profile's frame size keeps); then it must differ
    // from the source's first picture.
    void ResultBeginsAt(double sourceSeconds) {
        Child("stop")->click();
        QTRY_VERIFY_WITH_TIMEOUT(std::abs(Position()) < 0.05, kTimeoutMs);
        auto* area = dlg_->findChild<VideoArea*>("picture");
        const QString name = QString("at%1.png").arg(sourceSeconds);
        const QImage there = ReferencePicture(clip_, sourceSeconds, dir_.filePath(name));
        const QImage first = ReferencePicture(clip_, 0, dir_.filePath("at0.png"));
        const auto shown = [&] { return ShownPicture(area->Frame(), QSize(16, 9)); };
        QTRY_VERIFY_WITH_TIMEOUT(MeanDifference(shown(), there) < 20, kTimeoutMs);
        QVERIFY(MeanDifference(shown(), first) > MeanDifference(shown(), there) + 10);
    }

private slots:
    void initTestCase() {
        std::setlocale(LC_NUMERIC, "C");
        home_ = std::make_unique<FreshHome>();
        QVERIFY(dir_.isValid());
        clip_ = dir_.filePath("clip30.mp4");
        QVERIFY(MakeClip(clip_.toStdString(), kClipSeconds, "640x360"));
        job_ = Probed(clip_);
    }

    void cleanup() {
        dlg_.reset();
        QVERIFY(!PreviewPlayer::Instance().IsOpen());
        QVERIFY2(PreviewFiles().isEmpty(), qPrintable(PreviewFiles().join(' ')));
    }

    void resultOfTheProfilePlaysLoopedAndGoesWithItsPreview() {
        // An iPod profile: MPEG-4 at 320x240 with AAC, in MP4.
        Open(Source(job_, 5, "iPod Classic(Normal Quality)"), clip_);
        MakeResult();
        const SampleResult& sample = dlg_->Result();
        const QString output = QString::fromStdString(sample.outputPath);
        QVERIFY(output.startsWith(QString::fromStdString(RunFolderPath())));
        QCOMPARE(PreviewFiles().size(), 1);
        const MediaInspection made = Inspect(sample.outputPath);
        QVERIFY(made.opened);
        QCOMPARE(made.videoCodec, std::string("mpeg4"));
        QCOMPARE(made.audioCodec, std::string("aac"));
        QCOMPARE(QSize(made.width, made.height), QSize(320, 240));
        QVERIFY2(std::abs(made.seconds - 10) < 0.5, qPrintable(QString::number(made.seconds)));

        // Played looped in the dialog's player, with what it is beside it.
        PreviewPlayer& player = PreviewPlayer::Instance();
        QCOMPARE(QString::fromUtf8(player.FileName()), output);
        double length = 0;
        QVERIFY(player.GetDuration(length));
        QVERIFY2(std::abs(length - 10) < 0.5, qPrintable(QString::number(length)));
        QVERIFY(player.Seek(9.5));
        QTRY_VERIFY_WITH_TIMEOUT(Position() > 9.6, kTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(Position() >= 0 && Position() < 2, kTimeoutMs);
        QVERIFY(player.IsOpen());
        const auto figure = [](const std::string& text) {
            return QString::fromStdString(text).replace(' ', QChar(0x00A0)).replace("/", "/\u2060");
        };
        const QString expected =
            QStringLiteral("Converted result: 320x240 at %1,\nabout %2 for 0:00:30")
                .arg(figure(RateText(sample)), figure(SizeText(ExpectedBytes({sample}, 30))));
        QCOMPARE(Info(), expected);
        QCOMPARE(Child("preview")->text(), QString("Back to source"));
        QCOMPARE(Child("preview")->accessibleName(), QString("Back to source"));
        QVERIFY(!Child("markStart")->isEnabled());

        // Ten seconds from a tenth into the file: the result begins with the
        // source's picture at 3 s (its colours turn over time).
        ResultBeginsAt(3);

        // Back to the source: the result is gone.
        Child("preview")->click();
        QVERIFY(!dlg_->IsShowingResult());
        QCOMPARE(QString::fromUtf8(player.FileName()), clip_);
        QVERIFY(!QFile::exists(output));
        QVERIFY(PreviewFiles().isEmpty());
        QCOMPARE(Child("preview")->text(), QString("Preview result"));
        QVERIFY(Child("markStart")->isEnabled());
        Child("play")->click();
        QTRY_VERIFY_WITH_TIMEOUT(dlg_->StartSeconds() > 0.3, kTimeoutMs);
    }

    void resultFromTheStartMarkGoesWithTheDialog() {
        Open(Source(job_, 5, "iPod Classic(Normal Quality)"), clip_);
        auto* start = Child<QLineEdit>("startTime");
        start->setText("0:00:25");
        start->setModified(true);
        emit start->editingFinished();
        QCOMPARE(dlg_->StartSeconds(), 25.0);
        MakeResult();
        // Only five seconds are left after the mark.
        QVERIFY2(std::abs(dlg_->Result().seconds - 5) < 0.5,
                 qPrintable(QString::number(dlg_->Result().seconds)));
        QVERIFY(Info().endsWith(" for 0:00:05"));
        ResultBeginsAt(25);
        const QString output = QString::fromStdString(dlg_->Result().outputPath);
        QTest::keyClick(dlg_.get(), Qt::Key_Escape);
        QVERIFY(!QFile::exists(output));
    }

    void soundOnlyResultPlaysWithTheControls() {
        Open(Source(job_, 10, "MP3, 192 kb/s (smaller)"), clip_);
        MakeResult();
        QVERIFY(!dlg_->Result().hasVideo);
        QVERIFY2(Info().startsWith(QString("Converted result: sound only at 1")),
                 qPrintable(Info()));
        QTRY_VERIFY_WITH_TIMEOUT(Position() > 0.5, kTimeoutMs);
        // Sound's position trails by what the output holds: read loosely.
        Child("stop")->click();
        QTRY_VERIFY_WITH_TIMEOUT(Position() < 0.3, kTimeoutMs);
        Child("next")->click(); // not past the result's end
        QTRY_VERIFY_WITH_TIMEOUT(Position() > 9, kTimeoutMs);
        QVERIFY(Position() < 10);
        Child("play")->click(); // and on from its start again
        QTRY_VERIFY_WITH_TIMEOUT(Position() < 5, kTimeoutMs);
        const double from = Position();
        QTRY_VERIFY_WITH_TIMEOUT(Position() > from + 0.3, kTimeoutMs);
        QVERIFY(!dlg_->findChild<VideoArea*>("picture")->HasFrame());
        Child("ok")->click();
        QCOMPARE(dlg_->result(), int(QDialog::Accepted));
    }

    void cancelRemovesThePartialResult() {
        // Full HD H.264 from a clip four times smaller: seconds of work.
        const QString big = dir_.filePath("big.mp4");
        QVERIFY(MakeClip(big.toStdString(), kClipSeconds, "1280x720"));
        Open(Source(Probed(big), 6, "PS3(Excelent Quality)"), big);
        Child("preview")->click();
        QTRY_VERIFY_WITH_TIMEOUT(Child<QProgressBar>("previewProgress")->value() > 0, kTimeoutMs);
        QVERIFY(!PreviewFiles().isEmpty()); // the encoder writes its partial file
        Child("cancelPreview")->click();
        QTRY_VERIFY_WITH_TIMEOUT(!dlg_->IsMakingResult(), kTimeoutMs);
        QVERIFY(!dlg_->IsShowingResult());
        QCOMPARE(Info(), QString("The preview was cancelled."));
        QVERIFY(PreviewFiles().isEmpty());
        QVERIFY(Child("preview")->isEnabled());
        QCOMPARE(QString::fromUtf8(PreviewPlayer::Instance().FileName()), big);
    }

    void failureSaysWhy() {
        // The source went away after it was added.
        const QString gone = dir_.filePath("gone.mp4");
        QVERIFY(QFile::copy(clip_, gone));
        PreviewSource source = Source(job_, 5, "iPod Classic(Normal Quality)");
        SetText(source.job.sourcePath, gone.toStdString());
        Open(source, gone);
        QVERIFY(QFile::remove(gone));
        Child("preview")->click();
        QTRY_VERIFY_WITH_TIMEOUT(!dlg_->IsMakingResult(), kTimeoutMs);
        QVERIFY(!dlg_->IsShowingResult());
        QVERIFY2(Info().startsWith("No preview: ") && Info().contains("No such file or directory"),
                 qPrintable(Info()));
        QVERIFY(Child("preview")->isEnabled());
    }

    void closingWhileConvertingLeavesNothing() {
        Open(Source(job_, 5, "iPod Classic(Normal Quality)"), clip_);
        Child("preview")->click();
        QVERIFY(dlg_->IsMakingResult());
        dlg_.reset(); // cleanup: no file, no player
    }

    void withoutASourceThereIsNoPreview() {
        dlg_ = std::make_unique<CSplitDlg>(nullptr, kClipSeconds, clip_);
        dlg_->show();
        QVERIFY(!Child("preview")->isEnabled());
        QCOMPARE(Child("preview")->accessibleName(), QString("Preview result"));
    }
};

} // namespace kiv::test

QTEST_MAIN(kiv::test::PreviewResultTest)
#include "PreviewResultTest.moc"
