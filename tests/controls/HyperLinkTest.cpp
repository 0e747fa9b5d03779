// The hyperlink: colours before and after opening, failure messages, fitting,
// and the message helper it reports through.

#include "CHyperLink.h"
#include "MessageBoxes.h"
#include "PixelHelpers.h"

#include <QSignalSpy>
#include <QTemporaryFile>
#include <QTest>

#include <thread>

namespace kiv::test {

namespace {

const QColor kLink(0, 0, 238);
const QColor kVisited(85, 26, 139);
const QColor kHover(255, 0, 0);

struct CapturedMessages {
    QList<ShownMessage> messages;
    MessageSink previous;
    CapturedMessages() {
        previous = SetMessageSink([this](QWidget*, const ShownMessage& m) { messages.append(m); });
    }
    ~CapturedMessages() { SetMessageSink(previous); }
};

int CountColour(CHyperLink& link, const QColor& colour) {
    return CountNear(link.grab().toImage(), link.rect(), colour, 30);
}

} // namespace

class HyperLinkTest : public QObject {
    Q_OBJECT
private slots:
    void errorTexts_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("2") << 2 << "The specified file was not found.";
        QTest::newRow("26") << 26 << "A sharing violation occurred. ";
        QTest::newRow("31") << 31
                            << "There is no application associated\nwith the given filename "
                               "extension.";
        QTest::newRow("unknown") << 99 << "Unknown Error (99) occurred.";
    }
    void errorTexts() {
        QFETCH(int, code);
        QFETCH(QString, text);
        QCOMPARE(HyperlinkErrorText(code), text);
        QCOMPARE(HyperlinkFailureMessage(code), "Unable to open hyperlink:\n\n" + text);
    }

