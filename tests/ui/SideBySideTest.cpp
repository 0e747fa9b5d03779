// The window converting while kiv-convert runs with the same data folder:
// each keeps to its own log. The window's file has a double quote in its
// name, which the encoder's command line cannot carry.

#include "MainDlg.h"
#include "QtTestMedia.h"
#include "WindowTestSupport.h"

#include <QComboBox>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

using namespace kiv;
using namespace kiv::test;

class SideBySideTest : public QObject {
    Q_OBJECT

private slots:
    void theWindowKeepsItsLogWhileKivConvertRunsAndConvertsAQuotedName() {
        QTemporaryDir media;
        const QString quoted = media.filePath("say \"hi\".mp4");
        const QString other = media.filePath("cliclip.mp4");
        QVERIFY(MakeClip(quoted, 12) && MakeClip(other, 2));
        FreshHome home;
        home.SetOutputFolder(home.Path("out/"));
        MessageLog messages;
        UrlCatcher urls;
        CKivVideoConverterDlg window;
        window.show();
        window.findChild<QComboBox*>("formatList")->setCurrentIndex(8);
        window.OnFormatPick();
        QSignalSpy added(&window, &CKivVideoConverterDlg::filesAdded);
        window.AddFiles({quoted});
        QVERIFY(added.wait(60000));

        QSignalSpy ended(&window, &CKivVideoConverterDlg::batchEnded);
        window.OnStart();
        QProcess convert;
        convert.start(KIV_CONVERT_PATH,
                      {"--quiet", "--format", "8", "--output-dir", home.Path("cli"), other});
        QTRY_COMPARE_WITH_TIMEOUT(convert.state(), QProcess::NotRunning, 120000);
        QCOMPARE(convert.exitCode(), 0);
        QVERIFY(!ended.isEmpty() || ended.wait(180000));
        QCOMPARE(messages.Messages().size(), 1);
        QVERIFY(messages.Messages()[0].text.startsWith("Encoding Finish!\n1 file converted in "));
        const MediaInspection made =
            Inspect(home.Path("out/say \"hi\"_h263_libfaac.3gp").toStdString());
        QVERIFY(made.opened);
        QVERIFY(qAbs(made.seconds - 12) < 0.5);

        QFile log(home.Path("kiv.dmp"));
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QByteArray records = log.readAll();
        QVERIFY(!records.contains('\0'));
        QVERIFY(!records.contains("cliclip"));
        QVERIFY(records.contains("say \"hi\""));
        QVERIFY(records.startsWith("-i ") || records.contains("\n-i "));
        QFile cliLog(home.Path("kiv-convert.log"));
        QVERIFY(cliLog.open(QIODevice::ReadOnly));
        QVERIFY(cliLog.readAll().contains("cliclip_h263_libfaac.3gp"));
    }
};

QTEST_MAIN(SideBySideTest)
#include "SideBySideTest.moc"
