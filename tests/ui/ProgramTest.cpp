// The window program as a whole: its command line, the skin, start-up with
// files named on the command line, the one window that later starts hand
// their files to, and the real executable's --help and --version. Runs
// inside the program's own application object.

#include "CXListCtrl.h"
#include "KivVideoConverterApp.h"
#include "MainDlg.h"
#include "Paths.h"
#include "ProgramArguments.h"
#include "QtTestMedia.h"
#include "WindowChannel.h"
#include "WindowTestSupport.h"

#include <QElapsedTimer>
#include <QLocalSocket>

#include <QLabel>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QtTest>

#include <atomic>
#include <thread>

using namespace kiv;
using namespace kiv::test;

class ProgramTest : public QObject {
    Q_OBJECT

private slots:
    void commandLineNamesFilesOrAsksForHelp() {
        struct Row {
            std::vector<std::string> arguments;
            ProgramRequest request;
            QStringList files;
        };
        const Row rows[] = {
            {{}, ProgramRequest::Run, {}},
            {{"a.avi", "/x/b c.mp4"}, ProgramRequest::Run, {"a.avi", "/x/b c.mp4"}},
            {{"a.avi", "--help"}, ProgramRequest::Help, {}},
            {{"--version", "a.avi"}, ProgramRequest::Version, {}},
            {{"--", "--help", "-x.avi"}, ProgramRequest::Run, {"--help", "-x.avi"}},
            {{"-x.avi", "", "été.mp4"}, ProgramRequest::Run, {"-x.avi", "été.mp4"}},
            {{"file:///home/me/My%20Films/a.avi"},
             ProgramRequest::Run,
             {"/home/me/My Films/a.avi"}},
        };
        for (const Row& row : rows) {
            const ProgramArguments parsed = ParseProgramArguments(row.arguments);
            QCOMPARE(parsed.request, row.request);
            QCOMPARE(parsed.files, row.files);
        }
    }

    void theExecutablePrintsItsHelpAndVersion() {
        for (auto [option, start] : {std::pair{"--version", "kiv-video-converter 1.0.0\n"},
                                     {"--help", "Usage: kiv-video-converter [FILE]..."}}) {
            QProcess program;
            program.start(WINDOW_PROGRAM_PATH, {option});
            QVERIFY(program.waitForFinished(30000));
            QCOMPARE(program.exitCode(), 0);
            QVERIFY2(program.readAllStandardOutput().startsWith(start), option);
        }
    }

    void aSkinFileIsAppliedAsAStyleSheetWithItsLightPalette() {
        // On a dark desktop.
        const QPalette before = QApplication::palette();
        QPalette dark = before;
        dark.setColor(QPalette::Window, QColor(53, 53, 53));
        dark.setColor(QPalette::WindowText, Qt::white);
        QApplication::setPalette(dark);
        auto restore = qScopeGuard([&] { QApplication::setPalette(before); });
        QTemporaryDir folder;
        const QString directory = folder.path() + "/";
        QVERIFY(!ApplySkin(*qApp, directory));
        QCOMPARE(qApp->styleSheet(), QString());
        QCOMPARE(QApplication::palette().color(QPalette::Window), QColor(53, 53, 53));
        QFile skin(directory + "LightBlue.smf");
        QVERIFY(skin.open(QIODevice::WriteOnly));
        skin.write("QDialog { background: #dbeafe; }\n");
        skin.close();
        QVERIFY(ApplySkin(*qApp, directory));
        QCOMPARE(qApp->styleSheet(), QString("QDialog { background: #dbeafe; }\n"));
        // The palette the skin was drawn for, whatever the desktop's.
        QCOMPARE(QApplication::palette(), SkinPalette());
        QVERIFY(QApplication::palette().color(QPalette::Window).lightness() > 200);
        QCOMPARE(QApplication::palette().color(QPalette::Text), QColor(Qt::black));
        QCOMPARE(QApplication::palette().color(QPalette::Link), QColor(0, 0, 238));
        qApp->setStyleSheet(QString());
    }