    void targets_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("url");
        QTest::newRow("web") << "https://example.org/faq"
                             << "https://example.org/faq";
        QTest::newRow("mail") << "mailto:a@example.org"
                              << "mailto:a@example.org";
        QTest::newRow("www") << "www.example.org"
                             << "http://www.example.org";
        QTest::newRow("absolute file") << "/tmp/a b.txt"
                                       << "file:///tmp/a b.txt";
    }
    void targets() {
        QFETCH(QString, target);
        QFETCH(QString, url);
        QCOMPARE(HyperlinkUrl(target).toString(), url);
    }

    void fitting_data() {
        QTest::addColumn<int>("alignment");
        QTest::addColumn<QRect>("fitted");
        const QRect current(100, 50, 200, 40);
        QTest::newRow("left top") << int(Qt::AlignLeft | Qt::AlignTop) << QRect(100, 50, 80, 20);
        QTest::newRow("centre") << int(Qt::AlignCenter) << QRect(160, 60, 80, 20);
        QTest::newRow("right") << int(Qt::AlignRight | Qt::AlignTop) << QRect(220, 50, 80, 20);
    }
    void fitting() {
        QFETCH(int, alignment);
        QFETCH(QRect, fitted);
        QCOMPARE(FittedGeometry(QRect(100, 50, 200, 40), {80, 20}, Qt::Alignment(alignment)),
                 fitted);
    }

    void successfulOpenTurnsTheLinkVisited() {
        CapturedMessages captured;
        CHyperLink link(QStringLiteral("Visit the web site"));
        QList<QUrl> opened;
        link.SetUrlOpener([&](const QUrl& url) {
            opened.append(url);
            return true;
        });
        link.SetLinkTarget(QStringLiteral("https://example.org/"));
        link.show();
        QVERIFY(QTest::qWaitForWindowExposed(&link));
        QCOMPARE(link.toolTip(), QString("https://example.org/"));
        QVERIFY(CountColour(link, kLink) > 10);
        QCOMPARE(CountColour(link, kVisited), 0);

        QTest::mouseClick(&link, Qt::LeftButton, {}, link.rect().center());
        QCOMPARE(opened, (QList<QUrl>{QUrl("https://example.org/")}));
        QVERIFY(link.IsVisited());
        QVERIFY(CountColour(link, kVisited) > 10);
        QCOMPARE(CountColour(link, kLink), 0);
        QVERIFY(captured.messages.isEmpty());

        // Visited stays, even after a failed open.
        link.SetUrlOpener([](const QUrl&) { return false; });
        QTest::mouseClick(&link, Qt::LeftButton, {}, link.rect().center());
        QVERIFY(link.IsVisited());
        QCOMPARE(captured.messages.size(), 1);
    }

    void hoverColourAndUnderline() {
        CHyperLink link(QStringLiteral("FAQ"));
        link.SetLinkTarget(QStringLiteral("https://example.org/faq"));
        link.show();
        QVERIFY(QTest::qWaitForWindowExposed(&link));
        QVERIFY(!link.font().underline());
        QTest::mouseMove(&link, QPoint(1, 1));
        QTest::mouseMove(&link, link.rect().center());
        QVERIFY(link.IsHovering());
        QVERIFY(link.font().underline());
        QVERIFY(CountColour(link, kHover) > 5);
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(&link, &leave);
        QVERIFY(!link.IsHovering());
        QVERIFY(!link.font().underline());
        link.SetUnderlineMode(CHyperLink::kUnderlineAlways);
        QVERIFY(link.font().underline());
    }

    void missingFileBeepsAndReportsNotFound() {
        CapturedMessages captured;
        CHyperLink link;
        bool openerCalled = false;
        link.SetUrlOpener([&](const QUrl&) { return openerCalled = true; });
        link.SetLinkTarget(QStringLiteral("/nonexistent/kiv/help.html"));
        QCOMPARE(link.text(), QString("/nonexistent/kiv/help.html")); // empty text shows target
        link.show();
        QVERIFY(QTest::qWaitForWindowExposed(&link));
        QSignalSpy opened(&link, &CHyperLink::opened);
        QTest::mouseClick(&link, Qt::LeftButton, {}, link.rect().center());
        QVERIFY(!openerCalled);
        QVERIFY(!link.IsVisited());
        QCOMPARE(opened.count(), 1);
        QCOMPARE(opened.at(0).at(0).toBool(), false);
        QCOMPARE(captured.messages.size(), 1);
        QCOMPARE(captured.messages[0].title, QString("Warning"));
        QCOMPARE(captured.messages[0].icon, MessageIcon::Warning);
        QCOMPARE(captured.messages[0].text,
                 QString("Unable to open hyperlink:\n\nThe specified file was not found."));
    }

    void unopenableTargetReportsNoAssociation() {
        CapturedMessages captured;
        QTemporaryFile file;
        QVERIFY(file.open());
        CHyperLink link(QStringLiteral("notes"));
        link.SetUrlOpener([](const QUrl&) { return false; });
        link.SetLinkTarget(file.fileName()); // exists, but nothing opens it
        link.show();
        QVERIFY(QTest::qWaitForWindowExposed(&link));
        QTest::mouseClick(&link, Qt::LeftButton, {}, link.rect().center());
        QCOMPARE(captured.messages.size(), 1);
        QCOMPARE(captured.messages[0].text,
                 QString("Unable to open hyperlink:\n\nThere is no application associated\nwith "
                         "the given filename extension."));
        QVERIFY(CountColour(link, kLink) > 5);
    }

    void messagesFromAWorkerReachTheSinkOnTheGuiThread() {
        CapturedMessages captured;
        QThread* sinkThread = nullptr;
        SetMessageSink([&](QWidget*, const ShownMessage& m) {
            sinkThread = QThread::currentThread();
            captured.messages.append(m);
        });
        std::thread worker([] {
            ShowMessage(nullptr, QStringLiteral("Error"), QStringLiteral("x not exist!"),
                        MessageIcon::NoIcon);
        });
        QTRY_COMPARE(captured.messages.size(), 1);
        worker.join();
        QCOMPARE(sinkThread, QThread::currentThread());
        QCOMPARE(captured.messages[0].title, QString("Error"));
        QCOMPARE(captured.messages[0].icon, MessageIcon::NoIcon);
    }
};

} // namespace kiv::test

QTEST_MAIN(kiv::test::HyperLinkTest)
#include "HyperLinkTest.moc"
