// The list kept while the program runs: a window killed in the middle of a
// batch, with everything it started, comes back at the next start with its
// rows as they were and no temporary left; a window that goes away without
// Exit comes back too, one that ends with Exit does not; a damaged file is
// set aside; the file keeps every part of a row byte for byte.

#include "KeptList.h"
#include "CXListCtrl.h"
#include "FixedText.h"
#include "MainDlg.h"
#include "QtTestMedia.h"
#include "TestProcess.h"
#include "WindowTestSupport.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

#include <csignal>
#include <cstring>
#include <memory>
#include <unistd.h>

using namespace kiv;
using namespace kiv::test;

namespace {

constexpr int kTimeoutMs = 120000;

QStringList Temporaries(const QString& folder) {
    return QDir(folder).entryList({"*.kivtmp-*"}, QDir::Files | QDir::Hidden);
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class KeptListTest : public QObject {
    Q_OBJECT

    QTemporaryDir media_;
    QString a_, long_, c_;

    static std::unique_ptr<CKivVideoConverterDlg> OpenWindow() {
        auto window = std::make_unique<CKivVideoConverterDlg>();
        window->show();
        return window;
    }
    static void Add(CKivVideoConverterDlg& window, const QStringList& files) {
        QSignalSpy added(&window, &CKivVideoConverterDlg::filesAdded);
        window.AddFiles(files);
        QVERIFY(added.wait(kTimeoutMs));
    }

private slots:
    void initTestCase() {
        std::setlocale(LC_NUMERIC, "C");
        a_ = media_.filePath("a.mp4");
        long_ = media_.filePath("long.mp4");
        c_ = media_.filePath("c.mp4");
        QVERIFY(MakeClip(a_, 2) && MakeClip(long_, 60) && QFile::copy(a_, c_));
    }

    void aWindowKilledMidBatchComesBackWithItsRowsAndNoTemporary() {
        FreshHome home;
        const QString out = home.Path("out");
        WriteFile(home.Path("kivinfo.ini"),
                  "[Options]\nFolder=" + QFile::encodeName(out) + "/\n[Video]\nKind=8\nClass=0\n");
        QProcess window;
        window.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        window.setChildProcessModifier([] { ::setpgid(0, 0); });
        QByteArray said;
        connect(&window, &QProcess::readyReadStandardOutput,
                [&] { said += window.readAllStandardOutput(); });
        window.start(WINDOW_THAT_CONVERTS, {a_, long_, c_});
        // The first file is converted, the second converts, and the kept
        // list says so.
        QTRY_VERIFY_WITH_TIMEOUT(said.contains("row 1 state 1\n"), kTimeoutMs);
        const auto kept = [&home](const char* state) {
            return ReadFile(home.Path("kept-list.json")).contains(QByteArray("\"") + state + '"');
        };
        QTRY_VERIFY_WITH_TIMEOUT(kept("converted") && kept("converting"), kTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(!Temporaries(out).isEmpty(), kTimeoutMs);
        // Everything ends at once, as in a power cut: the window is held
        // first, so it sees nothing of its encoder's end.
        ::kill(static_cast<pid_t>(window.processId()), SIGSTOP);
        for (pid_t pid : PidsMentioning(out.toStdString()))
            ::kill(pid, SIGKILL);
        ::kill(-static_cast<pid_t>(window.processId()), SIGKILL);
        QVERIFY(window.waitForFinished(30000));
        QTRY_VERIFY(PidsMentioning(out.toStdString()).empty());
        QVERIFY(!Temporaries(out).isEmpty()); // left behind, held by nobody

        // A private folder as a killed run leaves it goes at the next start,
        // which converts nothing.
        QVERIFY(QDir().mkdir(home.Path("run-4242-AbCdEf")));
        // The settings never heard of the format the list was converting with.
        WriteFile(home.Path("kivinfo.ini"), "[Video]\nKind=0\n");
        home.Reload();
        MessageLog messages;
        auto restored = OpenWindow();
        QTRY_COMPARE(messages.Messages().size(), 1);
        QCOMPARE(messages.Messages()[0].text,
                 QString("Restored the list of 3 files from the last time; 1 file was being "
                         "converted and is Ready again"));
        const FileTable& table = restored->Table();
        QCOMPARE(table.RowCount(), 3);
        QCOMPARE(QString::fromStdString(table.Row(1).SourcePath()), long_);
        QCOMPARE(table.Row(0).state, RowState::Converted);
        const QString converted = QString::fromStdString(table.Row(0).outputPath);
        QVERIFY2(converted.startsWith(out + "/a_") && QFile::exists(converted),
                 qPrintable(converted));
        QCOMPARE(table.Row(1).state, RowState::Ready);
        QCOMPARE(table.Row(2).state, RowState::Ready);
        auto* list = restored->findChild<CXListCtrl*>("fileList");
        QCOMPARE(list->CellText(0, 5), QString("Converted"));
        QCOMPARE(list->CellText(1, 5), QString("Ready"));
        QCOMPARE(restored->Selection().Kind, 8);
        QCOMPARE(restored->OutputFolder(), out + "/");
        QVERIFY2(Temporaries(out).isEmpty(), qPrintable(Temporaries(out).join(' ')));
        QVERIFY(!QFileInfo::exists(home.Path("run-4242-AbCdEf")));
    }

    void onlyExitStartsTheNextRunEmptyAndADamagedListIsSetAside() {
        FreshHome home;
        MessageLog messages;
        auto window = OpenWindow();
        Add(*window, {a_, c_});
        // Kept a moment after the change.
        QTRY_VERIFY(QFile::exists(KeptList::DefaultPath()));
        window.reset(); // the window goes without Exit (a logout, say)
        window = OpenWindow();
        QTRY_COMPARE(messages.Messages().size(), 1);
        QCOMPARE(messages.Messages()[0].text,
                 QString("Restored the list of 2 files from the last time"));
        QCOMPARE(window->Table().RowCount(), 2);
        window->OnExit();
        QVERIFY(!QFile::exists(KeptList::DefaultPath()));
        messages.Clear();
        window = OpenWindow();
        QCOMPARE(window->Table().RowCount(), 0);
        window.reset();

        const QByteArray foreign = "{\"kind\": \"another program's list\", \"rows\": []}";
        WriteFile(KeptList::DefaultPath(), foreign);
        window = OpenWindow();
        QCOMPARE(window->Table().RowCount(), 0);
        QCoreApplication::processEvents(); // a message would have come now
        QVERIFY(messages.Messages().isEmpty());
        const QStringList aside = QDir(home.Path("")).entryList({"kept-list.json.damaged-*"});
        QCOMPARE(aside.size(), 1);
        QCOMPARE(ReadFile(home.Path(aside[0])), foreign);
        QVERIFY(ReadFile(home.Path("kiv.dmp"))
                    .contains("cannot be read (not a kept list of this version); set aside as "));
    }

    void theFileKeepsEveryPartOfARowByteForByte() {
        KeptListContents kept;
        kept.selection = {9, 2, 1, 3, 4, 5, 0, 6, 1, 7, 2, 300};
        kept.outputFolder = "/home/ann/Videos/";
        ConversionJob job{};
        SetText(job.sourcePath, "/films/caf\xe9 latin-1.avi"); // not UTF-8
        SetText(job.source.videoCodec, "h264");
        job.hasVideo = 1;
        job.source.videoDuration = job.source.audioDuration = 61.5;
        job.source.frameRate = 29.97;
        FileRow row = NewFileRow(job);
        row.checked = false;
        row.trimStartSeconds = 5;
        row.trimEndSeconds = 40;
        row.state = RowState::Stopped;
        row.percent = 37;
        row.outputPath = "/home/ann/Videos/caf\xe9 (partial).mp4";
        kept.rows = {row, NewFileRow(job)};

        KeptListContents read;
        QString why;
        QVERIFY2(ReadKeptList(KeptListText(kept), read, why), qPrintable(why));
        QCOMPARE(KeptListText(read), KeptListText(kept));
        QCOMPARE(read.rows[0].SourcePath(), row.SourcePath());
        QCOMPARE(read.rows[0].outputPath, row.outputPath);
        QCOMPARE(read.rows[0].job.source.frameRate, 29.97);
        QCOMPARE(read.rows[0].durationSeconds, 61);
        QVERIFY(std::memcmp(&read.selection, &kept.selection, sizeof kept.selection) == 0);

        // Anything else is refused whole.
        QByteArray text = KeptListText(kept);
        const QByteArray refused[] = {
            "not json at all",
            QByteArray(text).replace("\"version\":1", "\"version\":2"),
            QByteArray(text).replace("\"stopped\"", "\"exploded\""),
            QByteArray(text).replace("\"percent\":37", "\"percent\":370"),
            QByteArray(text).replace("\"trim\":[5,40]", "\"trim\":[5]"),
            text.left(text.size() / 2),
        };
        for (const QByteArray& bad : refused) {
            why.clear();
            QVERIFY2(!ReadKeptList(bad, read, why), bad.constData());
            QVERIFY(!why.isEmpty());
        }
    }
};

QTEST_MAIN(KeptListTest)
#include "KeptListTest.moc"
