// The range slider: its arithmetic as tables, then the widget with keys, drags
// and painting.

#include "CRangeSlider.h"
#include "DarkPalette.h"
#include "PixelHelpers.h"

#include <QSignalSpy>
#include <QTest>

Q_DECLARE_METATYPE(kiv::RangeValues)

namespace kiv::test {

namespace {

QList<int> Codes(const QSignalSpy& spy) {
    QList<int> out;
    for (const QList<QVariant>& args : spy) {
        out.append(args.at(0).toInt());
    }
    return out;
}

RangeValues Selection(const CRangeSlider& s) {
    RangeValues v{s.Minimum(), s.Maximum(), 0, 0};
    s.GetSelection(v.left, v.right);
    return v;
}

} // namespace

class RangeSliderTest : public QObject {
    Q_OBJECT
private slots:
    void valueToPixel_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::addColumn<int>("pixel");
        QTest::newRow("start") << 0.0 << 0.0 << 100.0 << 0;
        QTest::newRow("end") << 100.0 << 0.0 << 100.0 << 200;
        QTest::newRow("rounds half up") << 10.25 << 0.0 << 100.0 << 21;
        QTest::newRow("offset bounds") << 15.0 << 10.0 << 20.0 << 100;
        QTest::newRow("equal bounds") << 5.0 << 5.0 << 5.0 << 0;
    }
    void valueToPixel() {
        QFETCH(double, value);
        QFETCH(double, min);
        QFETCH(double, max);
        QFETCH(int, pixel);
        QCOMPARE(kiv::ValueToPixel(value, min, max, 200), pixel);
    }

    void geometryAndHitTests() {
        // 230 x 20: arrow width 15, track 200; selection (25, 75) of (0, 100).
        const SliderGeometry g = ComputeSliderGeometry({230, 20}, {0, 100, 25, 75});
        QCOMPARE(g.arrowWidth, 15);
        QCOMPARE(g.trackLength, 200);
        QCOMPARE(g.leftOuter, (EdgeRect{50, 0, 65, 20}));
        QCOMPARE(g.leftThumb, (EdgeRect{51, 1, 63, 18}));
        QCOMPARE(g.rightOuter, (EdgeRect{165, 0, 180, 20}));
        QCOMPARE(g.rightThumb, (EdgeRect{166, 1, 178, 18}));
        QCOMPARE(g.band, (EdgeRect{66, 1, 165, 19}));
        QCOMPARE(g.bandHit, (EdgeRect{64, 0, 165, 20}));
        QCOMPARE(g.focus, (EdgeRect{69, 4, 162, 16}));
        QCOMPARE(g.leftArrow[0], QPoint(55, 6));
        QCOMPARE(g.leftArrow[2], QPoint(60, 10));
        QCOMPARE(g.rightArrow[0], QPoint(175, 6));
        QCOMPARE(g.rightArrow[2], QPoint(170, 10));

        QCOMPARE(HitTest(g, {51, 1}), LeftThumb);
        QCOMPARE(HitTest(g, {63, 5}), NoPart); // the edge between thumb and band
        QCOMPARE(HitTest(g, {64, 0}), Band);
        QCOMPARE(HitTest(g, {120, 19}), Band);
        QCOMPARE(HitTest(g, {177, 17}), RightThumb);
        QCOMPARE(HitTest(g, {20, 10}), NoPart);
        QCOMPARE(HitTest(g, {200, 10}), NoPart);
    }

    void clamping_data() {
        QTest::addColumn<RangeValues>("before");
        QTest::addColumn<RangeValues>("after");
        QTest::addColumn<QList<int>>("notices");
        QTest::newRow("both out") << RangeValues{0, 10, -5, 20} << RangeValues{0, 10, 0, 10}
                                  << QList<int>{0, 1};
        QTest::newRow("reversed pair kept")
            << RangeValues{0, 10, 8, 3} << RangeValues{0, 10, 8, 3} << QList<int>{};
        QTest::newRow("both below")
            << RangeValues{0, 10, -5, -3} << RangeValues{0, 10, 0, 0} << QList<int>{0, 1};
        QTest::newRow("both above")
            << RangeValues{0, 10, 12, 11} << RangeValues{0, 10, 10, 10} << QList<int>{1, 0};
        QTest::newRow("inside") << RangeValues{0, 10, 2, 4} << RangeValues{0, 10, 2, 4}
                                << QList<int>{};
    }
    void clamping() {
        QFETCH(RangeValues, before);
        QFETCH(RangeValues, after);
        QFETCH(QList<int>, notices);
        const std::vector<int> got = ClampSelection(before);
        QCOMPARE(before, after);
        QCOMPARE(QList<int>(got.begin(), got.end()), notices);
    }

