// The file list with clips made at test time: adding through the file
// dialog, by dropping and through AddFiles (the path the command line
// takes), the 30-row limit, files that cannot be added, the durations
// shown, reading off the GUI thread, the menu on the row right-clicked,
// Remove, Delete, Clear and ending the window while adding.

#include "CXListCtrl.h"
#include "MainDlg.h"
#include "MediaFileDialog.h"
#include "QtTestMedia.h"
#include "Vocabularies.h"
#include "WindowTestSupport.h"
#include "runs/JobBuilder.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QToolTip>
#include <QtTest>

#include <memory>

using namespace kiv;
using namespace kiv::test;

namespace {

constexpr int kTimeoutMs = 60000;

QString SourcePath(const ConversionJob& job) {
    return QString::fromUtf8(job.sourcePath);
}

} // namespace

class FileListTest : public QObject {
    Q_OBJECT

    QTemporaryDir media_;
    QString a_, b_, c_, tone_, broken_;
    std::unique_ptr<FreshHome> home_;
    std::unique_ptr<MessageLog> messages_;
    std::unique_ptr<CKivVideoConverterDlg> dlg_;
    CXListCtrl* list_ = nullptr;

    void Open() {
        dlg_ = std::make_unique<CKivVideoConverterDlg>();
        dlg_->show();
        dlg_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dlg_.get()));
        list_ = dlg_->findChild<CXListCtrl*>("fileList");
    }
    // Adds as the command line and drops do, and waits until every file is handled.
    void Add(const QStringList& files) {
        QSignalSpy done(dlg_.get(), &CKivVideoConverterDlg::filesAdded);
        dlg_->AddFiles(files);
        QVERIFY(done.wait(kTimeoutMs));
    }
    // The row as the user sees it, against what the probe put into its job.
    void VerifyRow(int row, const QString& path) {
        const ConversionJob job = dlg_->Table().Row(row).job;
        QCOMPARE(SourcePath(job), path);
        const QString duration =
            QString::fromStdString(FormatDuration(DisplayedDurationSeconds(job)));
        QVERIFY(DisplayedDurationSeconds(job) > 0);
        QCOMPARE(list_->GetCellCheck(row, 0), 1);
        QCOMPARE(list_->CellText(row, 1), " " + path);
        QCOMPARE(list_->CellText(row, 2), duration);
        QCOMPARE(list_->CellText(row, 3), QString("00:00:00"));
        QCOMPARE(list_->CellText(row, 4), duration);
        QCOMPARE(list_->CellText(row, 5), QString("Ready"));
    }

