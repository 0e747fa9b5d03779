// The split dialog on the real preview player with a 20 s clip made at
// test time, driven through its buttons, slider and keys.

#include "SplitDlg.h"
#include "CButtonST.h"
#include "CRangeSlider.h"
#include "ClockText.h"
#include "MessageBoxes.h"
#include "PreviewPlayer.h"
#include "QtTestMedia.h"
#include "VideoArea.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <clocale>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

namespace kiv::test {

namespace {

// Generous: the machine running the tests may be slow and busy.
constexpr int kTimeoutMs = 20000;
constexpr int kClipSeconds = 20;

double Position() {
    double seconds = -1;
    PreviewPlayer::Instance().GetPosition(seconds);
    return seconds;
}

enum class CloseBy { Ok, Escape, CloseBox, Destroy };

} // namespace

} // namespace kiv::test

Q_DECLARE_METATYPE(kiv::test::CloseBy)

namespace kiv::test {

class SplitDlgTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QTemporaryDir home; // where the dialog keeps its place
    QString clip;
    std::unique_ptr<CSplitDlg> dlg;
    std::vector<ShownMessage> messages;

    // Shows the dialog; with a file, waits until the player reports a position.
    void open(int duration = kClipSeconds, const QString& path = QString()) {
        dlg = std::make_unique<CSplitDlg>(nullptr, duration, path);
        dlg->show();
        if (!path.isEmpty())
            QTRY_VERIFY_WITH_TIMEOUT(Position() >= 0, kTimeoutMs);
    }
    void openClip() { open(kClipSeconds, clip); }
    void press(const char* name) {
        auto* button = dlg->findChild<QPushButton*>(QLatin1String(name));
        QVERIFY2(button, name);
        button->click();
    }
    QString shown(const char* name) const {
        return dlg->findChild<QLineEdit*>(QLatin1String(name))->text();
    }
    CRangeSlider* slider() const { return dlg->findChild<CRangeSlider*>(); }
    // Plays until the start, which follows playback, has moved past seconds.
    void playPast(double seconds) {
        press("play");
        QTRY_VERIFY_WITH_TIMEOUT(dlg->StartSeconds() > seconds, kTimeoutMs);
    }
    void drag(QPoint from, QPoint to) {
        CRangeSlider* range = slider();
        QTest::mousePress(range, Qt::LeftButton, {}, from);
        QTest::mouseMove(range, to);
        QTest::mouseRelease(range, Qt::LeftButton, {}, to);
    }
    // Replaces a time field's text by typing.
    void type(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    // Waits while the playing file moves on a little, and lets every
    // position read meanwhile reach the dialog.
    void playOn() {
        const double from = Position();
        QTRY_VERIFY_WITH_TIMEOUT(Position() > from + 0.3, kTimeoutMs);
        QCoreApplication::processEvents();
    }

private slots:
    void initTestCase() {
        std::setlocale(LC_NUMERIC, "C");
        qputenv("KIV_HOME", home.path().toLocal8Bit());
        QVERIFY(dir.isValid());
        clip = dir.filePath("clip20.mp4");
        QVERIFY2(MakeClip(clip, kClipSeconds), "ffmpeg could not make the clip");
        SetMessageSink([this](QWidget*, const ShownMessage& m) { messages.push_back(m); });
    }

    void cleanup() {
        dlg.reset();
        messages.clear();
        QVERIFY(!PreviewPlayer::Instance().IsOpen());
    }

    void clockText_data() {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << "0:00:00";
        QTest::newRow("cut, not rounded") << 59.99 << "0:00:59";
        QTest::newRow("hour") << 3725.9 << "1:02:05";
        QTest::newRow("last of a day") << 86399.0 << "23:59:59";
        QTest::newRow("a day") << 86400.0 << "24:00:00";
        QTest::newRow("more") << 90061.7 << "25:01:01";
        QTest::newRow("negative") << -3.0 << "0:00:00";
        QTest::newRow("not a number") << std::nan("") << "0:00:00";
    }
    void clockText() {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        QCOMPARE(ClockText(seconds), text);
        // What is shown reads back as its whole seconds.
        if (std::isfinite(seconds) && seconds >= 0 && seconds < 999 * 3600)
            QCOMPARE(ReadClockText(text), std::optional<int>(int(seconds)));
    }

    void typedClockText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("seconds"); // -1: not a time
        QTest::newRow("h:mm:ss") << "1:02:05" << 3725;
        QTest::newRow("hours of two digits") << "12:00:00" << 43200;
        QTest::newRow("m:ss") << "2:30" << 150;
        QTest::newRow("mm:ss") << "59:59" << 3599;
        QTest::newRow("blanks around") << " 0:00:07 " << 7;
        QTest::newRow("minutes past 59") << "1:75:00" << -1;
        QTest::newRow("seconds past 59") << "0:00:60" << -1;
        QTest::newRow("one digit seconds") << "0:00:7" << -1;
        QTest::newRow("seconds alone") << "42" << -1;
        QTest::newRow("four fields") << "1:00:00:00" << -1;
        QTest::newRow("negative") << "-0:00:05" << -1;
        QTest::newRow("words") << "soon" << -1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("other digits") << QString::fromUtf8("\u0661:00:00") << -1;
    }
    void typedClockText() {
        QFETCH(QString, text);
        QFETCH(int, seconds);
        QCOMPARE(ReadClockText(text),
                 seconds < 0 ? std::optional<int>() : std::optional<int>(seconds));
    }

