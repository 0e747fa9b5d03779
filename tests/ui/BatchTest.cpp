// Batches in the main window with real conversions through enc and FFmpeg,
// and the desktop services they use faked on a private bus.

#include "CXListCtrl.h"
#include "ListModel.h"
#include "MainDlg.h"
#include "PowerOff.h"
#include "PrivateBus.h"
#include "QtTestMedia.h"
#include "SplitDlg.h"
#include "TestMedia.h"
#include "TestProcess.h"
#include "WindowTestSupport.h"
#include "commandline/CommandLineBuilder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QtTest>

#include <algorithm>
#include <clocale>
#include <memory>

using namespace kiv;
using namespace kiv::test;

namespace {

constexpr int kBatchTimeoutMs = 180000;
// Any other wait for something the window or the encoder does: generous,
// for a loaded machine; it ends as soon as the thing is there.
constexpr int kEventTimeoutMs = 60000;

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class BatchTest : public QObject {
    Q_OBJECT

    std::unique_ptr<PrivateBus> bus_; // first: the window's buses are chosen on first use
    QTemporaryDir media_;
    QString a_, b_, c_, long_;
    std::unique_ptr<FreshHome> home_;
    std::unique_ptr<MessageLog> messages_;
    std::unique_ptr<UrlCatcher> urls_;
    std::unique_ptr<CKivVideoConverterDlg> dlg_;
    CXListCtrl* list_ = nullptr;
    QString out_;
    QList<int> progress_;     // every percentage the rows' status cells showed
    QList<int> progressRows_; // and the row that showed it
    QStringList labels_;      // and every label of a running row, with its accessible text

    // A window with the files added, converting with the given profile into
    // a fresh output folder.
    void Open(const QStringList& files, int format, int profile) {
        home_ = std::make_unique<FreshHome>();
        out_ = home_->Path("out");
        home_->SetOutputFolder(out_ + "/");
        dlg_ = std::make_unique<CKivVideoConverterDlg>();
        dlg_->show();
        dlg_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dlg_.get()));
        list_ = dlg_->findChild<CXListCtrl*>("fileList");
        auto* formats = dlg_->findChild<QComboBox*>("formatList");
        formats->setCurrentIndex(format);
        dlg_->OnFormatPick();
        auto* profiles = dlg_->findChild<QComboBox*>("profileList");
        profiles->setCurrentIndex(profile);
        dlg_->OnProfilePick();
        QCOMPARE(dlg_->OutputFolder(), out_ + "/");
        QSignalSpy added(dlg_.get(), &CKivVideoConverterDlg::filesAdded);
        dlg_->AddFiles(files);
        QVERIFY(added.wait(kEventTimeoutMs));
        QCOMPARE(list_->RowCount(), files.size());
        progress_.clear();
        progressRows_.clear();
        labels_.clear();
        // Read once the change is whole: the cell's text and its bar change
        // one after the other.
        connect(list_->CellModel(), &QAbstractItemModel::dataChanged, this,
                [this](const QModelIndex& index) {
                    if (index.column() != 5)
                        return;
                    CXListCtrl* list = list_; // gone with its window, and so is the timer
                    QTimer::singleShot(0, list, [this, list, row = index.row()] {
                        std::optional<ListCell> cell = list->Cell(row, 5);
                        if (!cell || !cell->isProgress)
                            return;
                        progress_.append(cell->percent);
                        progressRows_.append(row);
                        const QModelIndex status = list->model()->index(row, 5);
                        labels_.append(status.data().toString() + " | " +
                                       status.data(Qt::AccessibleTextRole).toString());
                    });
                });
        messages_->Clear();
    }
    // Starts a batch and waits for its end; false when it did not end.
    bool RunBatch() {
        QSignalSpy ended(dlg_.get(), &CKivVideoConverterDlg::batchEnded);
        dlg_->OnStart();
        return ended.wait(kBatchTimeoutMs);
    }
    QStringList Titles() const {
        QStringList titles;
        for (const ShownMessage& m : messages_->Messages())
            titles << m.title + ": " + m.text;
        return titles;
    }
    QString Output(const QString& name) const { return out_ + "/" + name; }
    QString Status(int row) const { return list_->CellText(row, 5); }
    QString StatusTip(int row) const { return list_->Cell(row, 5)->tipText; }
    // The desktop services' calls since `from`, the dock's progress apart.
    QStringList ServiceCalls(int from, bool dock = false) {
        QStringList calls;
        for (const QString& call : bus_->Calls().mid(from))
            if (call.startsWith("LauncherEntry") == dock)
                calls << call;
        return calls;
    }
    // How many calls the services have had once the last window's
    // inhibitions, let go without waiting, have all arrived.
    int SettledCallCount() {
        const auto balanced = [this] {
            const QStringList calls = bus_->Calls();
            const auto count = [&calls](const char* prefix) {
                return std::count_if(calls.begin(), calls.end(), [prefix](const QString& call) {
                    return call.startsWith(QLatin1String(prefix));
                });
            };
            return count("ScreenSaverInhibit") == count("ScreenSaverUnInhibit") &&
                   count("SleepInhibit") == count("SleepLockReleased");
        };
        [&] {
            const bool settled = QTest::qWaitFor(balanced, kBusTimeoutMs);
            const QStringList calls = ServiceCalls(0);
            QVERIFY2(settled, qPrintable(calls.mid(calls.size() - 16).join('\n'))); // the last
        }();
        return bus_->Calls().size();
    }
    // Answers the next question box with button.
    static std::shared_ptr<bool> Answer(QMessageBox::StandardButton button) {
        return WhenModal<QMessageBox>([button](QMessageBox* box) {
            QCOMPARE(box->text(), QString("Every checked file has been converted already.\n"
                                          "Convert them again?"));
            box->button(button)->click();
        });
    }
    bool Done(int row) const { return IsDone(dlg_->Table().Row(row).state); }