    void filesOnTheCommandLineAreAddedLikeAdd() {
        QTemporaryDir media;
        const QString clip = media.filePath("clip.mp4");
        QVERIFY(MakeClip(clip));
        FreshHome home;
        MessageLog messages;
        int rows = -1;
        QString cell;
        // Once the window runs and has read the file, look and leave.
        auto ran = WhenModal<CKivVideoConverterDlg>([&](CKivVideoConverterDlg* window) {
            auto* list = window->findChild<CXListCtrl*>("fileList");
            const auto look = [&rows, &cell, list, window] {
                rows = list->RowCount();
                cell = list->CellText(0, 1);
                window->done(QDialog::Rejected);
            };
            if (!window->IsAdding() && list->RowCount() > 0)
                look();
            else
                QObject::connect(window, &CKivVideoConverterDlg::filesAdded, window, look);
        });
        auto* app = static_cast<CKivVideoConverterApp*>(qApp);
        QCOMPARE(app->InitInstance({clip}), false);
        QVERIFY(*ran);
        QCOMPARE(rows, 1);
        QCOMPARE(cell, " " + clip);
        QVERIFY(messages.Messages().isEmpty());
        QCOMPARE(app->ExitInstance(), 0);
    }

    // One window per user and settings folder. A window killed outright
    // leaves its socket behind and the next one opens all the same; later
    // starts hand it their files and end, also while it converts.
    void laterStartsHandTheirFilesToTheOneWindow() {
        QTemporaryDir media;
        const QString clip = media.filePath("clip.mp4");
        const QString longClip = media.filePath("long.mp4");
        QVERIFY(MakeClip(clip, 2) && MakeClip(longClip, 60));
        FreshHome home;
        home.SetOutputFolder(home.Path("out/"));
        MessageLog messages;
        UrlCatcher urls;
        const QString runtime = QString::fromStdString(RuntimeDirectory());
        const QString socket = WindowChannel(runtime, home.Path("")).SocketPath();
        const auto start = [](const QStringList& files) {
            auto later = std::make_unique<QProcess>();
            later->start(WINDOW_PROGRAM_PATH, files);
            return later;
        };

        auto crashed = start({});
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(socket), 30000);
        crashed->kill();
        QVERIFY(crashed->waitForFinished(10000));
        QVERIFY(QFileInfo::exists(socket));
        auto* app = static_cast<CKivVideoConverterApp*>(qApp);
        QString error;
        QCOMPARE(app->ClaimWindow({}, error), WindowClaim::Claimed);

