// Cell geometry and colour rules of the list control, without a window.

#include "ListGeometry.h"

#include <QTest>

Q_DECLARE_METATYPE(kiv::EdgeRect)

namespace kiv::test {

class ListGeometryTest : public QObject {
    Q_OBJECT
private slots:
    void checkBox_data() {
        QTest::addColumn<EdgeRect>("cell");
        QTest::addColumn<bool>("hasText");
        QTest::addColumn<EdgeRect>("box");
        // Side bottom - 1 - top; left + 9 with text, centred without.
        QTest::newRow("text") << EdgeRect{0, 0, 100, 17} << true << EdgeRect{9, 0, 25, 16};
        QTest::newRow("centred") << EdgeRect{0, 0, 100, 17} << false << EdgeRect{41, 0, 57, 16};
        QTest::newRow("offset cell")
            << EdgeRect{40, 34, 140, 51} << false << EdgeRect{81, 34, 97, 50};
        QTest::newRow("odd width") << EdgeRect{0, 0, 61, 21} << false << EdgeRect{19, 0, 39, 20};
    }
    void checkBox() {
        QFETCH(EdgeRect, cell);
        QFETCH(bool, hasText);
        QFETCH(EdgeRect, box);
        QCOMPARE(CheckBoxRect(cell, hasText), box);
    }

    void tickIsSevenThreePixelStrokes() {
        const auto strokes = TickStrokes(EdgeRect{10, 20, 26, 36});
        const int expected[7][2] = {{19, 23}, {18, 24}, {17, 25}, {16, 26},
                                    {15, 27}, {14, 26}, {13, 25}};
        for (int i = 0; i < 7; ++i) {
            QCOMPARE(strokes[i], (EdgeRect{expected[i][0], expected[i][1], expected[i][0] + 1,
                                           expected[i][1] + 3}));
        }
    }

    void progressBar_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("barWidth");
        QTest::newRow("0 %") << 100 << 0 << 0;
        QTest::newRow("negative") << 100 << -5 << 0;
        QTest::newRow("1 % of 100 px rounds to nothing") << 100 << 1 << 0;
        QTest::newRow("1 % of 200 px") << 200 << 1 << 1;
        QTest::newRow("50 %") << 100 << 50 << 47;
        QTest::newRow("100 %") << 100 << 100 << 95;
    }
    void progressBar() {
        QFETCH(int, width);
        QFETCH(int, percent);
        QFETCH(int, barWidth);
        const ProgressGeometry g =
            ComputeProgressGeometry(EdgeRect{10, 5, 10 + width, 22}, percent);
        QCOMPARE(g.bar.Width(), barWidth);
        QCOMPARE(g.bar.left, 13);
        QCOMPARE(g.barEnd, 13 + barWidth);
        QCOMPARE(g.beside.left, g.barEnd + 1);
    }

    void progressFrameAndText() {
        // L = 11, T = 5, R = 108, B = 21 after the adjustments.
        const ProgressGeometry g = ComputeProgressGeometry(EdgeRect{10, 5, 110, 22}, 50);
        QCOMPARE(g.frame[0], (EdgeRect{11, 21, 109, 22}));
        QCOMPARE(g.frame[1], (EdgeRect{11, 5, 108, 6}));
        QCOMPARE(g.frame[2], (EdgeRect{11, 5, 12, 21}));
        QCOMPARE(g.frame[3], (EdgeRect{108, 5, 109, 21}));
        QCOMPARE(g.fill, (EdgeRect{12, 6, 108, 21}));
        QCOMPARE(g.inner[0], (EdgeRect{12, 6, 108, 7}));
        QCOMPARE(g.inner[1], (EdgeRect{12, 6, 13, 21}));
        QCOMPARE(g.bar, (EdgeRect{13, 7, 60, 21}));
        QCOMPARE(g.text, (EdgeRect{12, 7, 107, 20}));
        QCOMPARE(g.beside, (EdgeRect{61, 7, 108, 21}));
    }

