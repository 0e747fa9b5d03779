// The hyperlink: colours before and after opening, failure messages, fitting,
// and the message helper it reports through.

#include "CHyperLink.h"
#include "MessageBoxes.h"
#include "PaintHelpers.h"
#include "PixelHelpers.h"

#include <QSignalSpy>
#include <QTemporaryFile>
#include <QTest>

namespace kiv::test {

namespace {

const QColor kLink(0, 0, 238);
const QColor kVisited(85, 26, 139);
const QColor kHover(255, 0, 0);

// The light palette the link colours were chosen for.
void UseLinkColours(CHyperLink& link) {
    QPalette palette = link.palette();
    palette.setColor(QPalette::Button, QColor(240, 240, 240));
    palette.setColor(QPalette::Link, kLink);
    palette.setColor(QPalette::LinkVisited, kVisited);
    link.setPalette(palette);
}

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
        UseLinkColours(link);
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
        UseLinkColours(link);
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
        UseLinkColours(link);
        link.show();
        QVERIFY(QTest::qWaitForWindowExposed(&link));
        QTest::mouseClick(&link, Qt::LeftButton, {}, link.rect().center());
        // Says where it is, to open by hand.
        QCOMPARE(captured.messages.size(), 1);
        QCOMPARE(captured.messages[0].text,
                 "Unable to open hyperlink:\n\nThe desktop has no program to open this. Please "
                 "open it by hand:\n" +
                     file.fileName());
        QVERIFY(CountColour(link, kLink) > 5);
    }

    void keysOpenTheLinkAndItsFocusShows() {
        QWidget window;
        auto* before = new CHyperLink(QStringLiteral("before"), &window);
        auto* link = new CHyperLink(QStringLiteral("FAQ"), &window);
        link->move(0, 30);
        int opened = 0;
        link->SetUrlOpener([&opened](const QUrl&) { return ++opened > 0; });
        link->SetLinkTarget(QStringLiteral("https://example.org/faq"));
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        before->setFocus();
        const QImage unfocused = link->grab().toImage();
        QTest::keyClick(before, Qt::Key_Tab);
        QVERIFY(link->hasFocus());
        QVERIFY(link->grab().toImage() != unfocused);
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space})
            QTest::keyClick(link, key);
        QCOMPARE(opened, 3);
    }

    void linkColoursReadOnEveryPalette_data() {
        QTest::addColumn<QColor>("face");
        QTest::addColumn<QColor>("link");
        QTest::addColumn<bool>("kept");
        QTest::newRow("light") << QColor(240, 240, 240) << kLink << true;
        QTest::newRow("dark, its own links") << QColor(53, 53, 53) << QColor(42, 130, 218) << true;
        QTest::newRow("dark, the light one's blue") << QColor(53, 53, 53) << kLink << false;
    }

    void linkColoursReadOnEveryPalette() {
        QFETCH(QColor, face);
        QFETCH(QColor, link);
        QFETCH(bool, kept);
        CHyperLink l(QStringLiteral("Online FAQ"));
        QPalette palette = l.palette();
        palette.setColor(QPalette::Button, face);
        palette.setColor(QPalette::Link, link);
        l.setPalette(palette);
        const QColor shown = l.CurrentColour();
        QCOMPARE(shown == link, kept);
        // Far enough from the face in lightness to read.
        QVERIFY(std::abs(shown.lightness() - face.lightness()) > 60);
        QCOMPARE(ReadableColour(shown, face), shown);
    }
};

} // namespace kiv::test

QTEST_MAIN(kiv::test::HyperLinkTest)
#include "HyperLinkTest.moc"