    void drags() {
        const RangeValues v{0, 10, 2, 5};
        // A = 15, track 200: the band's centre pixel p maps to min + (p - A) / 200 * 10.
        auto u = DragTo(v, Band, -500, 15, 200);
        QCOMPARE(u->values, (RangeValues{0, 10, 0, 3}));
        QCOMPARE(u->code, 2);
        u = DragTo(v, Band, 900, 15, 200);
        QCOMPARE(u->values, (RangeValues{0, 10, 7, 10}));
        u = DragTo(v, LeftThumb, 7 + 60, 15, 200); // p - A/2 = 60 -> 3.0
        QCOMPARE(u->values.left, 3.0);
        QCOMPARE(u->code, 0);
        u = DragTo(v, LeftThumb, 7 + 180, 15, 200); // past the right end stops there
        QCOMPARE(u->values.left, 5.0);
        u = DragTo(v, RightThumb, 22 + 160, 15, 200); // p - 3A/2 = 160 -> 8.0
        QCOMPARE(u->values.right, 8.0);
        QCOMPARE(u->code, 1);
        u = DragTo(v, RightThumb, 22 + 100, 15, 200); // unchanged right: code 0
        QCOMPARE(u->values.right, 5.0);
        QCOMPARE(u->code, 0);
        u = DragTo(v, RightThumb, 0, 15, 200); // not below the left end
        QCOMPARE(u->values.right, 2.0);
        QVERIFY(!DragTo({5, 5, 5, 5}, Band, 40, 15, 200));
        QVERIFY(!DragTo(v, Band, 40, 15, 0));
    }

    void arrowKeys_data() {
        QTest::addColumn<RangeValues>("before");
        QTest::addColumn<bool>("right");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<RangeValues>("after");
        QTest::addColumn<int>("code");
        // Bounds (0, 100) over a 200-pixel track: one pixel is 0.5.
        QTest::newRow("right") << RangeValues{0, 100, 10, 20} << true << false
                               << RangeValues{0, 100, 10.5, 20.5} << 2;
        QTest::newRow("shift right")
            << RangeValues{0, 100, 10, 20} << true << true << RangeValues{0, 100, 10, 20.5} << 0;
        QTest::newRow("shift left stops at left")
            << RangeValues{0, 100, 10, 10} << false << true << RangeValues{0, 100, 10, 10} << 0;
        QTest::newRow("left") << RangeValues{0, 100, 10, 20} << false << false
                              << RangeValues{0, 100, 9.5, 19.5} << 2;
        QTest::newRow("at the right end")
            << RangeValues{0, 100, 50, 100} << true << false << RangeValues{0, 100, 50, 100} << 2;
        QTest::newRow("at the left end")
            << RangeValues{0, 100, 0, 10} << false << false << RangeValues{0, 100, 0, 10} << 2;
    }
    void arrowKeys() {
        QFETCH(RangeValues, before);
        QFETCH(bool, right);
        QFETCH(bool, shift);
        QFETCH(RangeValues, after);
        QFETCH(int, code);
        const auto u = ArrowKey(before, 200, right, shift, false);
        QVERIFY(u);
        QCOMPARE(u->values, after);
        QCOMPARE(u->code, code);
        QVERIFY(!ArrowKey(before, 200, right, shift, true)); // Ctrl: nothing
    }

    void newSliderAndSetters() {
        CRangeSlider s;
        QCOMPARE(Selection(s), (RangeValues{0, 1, 0, 1}));
        QSignalSpy spy(&s, &CRangeSlider::rangeChanged);
        s.SetBounds(10, 2);
        QCOMPARE(s.Minimum(), 2.0);
        QCOMPARE(s.Maximum(), 10.0);
        QCOMPARE(Codes(spy), (QList<int>{0, 1})); // (0, 1) clamped into (2, 10)
        spy.clear();
        s.SetBounds(0, 10);
        s.SetSelection(-5, 20);
        QCOMPARE(Selection(s), (RangeValues{0, 10, 0, 10}));
        QCOMPARE(Codes(spy), (QList<int>{0, 1}));
        spy.clear();
        s.SetSelection(8, 3);
        QCOMPARE(Selection(s), (RangeValues{0, 10, 8, 3}));
        QVERIFY(spy.isEmpty());
    }