    void progressText_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<int>("percent");
        QTest::addColumn<QString>("text");
        QTest::newRow("default") << "" << 42 << "42%";
        QTest::newRow("custom") << "Done %d of 100" << 7 << "Done 7 of 100";
        QTest::newRow("literal percent") << "%d%% (%%)" << 5 << "5% (%)";
        QTest::newRow("unknown conversion kept") << "%s %d" << 3 << "%s 3";
        QTest::newRow("trailing percent") << "%d %" << 9 << "9 %";
    }
    void progressText() {
        QFETCH(QString, format);
        QFETCH(int, percent);
        QFETCH(QString, text);
        QCOMPARE(FormatProgressText(format, percent), text);
    }

    void comboParts() {
        const EdgeRect cell{100, 40, 200, 58}; // 18 pixels high
        QCOMPARE(ComboButtonRect(cell), (EdgeRect{184, 42, 198, 56}));
        QCOMPARE(ComboDropDownRect(cell, 10), (EdgeRect{100, 57, 199, 217}));
        const auto arrow = ComboArrowLines(ComboButtonRect(cell), false);
        QCOMPARE(arrow[0].Width(), 5);
        QCOMPARE(arrow[1].Width(), 3);
        QCOMPARE(arrow[2].Width(), 1);
        QCOMPARE(ComboArrowLines(ComboButtonRect(cell), true)[0].left, arrow[0].left + 1);
    }

    void tipIsCutTo80() {
        QCOMPARE(CutTipText(QString(100, u'x')).size(), 80);
        QCOMPARE(CutTipText("short"), QString("short"));
    }

    void selectionColours() {
        SystemColours sc;
        sc.window = Qt::white;
        sc.windowText = Qt::black;
        sc.highlight = Qt::blue;
        sc.highlightText = Qt::yellow;
        sc.buttonFace = Qt::lightGray;
        sc.greyText = Qt::gray;
        ListCell cell;
        cell.backColour = Qt::cyan;
        cell.textColour = Qt::red;

        const auto colours = [&](const ListCell* c, bool enabled, int column, bool selected,
                                 bool fullRow, bool focus, bool always) {
            return ComputeCellColours(c, enabled, column, {selected, fullRow, focus, always}, sc);
        };
        auto c = colours(&cell, true, 1, false, true, true, false);
        QCOMPARE(c.back, QColor(Qt::cyan));
        QCOMPARE(c.text, QColor(Qt::red));
        c = colours(&cell, false, 1, false, true, true, false);
        QCOMPARE(c.text, QColor(Qt::gray));
        c = colours(&cell, true, 2, true, true, true, false);
        QCOMPARE(c.back, QColor(Qt::blue));
        QCOMPARE(c.text, QColor(Qt::yellow));
        // Without full-row selection only column 0 shows the selection.
        c = colours(&cell, true, 2, true, false, true, false);
        QCOMPARE(c.back, QColor(Qt::cyan));
        c = colours(&cell, true, 0, true, false, true, false);
        QCOMPARE(c.back, QColor(Qt::blue));
        // Without focus: button face when the selection shows always, else own.
        c = colours(&cell, true, 1, true, true, false, true);
        QCOMPARE(c.back, QColor(Qt::lightGray));
        QCOMPARE(c.text, QColor(Qt::black));
        c = colours(&cell, true, 1, true, true, false, false);
        QCOMPARE(c.back, QColor(Qt::cyan));
        // A row without cell data uses window colours.
        c = colours(nullptr, true, 1, false, true, true, false);
        QCOMPARE(c.back, QColor(Qt::white));
        QCOMPARE(c.text, QColor(Qt::black));
    }
};

} // namespace kiv::test

QTEST_APPLESS_MAIN(kiv::test::ListGeometryTest)
#include "ListGeometryTest.moc"
