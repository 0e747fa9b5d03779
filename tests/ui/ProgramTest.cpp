// The window program as a whole: its command line, the skin, start-up with
// files named on the command line, and the real executable's --help and
// --version. Runs inside the program's own application object.

#include "CXListCtrl.h"
#include "KivVideoConverterApp.h"
#include "MainDlg.h"
#include "ProgramArguments.h"
#include "QtTestMedia.h"
#include "WindowTestSupport.h"

#include <QProcess>
#include <QtTest>

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

    void aSkinFileIsAppliedAsAStyleSheet() {
        QTemporaryDir folder;
        const QString directory = folder.path() + "/";
        QVERIFY(!ApplySkin(*qApp, directory));
        QCOMPARE(qApp->styleSheet(), QString());
        QFile skin(directory + "LightBlue.smf");
        QVERIFY(skin.open(QIODevice::WriteOnly));
        skin.write("QDialog { background: #dbeafe; }\n");
        skin.close();
        QVERIFY(ApplySkin(*qApp, directory));
        QCOMPARE(qApp->styleSheet(), QString("QDialog { background: #dbeafe; }\n"));
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
        // Once the window runs and has read the file, look and leave with Escape.
        auto ran = WhenModal<CKivVideoConverterDlg>([&](CKivVideoConverterDlg* window) {
            auto* list = window->findChild<CXListCtrl*>("fileList");
            const auto look = [&rows, &cell, list] {
                rows = list->RowCount();
                cell = list->CellText(0, 1);
                QTest::keyClick(list, Qt::Key_Escape);
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
};

int main(int argc, char** argv) {
    CKivVideoConverterApp application(argc, argv);
    ProgramTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ProgramTest.moc"
