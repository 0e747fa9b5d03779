// The image button: images per state, hover, disabled drawing, layout table.

#include "ButtonLayout.h"
#include "CButtonST.h"
#include "PixelHelpers.h"

#include <QTest>

namespace kiv::test {

namespace {

const QColor kParent(0, 160, 0);

// A solid image with a black 5 x 5 block in its top-left corner.
QImage KeyedImage(QSize size, const QColor& colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 5; ++x) {
            image.setPixel(x, y, qRgb(0, 0, 0));
        }
    }
    return image;
}

QPixmap Solid(QSize size, const QColor& colour) {
    QPixmap pm(size);
    pm.fill(colour);
    return pm;
}

struct Window {
    QWidget parent;
    CButtonST* button;
    CButtonST* next;
    Window() {
        parent.resize(120, 60);
        parent.setAutoFillBackground(true);
        QPalette pal = parent.palette();
        pal.setColor(QPalette::Window, kParent);
        parent.setPalette(pal);
        button = new CButtonST(&parent);
        button->setGeometry(10, 10, 40, 30);
        next = new CButtonST(&parent);
        next->setGeometry(60, 10, 40, 30);
    }
    QImage Shot() { return parent.grab().toImage(); }
    // Moves the pointer over the target from a free corner of the window (the
    // pointer may already rest where an earlier window had its button).
    void Hover(QWidget* target) {
        QTest::mouseMove(&parent, QPoint(115, 55));
        QTest::mouseMove(target, QPoint(20, 15));
    }
    void Show() {
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
    }
};

} // namespace

class ButtonTest : public QObject {
    Q_OBJECT
private slots:
    void layout_data() {
        QTest::addColumn<bool>("caption");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<QPoint>("image");
        QTest::addColumn<QRect>("captionRect");
        // Button 60 x 40, image 16 x 16, imageOrigin (3, 3).
        QTest::newRow("0 centred") << false << 0 << QPoint(22, 12) << QRect(0, 0, 60, 40);
        QTest::newRow("1 centred") << false << 1 << QPoint(22, 12) << QRect(0, 0, 60, 40);
        QTest::newRow("2 top") << false << 2 << QPoint(22, 0) << QRect(0, 0, 60, 40);
        QTest::newRow("3 corner") << false << 3 << QPoint(0, 0) << QRect(0, 0, 60, 40);
        QTest::newRow("0 caption right") << true << 0 << QPoint(3, 12) << QRect(19, 0, 41, 40);
        QTest::newRow("1 caption below") << true << 1 << QPoint(22, 3) << QRect(0, 19, 60, 21);
        QTest::newRow("2 caption left") << true << 2 << QPoint(41, 12) << QRect(0, 0, 41, 40);
        QTest::newRow("3 under caption") << true << 3 << QPoint(0, 0) << QRect(0, 0, 60, 40);
    }
    void layout() {
        QFETCH(bool, caption);
        QFETCH(int, alignment);
        QFETCH(QPoint, image);
        QFETCH(QRect, captionRect);
        const ButtonLayout l = ComputeButtonLayout({60, 40}, {16, 16}, caption, alignment, {3, 3});
        QCOMPARE(l.image, image);
        QCOMPARE(l.caption, captionRect);
    }

    void keyColourBecomesTransparent() {
        const QImage out = KeyColourTransparent(KeyedImage({8, 8}, Qt::red), Qt::black);
        QCOMPARE(qAlpha(out.pixel(2, 2)), 0);
        QCOMPARE(out.pixel(6, 6), qRgb(255, 0, 0));
    }

    void bitmapButtonDrawsOnlyTheBitmapOfItsState() {
        Window w;
        QCOMPARE(w.button->SetBitmapImages(KeyedImage({40, 30}, Qt::blue), Qt::black,
                                           KeyedImage({40, 30}, Qt::red), Qt::black,
                                           KeyedImage({40, 30}, Qt::yellow), Qt::black),
                 0);
        QCOMPARE(w.button->PressedOffset(), QPoint(0, 0));
        w.Show();
        QImage image = w.Shot();
        QCOMPARE(At(image, 12, 12), kParent.rgb());         // key colour: the parent shows
        QCOMPARE(At(image, 10, 25), QColor(Qt::red).rgb()); // no edge
        QCOMPARE(At(image, 30, 25), QColor(Qt::red).rgb());

        w.Hover(w.button);
        QVERIFY(w.button->IsHovering());
        image = w.Shot();
        QCOMPARE(At(image, 30, 25), QColor(Qt::blue).rgb());
        QCOMPARE(At(image, 12, 12), kParent.rgb());

        w.button->setDown(true);
        image = w.Shot();
        QCOMPARE(At(image, 30, 25), QColor(Qt::yellow).rgb());
        QCOMPARE(At(image, 11, 11), kParent.rgb()); // drawn at the corner, not shifted
        w.button->setDown(false);

        // Disabled: the out bitmap as an opaque block.
        w.button->setEnabled(false);
        QVERIFY(!w.button->IsHovering());
        image = w.Shot();
        QCOMPARE(At(image, 30, 25), QColor(Qt::red).rgb());
        QCOMPARE(At(image, 12, 12), QColor(Qt::black).rgb());
    }