    void opensWithWholeLengthShown_data() {
        QTest::addColumn<int>("duration");
        QTest::addColumn<QString>("end");
        QTest::newRow("3725 s") << 3725 << "1:02:05";
        QTest::newRow("over a day") << 90061 << "25:01:01";
    }
    void opensWithWholeLengthShown() {
        QFETCH(int, duration);
        QFETCH(QString, end);
        open(duration);
        QCOMPARE(dlg->windowTitle(), QString("Split"));
        QCOMPARE(shown("startTime"), QString("0:00:00"));
        QCOMPARE(shown("endTime"), end);
        QCOMPARE(dlg->EndSeconds(), double(duration));
    }

    // A file's end shows as the list shows the file's length, which is
    // rounded where the duration the dialog is given is cut: a 4.01 s clip
    // is 0:00:04 in both.
    void theFilesEndShowsAsTheListShowsIt() {
        dlg = std::make_unique<CSplitDlg>(nullptr, 5, QString());
        dlg->SetShownLength(4);
        dlg->show();
        QCOMPARE(shown("endTime"), QString("0:00:04"));
        QCOMPARE(dlg->EndSeconds(), 5.0); // still the whole file
        slider()->SetSelection(0, 4.5);   // inside the file, cut as the list cuts
        emit slider()->rangeChanged(RightChanged);
        QCOMPARE(shown("endTime"), QString("0:00:04"));
    }

    // The picture takes the room the dialog gains; the controls below it
    // follow; the next dialog opens at the size this one was left.
    void theDialogGrowsAndKeepsItsSize() {
        open();
        const QSize smallest = dlg->size();
        QCOMPARE(smallest, dlg->minimumSize());
        auto* picture = dlg->findChild<QWidget*>("picture");
        auto* ok = dlg->findChild<QWidget*>("ok");
        const QRect pictureBefore = picture->geometry(), okBefore = ok->geometry();
        const int sliderBefore = slider()->width();
        dlg->resize(smallest + QSize(300, 200));
        QTRY_COMPARE(picture->size(), pictureBefore.size() + QSize(300, 200));
        QCOMPARE(ok->geometry(), okBefore.translated(300, 200));
        QCOMPARE(slider()->width(), sliderBefore + 300);
        dlg->reject();
        open();
        QCOMPARE(dlg->size(), smallest + QSize(300, 200));
        dlg->resize(smallest); // the tests after this one see the designed size
        dlg->reject();
    }

