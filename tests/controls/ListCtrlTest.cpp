// The list control rendered offscreen and driven with the mouse and keys.

#include "CXComboList.h"
#include "CXHeaderCtrl.h"
#include "CXListCtrl.h"
#include "ListGeometry.h"
#include "ListModel.h"
#include "PixelHelpers.h"

#include <QListWidget>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <thread>

using namespace kiv;
using namespace kivtest;

namespace {

const QColor kHighlight(0, 0, 200);
const QColor kGrey(224, 224, 224);

std::unique_ptr<CXListCtrl> makeList(const QList<int>& widths) {
    auto list = std::make_unique<CXListCtrl>();
    QPalette pal = list->palette();
    pal.setColor(QPalette::Highlight, kHighlight);
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::Text, Qt::black);
    pal.setColor(QPalette::Disabled, QPalette::Text, QColor(150, 150, 150));
    list->setPalette(pal);
    for (int i = 0; i < widths.size(); ++i) {
        list->insertColumn(i, QStringLiteral("Column %1").arg(i), Qt::AlignLeft, widths[i]);
    }
    list->verticalHeader()->setDefaultSectionSize(20);
    list->resize(40 + std::accumulate(widths.begin(), widths.end(), 0), 200);
    return list;
}

QImage render(CXListCtrl& list) {
    return list.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// A list of three rows with check boxes in column 0 and the header check box.
std::unique_ptr<CXListCtrl> makeCheckList() {
    auto list = makeList({100, 100});
    list->setHeaderImageList(CXHeaderCtrl::checkBoxImages(13, list->palette()));
    for (int row = 0; row < 3; ++row) {
        list->AddRow(row, QString());
        list->SetCellText(row, 1, QStringLiteral("file %1").arg(row));
        list->SetCellCheck(row, 0, 0);
    }
    list->SetHeaderCheck(0, 1);
    return list;
}

} // namespace

class ListCtrlTest : public QObject {
    Q_OBJECT
private slots:
    void progressAtZeroShowsOnlyTheFrame() {
        auto list = makeList({200});
        list->AddRow(0, QString());
        QCOMPARE(list->ShowCellProgress(0, 0, true), 1);
        const QImage image = render(*list);
        const EdgeRect cell = EdgeRect::fromQRect(list->GetCellRect(0, 0));
        const ProgressGeometry g = progressGeometry(cell, 0);
        const QRect inside =
            EdgeRect{g.fill.left + 1, g.fill.top + 1, g.fill.right, g.fill.bottom}.toQRect();
        QCOMPARE(countNear(image, inside, kGrey, 0), inside.width() * inside.height());
        QCOMPARE(at(image, g.inner[0].left + 5, g.inner[0].top), QColor(Qt::black).rgb());
        const QColor shadow = list->palette().color(QPalette::Active, QPalette::Dark);
        QCOMPARE(at(image, g.frame[1].left + 5, g.frame[1].top), shadow.rgb());
        QCOMPARE(at(image, g.frame[3].left, g.frame[3].top + 3), shadow.rgb());
    }

    void progressAtOnePercentShowsThinBarAndText() {
        auto list = makeList({200});
        list->AddRow(0, QString());
        list->ShowCellProgress(0, 0, true);
        list->SetCellProgress(0, 0, 1);
        const QImage image = render(*list);
        const ProgressGeometry g =
            progressGeometry(EdgeRect::fromQRect(list->GetCellRect(0, 0)), 1);
        QCOMPARE(g.bar.width(), 1);
        QCOMPARE(countNear(image, g.bar.toQRect(), kHighlight, 0), g.bar.height());
        QCOMPARE(at(image, g.bar.right, g.bar.top + 3), kGrey.rgb());
        QVERIFY(countNear(image, g.beside.toQRect(), Qt::black, 150) > 3); // "1%"
    }