    void iconsFollowTheHover() {
        Window w;
        QCOMPARE(w.button->SetIconImages(Solid({16, 16}, Qt::blue), Solid({16, 16}, Qt::red)), 0);
        QCOMPARE(w.next->SetIconImages(Solid({16, 16}, Qt::blue), QPixmap()), 0);
        QCOMPARE(w.button->PressedOffset(), QPoint(1, 1));
        w.Show();
        // Centred in 40 x 30: the image covers (22..37, 17..32) in the parent.
        QImage image = w.Shot();
        QCOMPARE(At(image, 30, 25), QColor(Qt::red).rgb());
        QCOMPARE(At(image, 80, 25), QColor(Qt::blue).rgb()); // only an in icon: always shown
        w.Hover(w.button);
        image = w.Shot();
        QCOMPARE(At(image, 30, 25), QColor(Qt::blue).rgb());
        QTest::mouseMove(w.next, QPoint(20, 15));
        QVERIFY(!w.button->IsHovering());
        image = w.Shot();
        QCOMPARE(At(image, 30, 25), QColor(Qt::red).rgb());
        QCOMPARE(At(image, 80, 25), QColor(Qt::blue).rgb());
    }

    void captionTakesTheColourOfTheState() {
        Window w;
        w.button->setText(QStringLiteral("Go"));
        w.button->SetStateColours(CButtonST::Out, Qt::white, Qt::blue);
        w.button->SetStateColours(CButtonST::In, Qt::white, Qt::red);
        w.button->SetStateColours(CButtonST::Focus, Qt::white, Qt::blue);
        w.Show();
        const QRect area(10, 10, 40, 30);
        QImage image = w.Shot();
        QVERIFY(CountNear(image, area, Qt::blue, 100) > 3);
        QCOMPARE(CountNear(image, area, Qt::red, 100), 0);
        w.Hover(w.button);
        image = w.Shot();
        QVERIFY(CountNear(image, area, Qt::red, 100) > 3);
        QCOMPARE(CountNear(image, area, Qt::blue, 100), 0);
    }

    void disabledLitButtonStopsAndHandsFocusOn() {
        Window w;
        w.Show();
        w.parent.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.parent));
        w.button->setFocus();
        w.Hover(w.button);
        QVERIFY(w.button->IsHovering());
        QVERIFY(w.button->hasFocus());
        w.button->setEnabled(false);
        QVERIFY(!w.button->IsHovering());
        QVERIFY(w.next->hasFocus());
    }

    void everyKindOfImageButtonShowsTheFocus() {
        // A bitmap tool button, an icon button and one as small as the
        // Split dialog's, each reached with Tab.
        const struct {
            const char* kind;
            QSize size;
            bool bitmaps;
        } kinds[] = {
            {"bitmaps", {40, 30}, true}, {"icons", {40, 30}, false}, {"small", {15, 16}, false}};
        for (const auto& k : kinds) {
            Window w;
            w.button->resize(k.size);
            if (k.bitmaps) {
                const QImage image = KeyedImage(k.size, Qt::blue);
                w.button->SetBitmapImages(image, Qt::black, image, Qt::black, image, Qt::black);
            } else {
                w.button->SetIconImages(Solid(k.size / 2, Qt::blue), QPixmap());
                w.button->SetTransparentBackground(true);
            }
            w.Show();
            w.parent.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&w.parent));
            w.next->setFocus();
            const QImage unfocused = w.button->grab().toImage();
            QTest::keyClick(w.next, Qt::Key_Backtab, Qt::ShiftModifier);
            QVERIFY2(w.button->hasFocus(), k.kind);
            QVERIFY2(w.button->grab().toImage() != unfocused, k.kind);
        }
    }

    void refusedArgumentsAndMissingImages() {
        CButtonST b;
        QCOMPARE(b.SetImageAlignment(2), 0);
        QCOMPARE(b.SetImageAlignment(4), 4);
        QCOMPARE(b.SetImageAlignment(-1), 4);
        QCOMPARE(b.ImageAlignment(), 2);
        QCOMPARE(b.SetBitmapImages(QStringLiteral("/nonexistent/in.bmp"), Qt::black, QString(),
                                   Qt::black, QString(), Qt::black),
                 1);
        QCOMPARE(b.SetIconImages(QStringLiteral("/nonexistent/in.png"), QString()), 1);
        QCOMPARE(b.PressedOffset(), QPoint(1, 1)); // unchanged by failures
        b.SetTooltip(QStringLiteral("Play"), false);
        QVERIFY(b.toolTip().isEmpty());
        b.SetTooltip(QStringLiteral("Play"), true);
        QCOMPARE(b.toolTip(), QString("Play"));
        b.SetTransparentBackground(true);
        QVERIFY(b.IsTransparent());
    }
};

} // namespace kiv::test

QTEST_MAIN(kiv::test::ButtonTest)
#include "ButtonTest.moc"