        auto ran = WhenModal<CKivVideoConverterDlg>([&](CKivVideoConverterDlg* window) {
            auto end = qScopeGuard([window] { window->done(QDialog::Rejected); });
            auto* list = window->findChild<CXListCtrl*>("fileList");
            auto* notice = window->findChild<QLabel*>("waitingFilesNotice");
            QSignalSpy added(window, &CKivVideoConverterDlg::filesAdded);
            auto first = start({longClip});
            QVERIFY(added.wait(60000));
            QTRY_COMPARE_WITH_TIMEOUT(first->state(), QProcess::NotRunning, 30000);
            QCOMPARE(first->exitCode(), 0);
            QCOMPARE(list->CellText(0, 1), " " + longClip);

            // While a batch runs the file waits, and the window says so.
            QSignalSpy ended(window, &CKivVideoConverterDlg::batchEnded);
            window->OnStart();
            auto second = start({clip});
            QTRY_COMPARE_WITH_TIMEOUT(second->state(), QProcess::NotRunning, 30000);
            QCOMPARE(second->exitCode(), 0);
            QVERIFY2(ended.isEmpty(), "the batch ended before the file was handed over");
            QVERIFY(notice->isVisible());
            QCOMPARE(notice->text(), QString("1 file waits for the conversion to end"));
            QCOMPARE(list->RowCount(), 1);
            window->OnStop();
            QVERIFY(ended.wait(60000));
            QTRY_COMPARE_WITH_TIMEOUT(list->RowCount(), 2, 30000);
            QCOMPARE(list->CellText(1, 1), " " + clip);
            QVERIFY(!notice->isVisible());

            // Without files a later start only brings the window forward.
            auto third = start({});
            QTRY_COMPARE_WITH_TIMEOUT(third->state(), QProcess::NotRunning, 30000);
            QCOMPARE(third->exitCode(), 0);
            QCOMPARE(list->RowCount(), 2);

            // Another settings folder (a portable copy, another KIV_HOME)
            // has a window of its own.
            QTemporaryDir elsewhere;
            QVERIFY(WindowChannel(runtime, elsewhere.path()).Claim());
            QVERIFY(!WindowChannel(runtime, home.Path("")).Claim());
        });
        QCOMPARE(app->InitInstance({}), false);
        QVERIFY(*ran);
        QCOMPARE(app->ExitInstance(), 0);
    }

    // The window is found through its settings folder, whatever runtime
    // folder a later start has (one with XDG_RUNTIME_DIR, one without), and
    // it takes only a bounded message: a claimed size past the limit or a
    // foreign header drops the connection before anything more is read.
    void theChannelFindsTheWindowAnyRuntimeFolderAndTakesBoundedMessagesOnly() {
        QTemporaryDir settings, runtimeA, runtimeB;
        WindowChannel window(runtimeA.path(), settings.path());
        QVERIFY(window.Claim());
        QVERIFY(window.Listen());
        QSignalSpy handed(&window, &WindowChannel::filesHanded);

        // A later start with another runtime folder, on a thread of its own:
        // the window serves on this one.
        bool taken = false;
        std::thread later([&] {
            WindowChannel other(runtimeB.path(), settings.path());
            QString error;
            taken = !other.Claim() && other.HandOver({"/a/clip.mp4"}, error);
        });
        QVERIFY(handed.wait(20000));
        later.join();
        QVERIFY(taken);
        QCOMPARE(handed.takeFirst().at(0).toStringList(), QStringList{"/a/clip.mp4"});

        // Sends bytes as a later start would and tells whether the window
        // answered before it hung up.
        const auto answered = [&window](const QByteArray& bytes) {
            std::atomic<bool> done{false};
            bool answer = true;
            std::thread client([&] {
                QLocalSocket socket;
                socket.connectToServer(window.SocketPath());
                if (socket.waitForConnected(10000)) {
                    socket.write(bytes);
                    socket.waitForBytesWritten(10000);
                    socket.waitForReadyRead(WindowChannel::kMessageTimeoutMs + 5000);
                    answer = socket.bytesAvailable() > 0;
                }
                done = true;
            });
            QElapsedTimer clock;
            clock.start();
            while (!done && clock.elapsed() < 30000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            client.join();
            return answer;
        };
        QByteArray tooLarge = WindowChannel::Message({"/a/b.mp4"});
        tooLarge[11] = 0x7f, tooLarge[10] = 0x7f, tooLarge[9] = 0x7f, tooLarge[8] = 0x7f;
        QVERIFY(!answered(tooLarge));
        QByteArray foreign = WindowChannel::Message({"/a/b.mp4"});
        foreign[0] = 'X';
        QVERIFY(!answered(foreign));
        QStringList many;
        for (int i = 0; i < 2000; ++i)
            many << QString(300, QLatin1Char('x'));
        QVERIFY(!answered(WindowChannel::Message(many))); // over the limit by its real size
        QCOMPARE(handed.size(), 0);
        QVERIFY(answered(WindowChannel::Message({"/a/c.mp4"})));
        QCOMPARE(handed.size(), 1);
    }
};

int main(int argc, char** argv) {
    CKivVideoConverterApp application(argc, argv);
    ProgramTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ProgramTest.moc"