private slots:
    void initTestCase() {
        QVERIFY(media_.isValid());
        a_ = media_.filePath("a.mp4");
        b_ = media_.filePath("b.mp4");
        c_ = media_.filePath("c.mp4");
        tone_ = media_.filePath("tone.wav");
        broken_ = media_.filePath("broken.avi");
        QVERIFY(MakeClip(a_));
        QVERIFY(QFile::copy(a_, b_) && QFile::copy(a_, c_));
        QVERIFY(MakeTone(tone_));
        QFile broken(broken_);
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("this is no video, only words\n");
    }
    void init() {
        home_ = std::make_unique<FreshHome>();
        messages_ = std::make_unique<MessageLog>();
        Open();
    }
    void cleanup() {
        dlg_.reset();
        messages_.reset();
        home_.reset();
    }

    void addThroughTheFileDialog() {
        QStringList filters, shown;
        auto ran = WhenModal<QFileDialog>([&](QFileDialog* dialog) {
            filters = dialog->nameFilters();
            auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
            for (int i = 0; types && i < types->count(); ++i)
                shown << types->itemText(i);
            QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFiles);
            dialog->setDirectory(media_.path());
            // Choose once the dialog lists the folder (it reads it on a thread).
            auto* model = dialog->findChild<QFileSystemModel*>();
            auto* poll = new QTimer(dialog);
            connect(poll, &QTimer::timeout, dialog, [this, dialog, model, poll] {
                if (model->rowCount(model->index(media_.path())) < 5)
                    return;
                poll->stop();
                // As a user types two names into the name field.
                dialog->findChild<QLineEdit*>("fileNameEdit")->setText("\"a.mp4\" \"tone.wav\"");
                static_cast<QDialog*>(dialog)->accept();
                if (dialog->isVisible())
                    dialog->reject(); // the test then fails instead of waiting
            });
            poll->start(20);
        });
        QSignalSpy done(dlg_.get(), &CKivVideoConverterDlg::filesAdded);
        QTest::keyClick(dlg_.get(), Qt::Key_O, Qt::ControlModifier);
        QVERIFY(*ran);
        QVERIFY(done.wait(kTimeoutMs));
        // The descriptions users know, with patterns that find the files.
        QCOMPARE(shown,
                 QStringList({"All files (*.*)", "AVI Files (*.avi)", "Mpeg files (*.mpg, *.mpeg)",
                              "Windows Media files (*.wmv, *.wma, *.asf)",
                              "Quick Time Files (*.mov, *.qt)", "Real Media Files (*.rm, *.rmvb)",
                              "Flash File(*.flv,*.swf)", "MP4(*.mp4,*.m4v)", "3GP(*.3gp,*.3gp2)"}));
        QCOMPARE(filters.first(), QString("All files (*.*) (*)"));
        QCOMPARE(filters.at(4), QString("Quick Time Files (*.mov, *.qt) (*.mov *.qt)"));
        QCOMPARE(list_->RowCount(), 2);
        VerifyRow(0, a_);
        VerifyRow(1, tone_);
        QCOMPARE(list_->FirstSelectedRow(), 1); // the last added alone
        QCOMPARE(list_->GetHeaderCheck(0), 2);
        QVERIFY(messages_->Messages().isEmpty());
        // The log names what was added, for support.
        QFile log(home_->Path("kiv.dmp"));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QCOMPARE(log.readAll(), ("Added " + a_ + " (" + list_->CellText(0, 2) + ")\nAdded " +
                                 tone_ + " (" + list_->CellText(1, 2) + ")\n")
                                    .toUtf8());
    }

    void theListFillsAtOnceAndStartWaitsForTheRowsBeingRead() {
        home_->SetOutputFolder(media_.filePath("out"));
        Open();
        const QStringList files = {a_, broken_, b_};
        dlg_->AddFiles(files);
        // AddFiles returned at once: every name is listed, in order, each
        // row being read; the window stays usable meanwhile.
        QCOMPARE(list_->RowCount(), 3);
        for (int row = 0; row < 3; ++row) {
            QCOMPARE(list_->CellText(row, 1), " " + files[row]);
            QCOMPARE(list_->CellText(row, 2), QString());
            QCOMPARE(list_->CellText(row, 5), QString("Reading…"));
        }
        QVERIFY(dlg_->IsAdding());
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::BusyCursor);
        for (const char* name : {"addButton", "removeButton", "startButton"})
            QVERIFY2(dlg_->findChild<QWidget*>(name)->isEnabled(), name);
        // Start waits for the rows being read, then converts what was added.
        QSignalSpy ended(dlg_.get(), &CKivVideoConverterDlg::batchEnded);
        dlg_->OnStart();
        QVERIFY(!dlg_->IsBusy());
        QVERIFY(!dlg_->findChild<QWidget*>("startButton")->isEnabled());
        QVERIFY(ended.wait(kTimeoutMs));
        QVERIFY(!dlg_->IsAdding());
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(list_->RowCount(), 2);
        QCOMPARE(SourcePath(dlg_->Table().Row(0).job), a_);
        QCOMPARE(SourcePath(dlg_->Table().Row(1).job), b_);
        for (int row = 0; row < 2; ++row)
            QCOMPARE(dlg_->Table().Row(row).state, RowState::Converted);
        QVERIFY(!messages_->Messages().isEmpty());
        QVERIFY(
            messages_->Messages().first().text.startsWith("This file was not added:\n" + broken_));
    }

    // A row removed while it is read goes for good; the others are read.
    void aRowRemovedWhileReadIsGone() {
        dlg_->AddFiles({a_, b_, c_, tone_});
        list_->clearSelection();
        list_->SelectRow(3);
        dlg_->OnRemove();
        QSignalSpy done(dlg_.get(), &CKivVideoConverterDlg::filesAdded);
        QVERIFY(done.wait(kTimeoutMs));
        QCOMPARE(list_->RowCount(), 3);
        VerifyRow(0, a_);
        VerifyRow(1, b_);
        VerifyRow(2, c_);
        QVERIFY(messages_->Messages().isEmpty());
    }

    void theThirtiethRowIsTheLast() {
        Add(QStringList(28, a_));
        QCOMPARE(list_->RowCount(), 28);
        QVERIFY(messages_->Messages().isEmpty());
        Add({b_, c_, a_, b_, c_});
        QCOMPARE(list_->RowCount(), 30);
        VerifyRow(28, b_);
        VerifyRow(29, c_);
        QCOMPARE(messages_->Messages().size(), 1);
        const ShownMessage& m = messages_->Messages().first();
        QCOMPARE(m.title, QString("Info"));
        QCOMPARE(m.text, QString("The Max media file count over !"));
    }

    void everyReadableFileIsAddedAndTheOthersNamedOnce() {
        // Each kind of file that cannot be added, between good ones.
        const QString folder = media_.filePath("a folder.mp4");
        const QString missing = media_.filePath("missing.mp4");
        const QString empty = media_.filePath("empty.mp4");
        const QString cut = media_.filePath("cut.mp4");
        const QString subtitles = media_.filePath("subtitles.srt");
        QVERIFY(QDir().mkpath(folder));
        QFile(empty).open(QIODevice::WriteOnly);
        QFile whole(a_), half(cut);
        QVERIFY(whole.open(QIODevice::ReadOnly) && half.open(QIODevice::WriteOnly));
        half.write(whole.read(whole.size() / 2)); // the index at the end is cut off
        half.close();
        QFile srt(subtitles);
        QVERIFY(srt.open(QIODevice::WriteOnly));
        srt.write("1\n00:00:00,000 --> 00:00:02,000\nHello\n");
        srt.close();

        Add({folder, a_, missing, empty, broken_, b_, cut, subtitles, c_});
        QCOMPARE(list_->RowCount(), 3);
        VerifyRow(0, a_);
        VerifyRow(1, b_);
        VerifyRow(2, c_);
        QCOMPARE(messages_->Messages().size(), 1);
        const ShownMessage& m = messages_->Messages().first();
        QCOMPARE(m.title, QString("Warning"));
        const QStringList lines = m.text.split('\n');
        const QString unreadable = ": not a media file this program can read (";
        const QStringList expected = {
            "6 files were not added:",
            folder + ": a folder, not a file",
            missing + ": not found",
            empty + ": an empty file",
            broken_ + unreadable,
            cut + unreadable,
            subtitles + " include unsupport codec,Please report it to "
                        "support@kiv-video-converter.example.",
        };
        QCOMPARE(lines.size(), expected.size());
        for (int i = 0; i < lines.size(); ++i)
            QVERIFY2(lines[i].startsWith(expected[i]), qPrintable(lines[i]));
        QVERIFY(lines[4].endsWith(')') && lines[4].size() > expected[4].size() + 2);
    }

    // Two hundred files that cannot be added: one line that counts them,
    // then each file, in a box whose list scrolls and whose OK button stays
    // on the screen.
    void manyFilesNotAddedAreCountedAndListedInABoxThatFitsTheScreen() {
        QStringList empties;
        for (int i = 0; i < 200; ++i) {
            empties << media_.filePath(QString("empty %1.mp4").arg(i));
            QFile(empties.last()).open(QIODevice::WriteOnly);
        }
        Add(empties);
        QCOMPARE(list_->RowCount(), 0);
        QCOMPARE(messages_->Messages().size(), 1);
        const ShownMessage message = messages_->Messages().first();
        const QStringList lines = message.text.split('\n');
        QCOMPARE(lines.size(), 201);
        QCOMPARE(lines.first(), QString("200 files were not added:"));
        QCOMPARE(lines.last(), empties.last() + ": an empty file");

        const MessageSink log = SetMessageSink({}); // the real box
        auto seen = WhenModal<QDialog>([](QDialog* box) {
            const QRect screen = box->screen()->availableGeometry();
            QVERIFY(box->frameGeometry().height() <= screen.height());
            auto* list = box->findChild<QPlainTextEdit*>("messageLines");
            QVERIFY(list);
            QCOMPARE(list->document()->blockCount(), 200);
            QCOMPARE(list->accessibleName(), QString("200 files were not added:"));
            QVERIFY(list->verticalScrollBar()->maximum() > 0);
            auto* ok = box->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
            QVERIFY(box->rect().contains(ok->mapTo(box, ok->rect().bottomRight())));
            ok->click();
        });
        ShowMessage(dlg_.get(), message.title, message.text, message.icon);
        QVERIFY(*seen);
        SetMessageSink(log);
    }

    void durationsShowTheLengthRounded() {
        // As players show them; the whole file still converts to the end
        // the encoder has always been given.
        QStringList clips;
        for (const char* seconds : {"12", "12.4", "12.6"}) {
            clips << media_.filePath(QString("length %1.mp4").arg(seconds));
            QVERIFY(MakeMedia(clips.last().toStdString(),
                              {"-f", "lavfi", "-i",
                               std::string("testsrc=size=64x48:rate=10:duration=") + seconds,
                               "-c:v", "mpeg4"}));
        }
        Add(clips);
        const struct {
            const char* shown;
            int end;
        } rows[] = {{"00:00:12", 13}, {"00:00:12", 13}, {"00:00:13", 13}};
        for (int row = 0; row < 3; ++row) {
            QCOMPARE(list_->CellText(row, 2), QString(rows[row].shown));
            QCOMPARE(list_->CellText(row, 4), QString(rows[row].shown));
            QCOMPARE(dlg_->Table().Row(row).trimEndSeconds, rows[row].end);
        }
    }

    void theMenuActsOnTheRowRightClicked() {
        const QString longName =
            media_.filePath("a clip whose name is far too long for the Video File column.mp4");
        QVERIFY(QFile::exists(longName) || QFile::copy(a_, longName));
        Add({a_, longName, c_});
        // Only the last row added is selected.
        QCOMPARE(list_->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(list_->FirstSelectedRow(), 2);

        // Its whole path shows in the tooltip of its shortened cell.
        const QRect cell = list_->GetCellRect(1, 1);
        QHelpEvent tip(QEvent::ToolTip, cell.center(),
                       list_->viewport()->mapToGlobal(cell.center()));
        QApplication::sendEvent(list_->viewport(), &tip);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), longName);
        QToolTip::hideText();

        list_->selectAll();
        QTest::mouseClick(list_->viewport(), Qt::RightButton, {}, cell.center());
        dlg_->findChild<QMenu*>("popMenu")->actions().at(1)->trigger(); // "&Delete"
        QCOMPARE(list_->RowCount(), 2);
        QCOMPARE(SourcePath(dlg_->Table().Row(0).job), a_);
        QCOMPARE(SourcePath(dlg_->Table().Row(1).job), c_);
    }

    void droppedFilesAreAddedLikeAdd() {
        auto* data = new QMimeData;
        data->setUrls({QUrl::fromLocalFile(b_), QUrl("https://example.org/not-a-file.avi")});
        QWidget* target = list_->viewport();
        const QPoint at = target->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QVERIFY(enter.isAccepted());
        QSignalSpy done(dlg_.get(), &CKivVideoConverterDlg::filesAdded);
        QDropEvent drop(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        QVERIFY(drop.isAccepted());
        QVERIFY(done.wait(kTimeoutMs));
        QCOMPARE(list_->RowCount(), 1);
        VerifyRow(0, b_);
        delete data; // while a batch runs nothing is taken (BatchTest)
    }

    void removeMovesTheRowsUp() {
        Add({a_, b_, c_});
        QCOMPARE(list_->RowCount(), 3);
        list_->clearSelection();
        list_->SelectRow(0);
        dlg_->OnRemove();
        QCOMPARE(list_->RowCount(), 2);
        QCOMPARE(dlg_->Table().RowCount(), 2);
        QCOMPARE(SourcePath(dlg_->Table().Row(0).job), b_);
        QCOMPARE(SourcePath(dlg_->Table().Row(1).job), c_);
        QCOMPARE(list_->CellText(0, 1), " " + b_);
        QCOMPARE(list_->FirstSelectedRow(), 0);

        // Delete removes the first selected row the same way.
        list_->clearSelection();
        list_->SelectRow(1);
        list_->setFocus();
        QTest::keyClick(list_, Qt::Key_Delete);
        QCOMPARE(list_->RowCount(), 1);
        QCOMPARE(SourcePath(dlg_->Table().Row(0).job), b_);

        // Without a selected row Remove says so.
        list_->clearSelection();
        dlg_->OnRemove();
        QCOMPARE(list_->RowCount(), 1);
        QCOMPARE(messages_->Messages().size(), 1);
        QCOMPARE(messages_->Messages().first().title, QString("Info"));
        QCOMPARE(messages_->Messages().first().text, QString("There is not selected media file "));
    }

    void clearEmptiesTheList() {
        Add({a_, b_});
        QCOMPARE(list_->GetHeaderCheck(0), 2);
        dlg_->findChild<QMenu*>("popMenu")->actions().at(2)->trigger();
        QCOMPARE(list_->RowCount(), 0);
        QCOMPARE(list_->GetHeaderCheck(0), 1); // no row is left checked
        QCOMPARE(dlg_->Table().RowCount(), 0);
        QVERIFY(messages_->Messages().isEmpty());
    }

    void exitWhileAddingEndsOnceTheFileIsRead() {
        dlg_->AddFiles({a_, b_, c_});
        dlg_->OnExit();
        QVERIFY(dlg_->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!dlg_->isVisible(), kTimeoutMs);
        QCOMPARE(dlg_->result(), int(QDialog::Accepted));
        QVERIFY(!dlg_->IsAdding());
        QVERIFY(QFile::exists(home_->Path("kivinfo.ini")));
    }
};

QTEST_MAIN(FileListTest)
#include "FileListTest.moc"