private slots:
    void initTestCase() {
        std::setlocale(LC_NUMERIC, "C"); // as the program does, for the preview player
        bus_ = std::make_unique<PrivateBus>();
        QVERIFY(bus_->Up());
        QVERIFY(bus_->StartServices());
        QVERIFY(media_.isValid());
        a_ = media_.filePath("a.part1.mp4");
        b_ = media_.filePath("b.mp4");
        c_ = media_.filePath("c.mp4");
        long_ = media_.filePath("long.mp4");
        QVERIFY(MakeClip(a_, 6));
        QVERIFY(QFile::copy(a_, b_) && QFile::copy(a_, c_));
        QVERIFY(MakeClip(long_, 30));
        messages_ = std::make_unique<MessageLog>();
        urls_ = std::make_unique<UrlCatcher>();
    }
    void cleanup() {
        dlg_.reset();
        qunsetenv("KIV_FFMPEG");
    }

    void threeFilesConvertWithRisingProgressAndTheEndActions() {
        Open({a_, b_, c_}, 5, 0);
        dlg_->findChild<QCheckBox*>("openFolderBox")->setChecked(true);
        const int callsBefore = SettledCallCount();
        // The user looks at another window: the end is also told by a notification.
        QWidget elsewhere;
        elsewhere.show();
        elsewhere.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&elsewhere));

        QStringList titles;
        connect(dlg_.get(), &QWidget::windowTitleChanged, this,
                [&titles](const QString& title) { titles << title; });
        QVERIFY(RunBatch());
        QCOMPARE(messages_->Messages().size(), 1);
        QVERIFY2(Titles()[0].startsWith("Info: Encoding Finish!\n3 files converted in "),
                 qPrintable(Titles()[0]));
        const QStringList names = {"a_libx264_libfaac.mp4", "b_libx264_libfaac.mp4",
                                   "c_libx264_libfaac.mp4"};
        for (int row = 0; row < 3; ++row) {
            QVERIFY(Done(row));
            QCOMPARE(Status(row), QString("Converted"));
            QCOMPARE(StatusTip(row), Output(names[row]));
            MediaInspection made = Inspect(Output(names[row]).toStdString());
            QVERIFY2(made.opened && made.videoCodec == "h264", qPrintable(names[row]));
            QVERIFY(made.seconds > 5);
        }
        // Each row's bar starts at 0, then rises through steps of its own: the
        // engine's "no position" shows as 1. Its label adds the time left (or
        // that it is being estimated); a screen reader hears the percentage.
        int previous = 0, steps = 0;
        for (int i = 0; i < progress_.size(); ++i) {
            const int percent = progress_[i];
            const bool rowStart = i == 0 || progressRows_[i] != progressRows_[i - 1];
            QVERIFY2(rowStart ? percent == 0 : percent >= previous,
                     qPrintable(QString::number(percent)));
            steps += percent > 1;
            previous = percent;
            static const QRegularExpression label(
                "^(\\d+) % · (estimating…|\\d+:\\d\\d left) \\| (\\d+) %$");
            const QRegularExpressionMatch match = label.match(labels_[i]);
            QVERIFY2(match.hasMatch(), qPrintable(labels_[i]));
            QCOMPARE(match.captured(1).toInt(), percent);
            QCOMPARE(match.captured(3).toInt(), percent);
        }
        QVERIFY(steps >= 3);
        // Each row's bar moved in its own turn.
        QVERIFY(std::is_sorted(progressRows_.begin(), progressRows_.end()));
        // The title told the whole batch while it ran, and is the caption again.
        for (const char* busy : {"^1 of 3 · 0 % — Kiv Video Converter$",
                                 "^2 of 3 · [1-9]\\d? % — Kiv Video Converter$",
                                 "^3 of 3 · [1-9]\\d? % — Kiv Video Converter$"})
            QVERIFY2(titles.indexOf(QRegularExpression(busy)) >= 0, qPrintable(titles.join('\n')));
        QCOMPARE(titles.last(), QString("Kiv Video Converter 1.0.0"));
        QCOMPARE(urls_->urls, QList<QUrl>{QUrl::fromLocalFile(out_ + "/")});
        // Screen saver and sleep were held for the batch and let go after it.
        QTRY_COMPARE_WITH_TIMEOUT(ServiceCalls(callsBefore).size(), 5, kBusTimeoutMs);
        QStringList calls = ServiceCalls(callsBefore);
        QVERIFY(calls[0].startsWith("ScreenSaverInhibit") && calls[1].startsWith("SleepInhibit"));
        QVERIFY2(calls[2].startsWith("Notify Kiv Video Converter|Kiv Video Converter|3 files "
                                     "converted in "),
                 qPrintable(calls[2]));
        QCOMPARE(calls.mid(3), (QStringList{"ScreenSaverUnInhibit 7", "SleepLockReleased"}));
        // The dock showed the batch's progress rising, and hid it at the end.
        const QStringList dock = ServiceCalls(callsBefore, true);
        QVERIFY(dock.size() >= 4);
        const QString entry = "LauncherEntry application://kiv-video-converter.desktop|";
        QCOMPARE(dock.first(), entry + "0.00|1");
        QCOMPARE(dock.last(), entry + "0.00|0");
        QVERIFY2(dock.indexOf(QRegularExpression(".*\\|0\\.[3-9]\\d\\|1")) >= 0,
                 qPrintable(dock.join('\n')));
        QVERIFY(!dlg_->IsBusy());

        // Converted rows are converted again only when the user says so.
        const QDateTime written = QFileInfo(Output("a_libx264_libfaac.mp4")).lastModified();
        messages_->Clear();
        auto declined = Answer(QMessageBox::No);
        dlg_->OnStart();
        QVERIFY(*declined);
        QVERIFY(!dlg_->IsBusy());
        QVERIFY(messages_->Messages().isEmpty());
        QCOMPARE(Status(0), QString("Converted"));
        list_->SetCellCheck(2, 0, 0);
        auto accepted = Answer(QMessageBox::Yes);
        QVERIFY(RunBatch());
        QVERIFY(*accepted);
        QVERIFY2(Titles().join('\n').startsWith("Info: Encoding Finish!\n2 files converted in "),
                 qPrintable(Titles().join('\n')));
        QVERIFY(QFileInfo(Output("a_libx264_libfaac.mp4")).lastModified() > written ||
                QFile::exists(Output("a_libx264_libfaac (2).mp4")));
        QCOMPARE(Status(1), QString("Converted"));
    }

    void nothingCheckedStartsNothing() {
        Open({a_, b_}, 8, 0);
        list_->SetCellCheck(0, 0, 0);
        list_->SetCellCheck(1, 0, 0);
        const int callsBefore = SettledCallCount();
        dlg_->OnStart();
        QCOMPARE(Titles(), QStringList{"Warning: There is no selected file in list! "});
        QVERIFY(!dlg_->IsBusy());
        QCOMPARE(bus_->Calls().size(), callsBefore);
    }

    void aFailingMiddleFileEndsTheBatchAndTheNextStartConvertsTheRest() {
        QString broken = media_.filePath("broken.mp4");
        QVERIFY(QFile::copy(a_, broken));
        Open({a_, broken, c_}, 8, 0);
        {
            QFile spoil(broken); // it was readable when added
            QVERIFY(spoil.open(QIODevice::WriteOnly | QIODevice::Truncate));
            spoil.write(QByteArray(4096, 'x'));
        }
        const int callsBefore = SettledCallCount();
        QVERIFY(RunBatch());
        QCOMPARE(messages_->Messages().size(), 1);
        const ShownMessage failure = messages_->Messages()[0];
        QCOMPARE(failure.title, QString("Error"));
        QCOMPARE(failure.icon, MessageIcon::Critical);
        // Why first (the encoder's own reason), then what to do.
        const QString tail = "\nConvert fail! Please send the log file \"" +
                             home_->Path("kiv.dmp") + "\" to support@kiv-video-converter.example";
        QVERIFY2(failure.text.endsWith(tail), qPrintable(failure.text));
        const QString reason = failure.text.chopped(tail.size());
        QVERIFY(!reason.isEmpty());
        // The row says it failed, and why in its tooltip; never a full bar.
        QCOMPARE(Status(1), QString("Failed"));
        QCOMPARE(StatusTip(1), reason);
        QVERIFY(!list_->Cell(1, 5)->isProgress);
        QVERIFY(Done(0) && Done(1) && !Done(2));
        QVERIFY(!list_->Cell(2, 5)->isProgress); // still "Ready"
        QVERIFY(!QFile::exists(Output("c_h263_libfaac.3gp")));
        QTRY_COMPARE_WITH_TIMEOUT(ServiceCalls(callsBefore).mid(2),
                                  (QStringList{"ScreenSaverUnInhibit 7", "SleepLockReleased"}),
                                  kBusTimeoutMs);

        messages_->Clear();
        QVERIFY(RunBatch());
        QVERIFY(Titles().join('\n').startsWith("Info: Encoding Finish!\n1 file converted in "));
        QVERIFY(Done(2));
        QVERIFY(QFile::exists(Output("c_h263_libfaac.3gp")));
    }

    // A file without sound in a sound-only batch fails alone: its row says
    // so, the batch goes on, and its end names the file.
    void aFileWithoutSoundFailsAloneAndTheBatchGoesOn() {
        const QString silent = media_.filePath("silent.mp4");
        QVERIFY(MakeMedia(silent.toStdString(),
                          {"-f", "lavfi", "-i", "testsrc=s=160x120:d=2", "-c:v", "libx264"}));
        Open({a_, silent, b_}, 10, 3); // FLAC
        QVERIFY(RunBatch());
        QCOMPARE(Status(1), QString("Failed: no sound"));
        QCOMPARE(StatusTip(1), QString("the file has no sound, and the profile makes sound only"));
        QCOMPARE(Status(2), QString("Converted"));
        QCOMPARE(messages_->Messages().size(), 1);
        const QString end = Titles().front();
        QVERIFY2(end.startsWith("Info: Encoding Finish!\n2 converted, 1 failed in "),
                 qPrintable(end));
        QVERIFY2(end.endsWith("\n" + silent + ": no sound"), qPrintable(end));
    }

    void aSourceGoneAfterAddingStopsTheBatchAndIsTriedAgain() {
        QString gone = media_.filePath("gone.mp4");
        QVERIFY(QFile::copy(a_, gone));
        Open({gone, b_}, 8, 0);
        QVERIFY(QFile::rename(gone, gone + ".away"));
        QVERIFY(RunBatch());
        QCOMPARE(Titles(), QStringList{"Error: " + gone + " not exist!"});
        QCOMPARE(messages_->Messages()[0].icon, MessageIcon::NoIcon);
        QVERIFY(!Done(0) && !Done(1));
        QCOMPARE(dlg_->Table().Row(0).state, RowState::SourceMissing);
        QCOMPARE(Status(0), QString("Missing"));
        QVERIFY(QFile::rename(gone + ".away", gone));
        messages_->Clear();
        QVERIFY(RunBatch());
        QVERIFY(Titles().join('\n').startsWith("Info: Encoding Finish!\n2 files converted in "));
        QVERIFY(Done(0) && Done(1));
    }

    void aRowUncheckedDuringTheBatchIsSkipped() {
        Open({a_, b_, c_}, 8, 0);
        QSignalSpy ended(dlg_.get(), &CKivVideoConverterDlg::batchEnded);
        dlg_->OnStart();
        list_->SetCellCheck(2, 0, 0); // long before the batch reaches row 2
        QVERIFY(ended.wait(kBatchTimeoutMs));
        QVERIFY(Done(0) && Done(1) && !Done(2));
        QVERIFY(!list_->Cell(2, 5)->isProgress); // still "Ready"
    }

    // Pause holds enc and FFmpeg and lets the screen saver and sleep come
    // back until Resume; Stop ends the batch, keeps what was written under a
    // name that says so, leaves an earlier output of the file as it was and
    // the other row waiting; the next Start converts the stopped row again,
    // whole, and then the rest.
    void pauseResumeAndAStopThatEndsTheBatchKeepingAPartialFile() {
        Open({long_, b_}, 5, 15);
        QTemporaryDir firstMedia;
        const std::string first = firstMedia.filePath("long.mp4").toStdString();
        QVERIFY(MakeClip(first, 1, "640x360"));
        const ProgramResult made =
            RunProgram({BinDirectory() + "kiv-convert", "--format", "5", "--profile", "15",
                        "--output-dir", out_.toStdString(), first});
        QVERIFY2(made.exitStatus == 0, made.err.c_str());
        const QByteArray earlier = ReadAll(Output("long_libx264_libfaac.mp4"));
        QVERIFY(!earlier.isEmpty());
        const int callsBefore = SettledCallCount();
        QSignalSpy ended(dlg_.get(), &CKivVideoConverterDlg::batchEnded);
        auto* start = dlg_->findChild<QAbstractButton*>("startButton");
        auto* pause = dlg_->findChild<QAbstractButton*>("pauseButton");
        auto* stop = dlg_->findChild<QAbstractButton*>("stopButton");
        QVERIFY(start->isVisible() && !pause->isVisible());
        start->setFocus();
        QTest::keyClick(start, Qt::Key_Space); // from the keyboard, which stays on Pause
        QTRY_VERIFY_WITH_TIMEOUT(list_->Cell(0, 5)->percent >= 3, kEventTimeoutMs);
        QVERIFY(pause->hasFocus());

        // While it runs the window does not end, and the list takes no menu
        // and no files; Pause stands in Start's place.
        QVERIFY(dlg_->IsBusy());
        QVERIFY(!start->isVisible() && pause->isVisible() && pause->isEnabled());
        list_->setFocus();
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
            QTest::keyClick(list_, key);
            QVERIFY(dlg_->isVisible());
        }
        auto* menu = dlg_->findChild<QMenu*>("popMenu");
        dlg_->ShowPopMenu(dlg_->mapToGlobal(QPoint(100, 100)));
        QVERIFY(!menu->isVisible());
        QMimeData dropped;
        dropped.setUrls({QUrl::fromLocalFile(a_)});
        QDragEnterEvent refused(list_->viewport()->rect().center(), Qt::CopyAction, &dropped,
                                Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list_->viewport(), &refused);
        QVERIFY(!refused.isAccepted());

        const std::string folder = out_.toStdString();
        const auto encoders = [&folder] { return PidsMentioning(folder); }; // enc and FFmpeg
        const auto allIn = [&](char state) {
            const std::vector<pid_t> pids = encoders();
            return pids.size() == 2 && std::all_of(pids.begin(), pids.end(), [state](pid_t pid) {
                       return (ProcessState(pid) == 'T') == (state == 'T');
                   });
        };
        QCOMPARE(pause->accessibleName(), QString("Pause video conversion"));
        pause->click();
        QTRY_VERIFY_WITH_TIMEOUT(allIn('T'), kEventTimeoutMs);
        QCOMPARE(pause->accessibleName(), QString("Resume video conversion"));
        QVERIFY2(QRegularExpression("^1 of 2 · \\d+ % · Paused — Kiv Video Converter$")
                     .match(dlg_->windowTitle())
                     .hasMatch(),
                 qPrintable(dlg_->windowTitle()));
        QVERIFY2(Status(0).endsWith(" % · paused"), qPrintable(Status(0)));
        QTRY_COMPARE_WITH_TIMEOUT(ServiceCalls(callsBefore).mid(2),
                                  (QStringList{"ScreenSaverUnInhibit 7", "SleepLockReleased"}),
                                  kBusTimeoutMs);
        const int held = list_->Cell(0, 5)->percent;
        pause->click();
        QTRY_VERIFY_WITH_TIMEOUT(allIn('R'), kEventTimeoutMs);
        QCOMPARE(pause->accessibleName(), QString("Pause video conversion"));
        QTRY_COMPARE_WITH_TIMEOUT(ServiceCalls(callsBefore).size(), 6, kBusTimeoutMs);
        QVERIFY(ServiceCalls(callsBefore)[4].startsWith("ScreenSaverInhibit"));
        // It goes on, and tells the time left once it has seen enough.
        QTRY_VERIFY_WITH_TIMEOUT(list_->Cell(0, 5)->percent > held, kEventTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(Status(0).endsWith(" left"), kEventTimeoutMs);
        QCOMPARE(list_->model()->index(0, 5).data(Qt::AccessibleDescriptionRole).toString(),
                 Status(0).section(" · ", 1));
        QVERIFY2(StatusTip(0).contains("× real time"), qPrintable(StatusTip(0)));

        // Stop from the keyboard; the end box, a real one this time, says
        // what happened and goes with Esc; the keyboard is back on Start.
        QVERIFY(stop->isEnabled());
        const MessageSink log = SetMessageSink({});
        auto logAgain = qScopeGuard([&log] { SetMessageSink(log); });
        QString endText;
        auto escaped = WhenModal<QMessageBox>([&endText](QMessageBox* box) {
            endText = box->windowTitle() + ": " + box->text();
            QTest::keyClick(box, Qt::Key_Escape);
        });
        stop->setFocus();
        QTest::keyClick(stop, Qt::Key_Space);
        QVERIFY(ended.wait(kBatchTimeoutMs));
        QVERIFY(*escaped);
        QVERIFY2(QRegularExpression("^Info: Stopped: 0 converted, 1 stopped after \\d+:\\d\\d$")
                     .match(endText)
                     .hasMatch(),
                 qPrintable(endText));
        QCOMPARE(dlg_->focusWidget(), start);
        SetMessageSink(log);
        logAgain.dismiss();
        const QString partial = Output("long_libx264_libfaac (partial).mp4");
        MediaInspection kept = Inspect(partial.toStdString());
        QVERIFY(kept.opened);
        QVERIFY(kept.seconds > 0.5 && kept.seconds < 28);
        QCOMPARE(ReadAll(Output("long_libx264_libfaac.mp4")), earlier);
        QVERIFY(!QFile::exists(Output("b_libx264_libfaac.mp4")));
        QCOMPARE(Status(0), QString("Stopped"));
        QVERIFY(StatusTip(0).endsWith(partial));
        QCOMPARE(Status(1), QString("Ready"));
        QVERIFY(!Done(0) && !Done(1));
        QVERIFY(start->isVisible() && !pause->isVisible());
        QCOMPARE(dlg_->windowTitle(), QString("Kiv Video Converter 1.0.0"));
        QTRY_COMPARE_WITH_TIMEOUT(ServiceCalls(callsBefore).mid(6),
                                  (QStringList{"ScreenSaverUnInhibit 7", "SleepLockReleased"}),
                                  kBusTimeoutMs);

        // The next Start (in a quicker format) converts both rows, the stopped
        // one whole.
        dlg_->findChild<QComboBox*>("formatList")->setCurrentIndex(8);
        dlg_->OnFormatPick();
        messages_->Clear();
        QVERIFY(RunBatch());
        QVERIFY2(Titles().join('\n').startsWith("Info: Encoding Finish!\n2 files converted in "),
                 qPrintable(Titles().join('\n')));
        QVERIFY(std::abs(Inspect(Output("long_h263_libfaac.3gp").toStdString()).seconds - 30) < 1);
        QVERIFY(Inspect(Output("b_h263_libfaac.3gp").toStdString()).opened);
        QVERIFY(QFile::exists(partial));
    }

    // The program going away mid-batch, here while it is paused: the window
    // ends the conversion at once, starts no other and shows nothing, and
    // its destruction returns.
    void aWindowDestroyedMidBatchAbandonsIt() {
        Open({long_, b_}, 5, 15);
        QSignalSpy ended(dlg_.get(), &CKivVideoConverterDlg::batchEnded);
        dlg_->OnStart();
        QTRY_VERIFY_WITH_TIMEOUT(list_->Cell(0, 5)->percent >= 3, kEventTimeoutMs);
        dlg_->OnPause();
        QTRY_VERIFY_WITH_TIMEOUT(Status(0).endsWith("paused"), kEventTimeoutMs);
        dlg_.reset();
        QVERIFY(PidsMentioning(out_.toStdString()).empty());
        QVERIFY(ended.isEmpty());
        QVERIFY(messages_->Messages().isEmpty());
        QVERIFY(!QFile::exists(Output("long_libx264_libfaac.mp4")));
        QVERIFY(!QFile::exists(Output("b_libx264_libfaac.mp4")));
    }

    void theShutdownBoxReplacesTheEndMessageAndCancelKeepsTheComputerOn() {
        Open({a_}, 8, 0);
        dlg_->findChild<QCheckBox*>("shutdownBox")->setChecked(true);
        dlg_->findChild<QCheckBox*>("openFolderBox")->setChecked(true);
        urls_->urls.clear();
        auto cancelled = WhenModal<PowerOffCountdownDlg>([](PowerOffCountdownDlg* countdown) {
            QCOMPARE(countdown->Text(), QString("The computer will power off in 30 seconds."));
            countdown->findChild<QPushButton*>()->click();
        });
        QVERIFY(RunBatch());
        QVERIFY(*cancelled);
        QVERIFY(messages_->Messages().isEmpty());
        QVERIFY(urls_->urls.isEmpty());
        QVERIFY(!bus_->Calls().join('\n').contains("PowerOff"));
    }

    // "&Split" on the selected row: the marks set while the file plays land in
    // that row's Start and End columns, and the batch converts only that part.
    void splitTrimsTheSelectedRowAndTheBatchConvertsThatPart() {
        Open({a_, long_}, 8, 0);
        list_->clearSelection(); // adding selected every new row
        list_->SelectRow(1);
        QTRY_COMPARE_WITH_TIMEOUT(list_->FirstSelectedRow(), 1, kEventTimeoutMs);
        auto marked = WhenModal<CSplitDlg>([](CSplitDlg* split) {
            // Whatever fails below, the dialog does not stay open.
            auto closeOnFailure = qScopeGuard([split] {
                if (split->isVisible())
                    split->reject();
            });
            split->onPlay();
            QTRY_VERIFY_WITH_TIMEOUT(split->StartSeconds() >= 2, kEventTimeoutMs);
            split->onMarkStart();
            const double start = split->StartSeconds();
            // The end follows playback now (until then it is the file's length).
            QTRY_VERIFY_WITH_TIMEOUT(split->EndSeconds() >= start + 3 &&
                                         split->EndSeconds() < start + 10,
                                     kEventTimeoutMs);
            split->onMarkEnd();
            split->onOk();
        });
        dlg_->OnSplit();
        QVERIFY(*marked);
        const int start = TrimSeconds(list_->CellText(1, 3).toStdString());
        const int end = TrimSeconds(list_->CellText(1, 4).toStdString());
        QVERIFY(start >= 2 && end >= start + 2 && end <= 31);
        QCOMPARE(list_->CellText(0, 3), QString("00:00:00")); // the other row keeps its range
        list_->SetCellCheck(0, 0, 0);
        QVERIFY(RunBatch());
        MediaInspection part = Inspect(Output("long_h263_libfaac.3gp").toStdString());
        QVERIFY(part.opened);
        QVERIFY2(std::abs(part.seconds - (end - start)) < 1.0,
                 qPrintable(QString::number(part.seconds)));
    }

    void aFailingEncoderBesideAnOlderOutputAndTwoRowsOfOneName() {
        QString second = media_.filePath("a.part2.mp4");
        QVERIFY(QFile::exists(second) || QFile::copy(b_, second));
        Open({a_, second}, 8, 0);
        QVERIFY(QDir().mkpath(out_));
        QFile older(Output("a_h263_libfaac.3gp"));
        QVERIFY(older.open(QIODevice::WriteOnly));
        older.write("an earlier result");
        older.close();
        QString fake = home_->Path("failing-ffmpeg");
        QFile script(fake);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\necho 'No space left on device' >&2\nexit 1\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        qputenv("KIV_FFMPEG", fake.toLocal8Bit());
        QVERIFY(RunBatch());
        QCOMPARE(messages_->Messages().size(), 1);
        QVERIFY(messages_->Messages()[0].text.startsWith(
            "enc: conversion failed (FFmpeg exit status 1): No space left on device\n"));
        QCOMPARE(ReadAll(Output("a_h263_libfaac.3gp")), QByteArray("an earlier result"));

        // With a working encoder both rows convert, the second beside the first.
        qunsetenv("KIV_FFMPEG");
        dlg_.reset();
        Open({a_, second}, 8, 0);
        QVERIFY(RunBatch());
        QVERIFY(Titles().join('\n').startsWith("Info: Encoding Finish!\n2 files converted in "));
        QVERIFY(Inspect(Output("a_h263_libfaac.3gp").toStdString()).opened);
        QVERIFY(Inspect(Output("a_h263_libfaac (2).3gp").toStdString()).opened);
    }
};

QTEST_MAIN(BatchTest)
#include "BatchTest.moc"