    void iconButtonsAreNamedByTheirTooltips() {
        open();
        const QStringList expected{"Play", "Stop",       "Begin",    "Previous",  "Next",
                                   "End",  "Mark start", "Mark end", "Clear Mark"};
        QStringList tooltips;
        for (CButtonST* button : dlg->findChildren<CButtonST*>()) {
            QVERIFY(button->TooltipActive());
            QCOMPARE(button->accessibleName(), button->TooltipText());
            QVERIFY(!button->grab().toImage().isNull());
            tooltips << button->TooltipText();
        }
        QCOMPARE(tooltips, expected);
    }

    void okAtOnceReturnsWholeFile() {
        openClip();
        press("ok");
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        QCOMPARE(dlg->StartSeconds(), 0.0);
        QCOMPARE(dlg->EndSeconds(), double(kClipSeconds));
    }

    void withoutPicturesTheWholeFileIsKept_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("no file") << QString();
        QTest::newRow("missing file") << QString("/nonexistent/kiv/clip.mp4");
    }
    void withoutPicturesTheWholeFileIsKept() {
        QFETCH(QString, path);
        dlg = std::make_unique<CSplitDlg>(nullptr, kClipSeconds, path);
        dlg->show();
        press("play");
        press("markStart");
        // The tracker looks a few times and finds nothing to follow.
        const unsigned long long polls = dlg->TrackerPolls();
        QTRY_VERIFY_WITH_TIMEOUT(dlg->TrackerPolls() >= polls + 3, kTimeoutMs);
        press("ok");
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        QCOMPARE(dlg->StartSeconds(), 0.0);
        QCOMPARE(dlg->EndSeconds(), double(kClipSeconds));
    }

    void thumbsDraggedBeforePlaySetTheMarks() {
        openClip();
        CRangeSlider* range = slider();
        SliderGeometry g = range->GeometryNow();
        const QPoint left(g.leftThumb.CentreX(), g.leftThumb.CentreY());
        drag(left, left + QPoint(g.trackLength / 2, 0));
        const double start = dlg->StartSeconds();
        QVERIFY2(start > 5 && start < 15, qPrintable(QString::number(start)));
        QVERIFY(dlg->IsStartMarked() && !dlg->IsEndMarked());
        QCOMPARE(shown("startTime"), ClockText(start));
        QCOMPARE(shown("endTime"), QString("0:00:20"));
        // The picture shows the chosen point.
        QTRY_VERIFY_WITH_TIMEOUT(std::abs(Position() - start) < 0.1, kTimeoutMs);

        g = range->GeometryNow();
        const QPoint right(g.rightThumb.CentreX(), g.rightThumb.CentreY());
        drag(right, right - QPoint(g.trackLength / 5, 0));
        const double end = dlg->EndSeconds();
        QVERIFY2(end > start && end < 18, qPrintable(QString::number(end)));
        QVERIFY(dlg->IsEndMarked());
        QCOMPARE(dlg->StartSeconds(), start);
        QCOMPARE(shown("endTime"), ClockText(end));
        QTRY_VERIFY_WITH_TIMEOUT(std::abs(Position() - end) < 0.1, kTimeoutMs);
        QCOMPARE(QAccessible::queryAccessibleInterface(range)->text(QAccessible::Value),
                 ClockText(start) + " to " + ClockText(end));

        // Both marked: playing leaves them where they are.
        press("play");
        playOn();
        press("ok");
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        QCOMPARE(dlg->StartSeconds(), start);
        QCOMPARE(dlg->EndSeconds(), end);
    }

    void timeFieldsTakeTypedTimes() {
        openClip();
        QApplication::setActiveWindow(dlg.get());
        QVERIFY(QTest::qWaitForWindowActive(dlg.get()));
        auto* start = dlg->findChild<QLineEdit*>("startTime");
        auto* end = dlg->findChild<QLineEdit*>("endTime");
        QVERIFY(!start->isReadOnly() && !end->isReadOnly());
        QVERIFY(start->focusPolicy() & Qt::TabFocus);

        // Enter takes the start and leaves the dialog open.
        type(start, "0:00:04");
        QTest::keyClick(start, Qt::Key_Return);
        QVERIFY(dlg->isVisible());
        QCOMPARE(dlg->StartSeconds(), 4.0);
        QVERIFY(dlg->IsStartMarked());
        QTRY_VERIFY_WITH_TIMEOUT(std::abs(Position() - 4) < 0.1, kTimeoutMs);

        // Leaving the field takes the end; "m:ss" is read too.
        type(end, "0:09");
        end->clearFocus();
        QCOMPARE(dlg->EndSeconds(), 9.0);
        QCOMPARE(shown("endTime"), QString("0:00:09"));
        QVERIFY(dlg->IsEndMarked());
        double left = 0, right = 0;
        slider()->GetSelection(left, right);
        QCOMPARE(left, 4.0);
        QCOMPARE(right, 9.0);

        // A text that is no time, or one past the end, is not kept as it is.
        type(start, "soon");
        QTest::keyClick(start, Qt::Key_Return);
        QCOMPARE(shown("startTime"), QString("0:00:04"));
        type(end, "1:00:00");
        QTest::keyClick(end, Qt::Key_Enter);
        QCOMPARE(dlg->EndSeconds(), double(kClipSeconds));

        // Left and Right step the picture before Play, also from a field.
        QTest::keyClick(dlg.get(), Qt::Key_Home);
        QTRY_VERIFY_WITH_TIMEOUT(Position() < 0.1, kTimeoutMs);
        QTest::keyClick(dlg->findChild<QPushButton*>("ok"), Qt::Key_Right);
        QTRY_VERIFY_WITH_TIMEOUT(std::abs(Position() - 1) < 0.1, kTimeoutMs);
        QVERIFY(!dlg->IsPlaying());

        press("ok");
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        QCOMPARE(dlg->StartSeconds(), 4.0);
        QCOMPARE(dlg->EndSeconds(), double(kClipSeconds));
    }

    void accessibleNamesAndValues() {
        openClip();
        QCOMPARE(dlg->findChild<VideoArea*>("picture")->accessibleName(), QString("Picture"));
        QAccessibleInterface* range = QAccessible::queryAccessibleInterface(slider());
        QVERIFY(range);
        QCOMPARE(range->role(), QAccessible::Slider);
        QCOMPARE(range->text(QAccessible::Name), QString("Selection"));
        QCOMPARE(range->text(QAccessible::Value), QString("0:00:00 to 0:00:20"));
        QCOMPARE(range->text(QAccessible::Description), QString("0:00:00 to 0:00:20"));
        QAccessibleValueInterface* value = range->valueInterface();
        QVERIFY(value);
        QCOMPARE(value->minimumValue().toDouble(), 0.0);
        QCOMPARE(value->maximumValue().toDouble(), double(kClipSeconds));
        playPast(1.5);
        const QString text = range->text(QAccessible::Value);
        QVERIFY2(text.startsWith("0:00:01") || text.startsWith("0:00:02"), qPrintable(text));
        QVERIFY(text.endsWith(" to 0:00:20"));
        QVERIFY(value->currentValue().toDouble() > 1.5);
    }

    void thumbDraggedWhilePlayingSeeks() {
        openClip();
        playPast(0.2);
        // Paused, so only the drag can move the player.
        QTest::keyClick(dlg.get(), Qt::Key_Space);
        CRangeSlider* range = slider();
        const SliderGeometry g = range->GeometryNow();
        const QPoint grab(g.leftThumb.CentreX(), g.leftThumb.CentreY());
        const QPoint middle = grab + QPoint(g.trackLength / 2, 0);
        QTest::mousePress(range, Qt::LeftButton, {}, grab);
        QTest::mouseMove(range, middle);
        QTest::mouseRelease(range, Qt::LeftButton, {}, middle);
        const double start = dlg->StartSeconds();
        QVERIFY(start > 5 && start < 15);
        QCOMPARE(shown("startTime"), ClockText(start));
        // Playback jumps there, and the start follows it on from there.
        QTRY_VERIFY_WITH_TIMEOUT(std::abs(Position() - start) < 0.1, kTimeoutMs);
        QTest::keyClick(dlg.get(), Qt::Key_Space);
        QTRY_VERIFY_WITH_TIMEOUT(dlg->StartSeconds() > start, kTimeoutMs);
    }

    void marksTakeThePlayingPositions() {
        openClip();
        playPast(0.5);
        QCOMPARE(shown("endTime"), QString("0:00:20"));
        double before = Position();
        press("markStart");
        double after = Position();
        const double start = dlg->StartSeconds();
        QVERIFY(before <= start && start <= after);
        QCOMPARE(shown("startTime"), ClockText(start));

        // The end now follows playback.
        QTRY_VERIFY_WITH_TIMEOUT(dlg->EndSeconds() > start + 1 && dlg->EndSeconds() < kClipSeconds,
                                 kTimeoutMs);
        before = Position();
        press("markEnd");
        after = Position();
        const double end = dlg->EndSeconds();
        QVERIFY(before <= end && end <= after);
        QCOMPARE(dlg->StartSeconds(), start);
        playOn(); // fixed now: nothing follows playback
        QCOMPARE(dlg->EndSeconds(), end);
        double left = 0, right = 0;
        slider()->GetSelection(left, right);
        QCOMPARE(left, start);
        QCOMPARE(right, end);

        press("ok");
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        QVERIFY(dlg->StartSeconds() > 0 && dlg->EndSeconds() <= kClipSeconds);
    }

    // The keys work as soon as the dialog opens, before the file has even
    // loaded: the keyboard is on Play, Right steps the picture, and the
    // marks take where it went. Mark end needs a start.
    void keysBeforePlayStepThePictureAndMarkWhereItIs() {
        dlg = std::make_unique<CSplitDlg>(nullptr, kClipSeconds, clip);
        dlg->show();
        QWidget* keys = dlg->focusWidget();
        QCOMPARE(keys, dlg->findChild<QWidget*>("play"));
        QTest::keyClick(keys, Qt::Key_O);
        QVERIFY(!dlg->IsEndMarked());
        for (Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_I, Qt::Key_Right, Qt::Key_Right,
                            Qt::Key_Right, Qt::Key_O})
            QTest::keyClick(keys, key);
        QVERIFY(dlg->IsStartMarked() && dlg->IsEndMarked() && !dlg->IsPlaying());
        QVERIFY2(std::abs(dlg->StartSeconds() - 2) < 0.1, qPrintable(shown("startTime")));
        QVERIFY2(std::abs(dlg->EndSeconds() - 5) < 0.1, qPrintable(shown("endTime")));
        QCOMPARE(shown("endTime"), QString("0:00:05"));
        // The picture shows where the keys took it.
        QTRY_VERIFY_WITH_TIMEOUT(std::abs(Position() - 5) < 0.1, kTimeoutMs);
    }

    void stopKeepsOnlyBothMarks_data() {
        QTest::addColumn<bool>("both");
        QTest::newRow("start alone") << false;
        QTest::newRow("both") << true;
    }
    void stopKeepsOnlyBothMarks() {
        QFETCH(bool, both);
        openClip();
        playPast(0.5);
        press("markStart");
        if (both) {
            QTRY_VERIFY_WITH_TIMEOUT(dlg->EndSeconds() < kClipSeconds, kTimeoutMs);
            press("markEnd");
        }
        const double start = dlg->StartSeconds();
        const double end = dlg->EndSeconds();
        press("stop");
        QVERIFY(!dlg->IsPlaying());
        QVERIFY(!PreviewPlayer::Instance().IsOpen());
        QCOMPARE(dlg->IsStartMarked(), both);
        QCOMPARE(dlg->IsEndMarked(), both);

        // Play opens the file again; with both marks the selection stays.
        press("play");
        QVERIFY(PreviewPlayer::Instance().IsOpen());
        QTRY_VERIFY_WITH_TIMEOUT(Position() > 0.3, kTimeoutMs);
        if (both) {
            playOn();
            QCOMPARE(dlg->StartSeconds(), start);
            QCOMPARE(dlg->EndSeconds(), end);
        } else {
            QCOMPARE(dlg->EndSeconds(), double(kClipSeconds));
            QTRY_VERIFY_WITH_TIMEOUT(dlg->StartSeconds() > 0 && dlg->StartSeconds() != start,
                                     kTimeoutMs);
        }
    }

    void clearMark() {
        openClip();
        playPast(0.5);
        press("markStart");
        const double start = dlg->StartSeconds();
        QTRY_VERIFY_WITH_TIMEOUT(dlg->EndSeconds() < kClipSeconds, kTimeoutMs);
        press("clearMark");
        QVERIFY(!dlg->IsStartMarked());
        QCOMPARE(dlg->EndSeconds(), double(kClipSeconds));
        QCOMPARE(shown("endTime"), QString("0:00:20"));
        QTRY_VERIFY_WITH_TIMEOUT(dlg->StartSeconds() > start, kTimeoutMs);

        // After both marks the whole file is selected again.
        press("markStart");
        press("markEnd");
        press("clearMark");
        QCOMPARE(dlg->StartSeconds(), 0.0);
        QCOMPARE(dlg->EndSeconds(), double(kClipSeconds));
        QTRY_VERIFY_WITH_TIMEOUT(dlg->StartSeconds() > 0, kTimeoutMs);
    }

    void previousAndNextStepFifteenSeconds() {
        openClip();
        press("play");
        PreviewPlayer::Instance().Seek(5);
        QTRY_VERIFY_WITH_TIMEOUT(Position() >= 5, kTimeoutMs);
        press("previous");
        // To the start: a negative target would count from the end.
        QTRY_VERIFY_WITH_TIMEOUT(Position() >= 0 && Position() < 4, kTimeoutMs);
        press("next");
        QTRY_VERIFY_WITH_TIMEOUT(Position() >= 15, kTimeoutMs);
        press("begin");
        QTRY_VERIFY_WITH_TIMEOUT(Position() >= 0 && Position() < 4, kTimeoutMs);
    }

    void invertedOrEmptyRangeIsRefused() {
        openClip();
        playPast(2);
        press("markStart");
        press("begin");
        QTRY_VERIFY_WITH_TIMEOUT(dlg->EndSeconds() < dlg->StartSeconds() - 1, kTimeoutMs);
        press("markEnd");
        press("ok");
        QCOMPARE(messages.size(), size_t(1));
        QCOMPARE(messages[0].title, QString("Warning"));
        QCOMPARE(messages[0].text, QString("The end must be after the start."));
        QCOMPARE(messages[0].icon, MessageIcon::Warning);
        QVERIFY(dlg->isVisible());
        QVERIFY(dlg->IsPlaying());
        press("clearMark");
        press("ok");
        QCOMPARE(dlg->result(), int(QDialog::Accepted));

        // A file shorter than a second has no whole second to give.
        open(0, clip);
        press("ok");
        QCOMPARE(messages.size(), size_t(2));
        QVERIFY(dlg->isVisible());
    }

    void keysActLikeButtons() {
        openClip();
        QWidget* ok = dlg->findChild<QPushButton*>("ok");
        ok->setFocus();
        QTest::keyClick(ok, Qt::Key_Space); // the focused button is not clicked
        QVERIFY(dlg->isVisible());
        QVERIFY(dlg->IsPlaying() && !dlg->IsPaused());
        QTRY_VERIFY_WITH_TIMEOUT(Position() > 0.3, kTimeoutMs);
        QTest::keyClick(dlg.get(), Qt::Key_Space);
        QVERIFY(dlg->IsPaused());
        QTest::keyClick(dlg.get(), Qt::Key_End);
        QTRY_VERIFY_WITH_TIMEOUT(Position() >= kClipSeconds - 0.5, kTimeoutMs);
        QTest::keyClick(ok, Qt::Key_Left);
        QTRY_VERIFY_WITH_TIMEOUT(Position() < kClipSeconds - 0.5, kTimeoutMs);
        QTest::keyClick(dlg.get(), Qt::Key_Home);
        QTRY_VERIFY_WITH_TIMEOUT(Position() < 0.5, kTimeoutMs);
        QTest::keyClick(dlg.get(), Qt::Key_Right);
        QTRY_VERIFY_WITH_TIMEOUT(Position() >= 0.9, kTimeoutMs);
        QTest::keyClick(dlg.get(), Qt::Key_O); // no start marked yet
        QVERIFY(!dlg->IsEndMarked());
        QTest::keyClick(dlg.get(), Qt::Key_Space);
        QVERIFY(!dlg->IsPaused());
        QTest::keyClick(dlg.get(), Qt::Key_I);
        QVERIFY(dlg->IsStartMarked());
        QTest::keyClick(ok, Qt::Key_O);
        QVERIFY(dlg->IsEndMarked());
    }

    void closingEndsWorkerAndPlayer_data() {
        QTest::addColumn<CloseBy>("how");
        QTest::newRow("OK") << CloseBy::Ok;
        QTest::newRow("Escape") << CloseBy::Escape;
        QTest::newRow("close box") << CloseBy::CloseBox;
        QTest::newRow("destroyed") << CloseBy::Destroy;
    }
    void closingEndsWorkerAndPlayer() {
        QFETCH(CloseBy, how);
        openClip();
        press("play");
        QTRY_VERIFY_WITH_TIMEOUT(dlg->TrackerPolls() > 3, kTimeoutMs);
        QVERIFY(dlg->IsTrackerRunning());
        switch (how) {
        case CloseBy::Ok:
            press("ok");
            QCOMPARE(dlg->result(), int(QDialog::Accepted));
            break;
        case CloseBy::Escape:
            QTest::keyClick(dlg.get(), Qt::Key_Escape);
            QCOMPARE(dlg->result(), int(QDialog::Rejected));
            break;
        case CloseBy::CloseBox:
            dlg->close();
            QCOMPARE(dlg->result(), int(QDialog::Rejected));
            break;
        case CloseBy::Destroy:
            dlg.reset();
            break;
        }
        if (dlg) {
            QVERIFY(!dlg->isVisible());
            QVERIFY(!dlg->IsTrackerRunning());
        }
        QVERIFY(!PreviewPlayer::Instance().IsOpen());
    }

    void chooseSplitRangeGivesWholeSeconds() {
        int start = -1, end = -1;
        // Escape: nothing changes.
        QTimer::singleShot(
            0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
        QVERIFY(!ChooseSplitRange(nullptr, kClipSeconds, clip, start, end));
        QCOMPARE(start, -1);
        QCOMPARE(end, -1);

        // Marks while playing, then Enter: whole seconds, cut.
        QTimer::singleShot(0, [] {
            auto* split = qobject_cast<CSplitDlg*>(QApplication::activeModalWidget());
            QVERIFY(split);
            // A failed step must not leave the dialog waiting for ever.
            const auto closer = qScopeGuard([split] {
                if (split->isVisible())
                    split->reject();
            });
            QTest::keyClick(split, Qt::Key_Space);
            QTRY_VERIFY_WITH_TIMEOUT(split->StartSeconds() > 1, kTimeoutMs);
            QTest::keyClick(split, Qt::Key_I);
            QTRY_VERIFY_WITH_TIMEOUT(split->EndSeconds() < kClipSeconds &&
                                         split->EndSeconds() > split->StartSeconds() + 1.2,
                                     kTimeoutMs);
            QTest::keyClick(split, Qt::Key_O);
            QTest::keyClick(split, Qt::Key_Return);
        });
        QVERIFY(ChooseSplitRange(nullptr, kClipSeconds, clip, start, end));
        QVERIFY(start >= 1);
        QVERIFY(end > start && end < kClipSeconds);
    }
};

} // namespace kiv::test

QTEST_MAIN(kiv::test::SplitDlgTest)
#include "SplitDlgTest.moc"