    void progressTextChangesColourAtTheBarEnd() {
        auto list = makeList({100});
        list->AddRow(0, QString());
        list->ShowCellProgress(0, 0, true);
        list->SetCellProgress(0, 0, 50);
        const QImage image = render(*list);
        const ProgressGeometry g =
            progressGeometry(EdgeRect::fromQRect(list->GetCellRect(0, 0)), 50);
        // Over the bar the text reads in the back colour (white), never black;
        // beside it in the text colour (black), never white.
        QVERIFY(countNear(image, g.bar.toQRect(), Qt::white, 60) > 5);
        QCOMPARE(countNear(image, g.bar.toQRect(), Qt::black, 150), 0);
        QVERIFY(countNear(image, g.beside.toQRect(), Qt::black, 150) > 3);
        QCOMPARE(countNear(image, g.beside.toQRect(), Qt::white, 30), 0);
    }

    void progressWithoutPercentDrawsNoText() {
        auto list = makeList({100});
        list->AddRow(0, QString());
        list->ShowCellProgress(0, 0, false);
        list->SetCellProgress(0, 0, 50);
        const QImage image = render(*list);
        const ProgressGeometry g =
            progressGeometry(EdgeRect::fromQRect(list->GetCellRect(0, 0)), 50);
        QCOMPARE(countNear(image, g.bar.toQRect(), kHighlight, 0), g.bar.width() * g.bar.height());
        QCOMPARE(countNear(image, g.beside.toQRect(), kGrey, 0),
                 g.beside.width() * g.beside.height());
    }

    void checkBoxWithoutTextIsCentred() {
        auto list = makeList({100, 60});
        list->AddRow(0, QString());
        list->SetCellCheck(0, 0, 1);
        list->AddRow(1, QStringLiteral("with text"));
        list->SetCellCheck(1, 0, 0);
        const QImage image = render(*list);
        const EdgeRect cell = EdgeRect::fromQRect(list->GetCellRect(0, 0));
        const EdgeRect box = checkBoxRect(cell, false);
        // The box: its sunken edge starts one pixel right of the box's left.
        const QColor shadow = list->palette().color(QPalette::Active, QPalette::Dark);
        const int middle = box.top + box.height() / 2;
        QCOMPARE(at(image, box.left + 1, middle), shadow.rgb());
        QCOMPARE(at(image, box.left, middle), QColor(Qt::white).rgb());
        const int leftGap = box.left + 1 - cell.left;
        const int rightGap = cell.right - box.right;
        QVERIFY2(std::abs(leftGap - rightGap) <= 2,
                 qPrintable(QString("%1 vs %2").arg(leftGap).arg(rightGap)));
        for (const EdgeRect& stroke : tickStrokes({box.left + 1, box.top, box.right, box.bottom})) {
            QCOMPARE(at(image, stroke.left, stroke.top + 1), QColor(Qt::black).rgb());
        }
        // With text the box sits 9 pixels in and the text follows it.
        const EdgeRect textCell = EdgeRect::fromQRect(list->GetCellRect(1, 0));
        const EdgeRect textBox = checkBoxRect(textCell, true);
        QCOMPARE(textBox.left, textCell.left + 9);
        QCOMPARE(at(image, textBox.left + 1, textBox.top + textBox.height() / 2), shadow.rgb());
        QVERIFY(countNear(image,
                          EdgeRect{textBox.right + 4, textCell.top, textCell.right, textCell.bottom}
                              .toQRect(),
                          Qt::black, 60) > 5);
    }