    void keysOnTheWidget() {
        CRangeSlider s;
        s.resize(230, 20); // track of 200 pixels
        s.SetBounds(0, 100);
        s.SetSelection(10, 20);
        s.show();
        QVERIFY(QTest::qWaitForWindowExposed(&s));
        QSignalSpy spy(&s, &CRangeSlider::rangeChanged);
        QTest::keyClick(&s, Qt::Key_Right);
        QCOMPARE(Selection(s), (RangeValues{0, 100, 10.5, 20.5}));
        QTest::keyClick(&s, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(Selection(s), (RangeValues{0, 100, 10.5, 21}));
        QTest::keyClick(&s, Qt::Key_Left, Qt::ControlModifier);
        QTest::keyClick(&s, Qt::Key_Up);
        QCOMPARE(Selection(s), (RangeValues{0, 100, 10.5, 21}));
        QCOMPARE(Codes(spy), (QList<int>{2, 0}));
    }

    void draggingTheBandAgainstTheLeftEnd() {
        CRangeSlider s;
        s.resize(230, 20);
        s.SetBounds(0, 10);
        s.SetSelection(2, 5);
        s.show();
        QVERIFY(QTest::qWaitForWindowExposed(&s));
        QSignalSpy spy(&s, &CRangeSlider::rangeChanged);
        const EdgeRect band = s.GeometryNow().bandHit;
        const QPoint grab(band.CentreX() + 4, 10);
        QTest::mousePress(&s, Qt::LeftButton, {}, grab);
        QVERIFY(s.IsDragging());
        QVERIFY(s.hasFocus());
        QTest::mouseMove(&s, QPoint(-300, 10));
        QTest::mouseRelease(&s, Qt::LeftButton, {}, QPoint(-300, 10));
        QVERIFY(!s.IsDragging());
        QCOMPARE(Selection(s), (RangeValues{0, 10, 0, 3}));
        QCOMPARE(Codes(spy), (QList<int>{2}));
        // A press outside every part starts nothing.
        QTest::mousePress(&s, Qt::LeftButton, {}, QPoint(225, 10));
        QVERIFY(!s.IsDragging());
        QTest::mouseRelease(&s, Qt::LeftButton, {}, QPoint(225, 10));
    }

    void paintsThumbsBandAndFocus_data() {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light palette") << false;
        QTest::newRow("dark palette") << true;
    }
    // In a light palette black lines and ends on grey thumbs and a white
    // band; in a dark one the palette's light ink, so the ends stand out.
    void paintsThumbsBandAndFocus() {
        QFETCH(bool, dark);
        CRangeSlider s;
        if (dark)
            s.setPalette(test::DarkPaletteWithLightLinks(s.palette()));
        s.resize(230, 20);
        s.SetBounds(0, 100);
        s.SetSelection(25, 75);
        const QImage image = s.grab().toImage();
        const SliderGeometry g = s.GeometryNow();
        const QColor face = s.palette().color(QPalette::Active, QPalette::Button);
        const QColor ink = dark ? QColor(238, 238, 238) : QColor(Qt::black);
        const QColor band = dark ? QColor(42, 42, 42) : QColor(Qt::white);
        QCOMPARE(At(image, 0, 10), ink.rgb());                    // outline
        QCOMPARE(At(image, 20, 10), QColor(128, 128, 128).rgb()); // background
        QCOMPARE(At(image, g.leftOuter.left, 10), ink.rgb());
        QCOMPARE(At(image, g.leftOuter.left + 2, 3), face.rgb());
        QCOMPARE(At(image, g.leftArrow[0].x() + 1, 10), ink.rgb());
        QCOMPARE(At(image, 120, 10), band.rgb());
        QCOMPARE(At(image, g.rightOuter.right - 1, 10), ink.rgb());
        QCOMPARE(At(image, 200, 10), QColor(128, 128, 128).rgb());
        QVERIFY(std::abs(ink.lightness() - face.lightness()) > 100);
    }

    void equalBoundsKeepThumbsLeftAndIgnoreInput() {
        CRangeSlider s;
        s.resize(230, 20);
        s.SetBounds(5, 5);
        s.show();
        QVERIFY(QTest::qWaitForWindowExposed(&s));
        QCOMPARE(Selection(s), (RangeValues{5, 5, 5, 5}));
        const SliderGeometry g = s.GeometryNow();
        QCOMPARE(g.leftOuter.left, 0);
        QCOMPARE(g.rightOuter.left, g.arrowWidth);
        QSignalSpy spy(&s, &CRangeSlider::rangeChanged);
        QTest::keyClick(&s, Qt::Key_Right);
        QTest::mousePress(&s, Qt::LeftButton, {}, QPoint(5, 10));
        QTest::mouseMove(&s, QPoint(100, 10));
        QTest::mouseRelease(&s, Qt::LeftButton, {}, QPoint(100, 10));
        QVERIFY(spy.isEmpty());
        QCOMPARE(Selection(s), (RangeValues{5, 5, 5, 5}));
        QVERIFY(!s.grab().isNull());
    }
};

} // namespace kiv::test

QTEST_MAIN(kiv::test::RangeSliderTest)
#include "RangeSliderTest.moc"