    void clickAnywhereInCheckCellTogglesAndUpdatesHeader() {
        auto list = makeCheckList();
        list->show();
        QVERIFY(QTest::qWaitForWindowExposed(list.get()));
        QSignalSpy clicked(list.get(), &CXListCtrl::checkBoxClicked);
        const auto clickFarRight = [&](int row) {
            const QRect r = list->GetCellRect(row, 0);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              QPoint(r.right() - 2, r.center().y()));
        };
        clickFarRight(0);
        clickFarRight(1);
        QCOMPARE(list->GetCellCheck(0, 0), 1);
        QCOMPARE(list->GetHeaderCheck(0), 1);
        clickFarRight(2); // the last unchecked row
        QCOMPARE(list->GetHeaderCheck(0), 2);
        QCOMPARE(list->CountCheckedRows(0), 3);
        clickFarRight(1);
        QCOMPARE(list->GetCellCheck(1, 0), 0);
        QCOMPARE(list->GetHeaderCheck(0), 1);
        QCOMPARE(clicked.count(), 4);
        QCOMPARE(clicked.at(3), (QList<QVariant>{1, 0}));
        QCOMPARE(list->FirstSelectedRow(), 1); // the press also selects the row
    }

    void headerCheckChecksAndUnchecksTheColumn() {
        auto list = makeCheckList();
        list->SetCellCheck(1, 0, 1);
        list->show();
        QVERIFY(QTest::qWaitForWindowExposed(list.get()));
        QSignalSpy clicked(list.get(), &CXListCtrl::checkBoxClicked);
        CXHeaderCtrl* header = list->headerCtrl();
        const QPoint section(header->sectionViewportPosition(0) + 20, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, section);
        QCOMPARE(list->GetHeaderCheck(0), 2);
        QCOMPARE(list->CountCheckedRows(0), 3);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, section);
        QCOMPARE(list->GetHeaderCheck(0), 1);
        QCOMPARE(list->CountCheckedRows(0), 0);
        // A column without header check box is left alone.
        const QPoint other(header->sectionViewportPosition(1) + 20, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, other);
        QCOMPARE(list->GetHeaderCheck(1), 0);
        QCOMPARE(clicked.count(), 0);
    }

    void headerPaintsBlueTextAndItsCheckImage() {
        auto list = makeCheckList();
        list->SetHeaderCheck(0, 2);
        list->show();
        QVERIFY(QTest::qWaitForWindowExposed(list.get()));
        CXHeaderCtrl* header = list->headerCtrl();
        const QImage image = header->viewport()->grab().toImage();
        const QRect second(header->sectionViewportPosition(1), 0, 100, header->height());
        QVERIFY(countNear(image, second, QColor(0, 0, 255), 30) > 10);
        // The checked image at the spacing from the left: its tick is black.
        const QRect imageArea(header->sectionViewportPosition(0) + CXHeaderCtrl::kSpacing, 0, 14,
                              header->height());
        QVERIFY(countNear(image, imageArea, Qt::black, 0) >= 7 * 3);
    }

    void disabledRowIgnoresPresses() {
        auto list = makeCheckList();
        list->setRowEnabled(1, false);
        list->show();
        QVERIFY(QTest::qWaitForWindowExposed(list.get()));
        QSignalSpy clicked(list.get(), &CXListCtrl::checkBoxClicked);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->GetCellRect(1, 0).center());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->GetCellRect(1, 1).center());
        QCOMPARE(list->GetCellCheck(1, 0), 0);
        QCOMPARE(list->FirstSelectedRow(), -1);
        QCOMPARE(clicked.count(), 0);
        // Its text draws in the grey-text colour.
        const QImage image = render(*list);
        QCOMPARE(countNear(image, list->GetCellRect(1, 1), Qt::black, 60), 0);
    }

    void outOfRangeArgumentsFail() {
        auto list = makeList({50, 50});
        list->AddRow(0, QStringLiteral("a"));
        QCOMPARE(list->SetCellText(1, 0, "x"), 0);
        QCOMPARE(list->SetCellText(0, 2, "x"), 0);
        QCOMPARE(list->SetCellText(-1, 0, "x"), 0);
        QCOMPARE(list->SetCellCheck(0, -1, 1), 0);
        QCOMPARE(list->GetCellCheck(0, 5), -1);
        QCOMPARE(list->GetCellCheck(0, 1), -1); // a cell without check box
        QCOMPARE(list->ShowCellProgress(3, 0, true), 0);
        QCOMPARE(list->SetCellProgress(0, 9, 4), 0);
        QCOMPARE(list->GetHeaderCheck(2), -1);
        QCOMPARE(list->SetHeaderCheck(-1, 1), 0);
        QCOMPARE(list->SelectRow(4), 0);
        QCOMPARE(list->RemoveRow(1), 0);
        QVERIFY(list->GetCellRect(0, 2).isNull());
        QCOMPARE(list->AddRow(7, QStringLiteral("b")), 1); // past the end appends
        QCOMPARE(list->cellText(1, 0), QString("b"));
        QCOMPARE(list->ColumnCount(), 2);
    }

    void newRowsTakeTheDefaults() {
        auto list = makeList({50, 50});
        list->AddRow(0, QStringLiteral("a"));
        const std::optional<ListCell> c = list->cell(0, 1);
        QVERIFY(c);
        QCOMPARE(c->enabled, 1);
        QCOMPARE(c->image, -1);
        QCOMPARE(c->comboRows, 10);
        QCOMPARE(c->showPercent, 1);
        QCOMPARE(c->check, -1);
        QCOMPARE(c->textColour, QColor(Qt::black));
        QCOMPARE(c->backColour, QColor(Qt::white));
        list->setCellTip(0, 1, QString(90, u't'));
        QCOMPARE(list->model()->index(0, 1).data(Qt::ToolTipRole).toString().size(), 80);
        QVERIFY(!list->model()->index(0, 0).data(Qt::ToolTipRole).isValid());
    }

    void column0EndsWhereColumn1Begins() {
        auto list = makeList({70, 50});
        list->AddRow(0, QStringLiteral("a"));
        QCOMPARE(list->GetCellRect(0, 0).right() + 1, list->GetCellRect(0, 1).left());
        QCOMPARE(list->GetCellRect(0, 1).width(), 50);
    }

    void workerThreadCallsReachTheGuiThread() {
        auto list = makeCheckList();
        list->ShowCellProgress(0, 1, true);
        int seenCheck = -2;
        int seenRows = -1;
        int acceptedText = -1;
        std::thread worker([&] {
            seenCheck = list->GetCellCheck(2, 0);
            seenRows = list->rowCount();
            acceptedText = list->SetCellText(2, 1, QStringLiteral("Done"));
            list->SetCellProgress(0, 1, 37);
            list->SelectRow(2);
        });
        worker.join(); // reads must not wait for the (blocked) GUI thread
        QCOMPARE(seenCheck, 0);
        QCOMPARE(seenRows, 3);
        QCOMPARE(acceptedText, 1);
        QTRY_COMPARE(list->cellText(2, 1), QString("Done"));
        QCOMPARE(list->cell(0, 1)->percent, 37);
        QCOMPARE(list->FirstSelectedRow(), 2);
    }

    void comboCellSelectsWithKeysAndRestoresOnEscape() {
        auto list = makeList({80, 120});
        list->AddRow(0, QStringLiteral("row"));
        list->setComboBox(0, 1, {"alpha", "", "beta", "gamma"}, 5, 0);
        list->SetCellText(0, 1, QStringLiteral("beta"));
        list->show();
        QVERIFY(QTest::qWaitForWindowExposed(list.get()));
        QSignalSpy selection(list.get(), &CXListCtrl::comboSelection);
        list->SelectRow(0);
        const EdgeRect button = comboButtonRect(EdgeRect::fromQRect(list->GetCellRect(0, 1)));
        const QPoint buttonCentre(button.centreX(), button.centreY());

        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, buttonCentre);
        QVERIFY(list->comboList());
        QCOMPARE(list->cell(0, 1)->comboOpen, 1);
        QListWidget* box = list->comboList()->listBox();
        QCOMPARE(box->count(), 3); // the empty item is left out
        QCOMPARE(list->comboList()->selectedText(), QString("beta"));
        QTest::keyClick(box, Qt::Key_Down);
        QTRY_COMPARE(list->cellText(0, 1), QString("gamma")); // follows the keyboard
        QTest::keyClick(box, Qt::Key_Escape);
        QCOMPARE(list->cellText(0, 1), QString("beta"));
        QTRY_VERIFY(!list->comboList());
        QCOMPARE(selection.count(), 0);

        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, buttonCentre);
        QVERIFY(list->comboList());
        box = list->comboList()->listBox();
        QTest::keyClick(box, Qt::Key_Up);
        QTest::keyClick(box, Qt::Key_Return);
        QTRY_COMPARE(selection.count(), 1);
        QCOMPARE(selection.at(0), (QList<QVariant>{0, 1}));
        QCOMPARE(list->cellText(0, 1), QString("alpha"));
        QVERIFY(!list->comboList());
        QCOMPARE(list->cell(0, 1)->comboOpen, 0);
    }
};

QTEST_MAIN(ListCtrlTest)
#include "ListCtrlTest.moc"
