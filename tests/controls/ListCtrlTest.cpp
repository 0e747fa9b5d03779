// The list control rendered offscreen and driven with the mouse and keys.

#include "CXComboList.h"
#include "CXHeaderCtrl.h"
#include "CXListCtrl.h"
#include "DarkPalette.h"
#include "ListGeometry.h"
#include "ListModel.h"
#include "PixelHelpers.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include <memory>
#include <thread>

namespace kiv::test {

namespace {

const QColor kHighlight(0, 0, 200);
const QColor kGrey(224, 224, 224);

std::unique_ptr<CXListCtrl> MakeList(const QList<int>& widths) {
    auto list = std::make_unique<CXListCtrl>();
    QPalette pal = list->palette();
    pal.setColor(QPalette::Highlight, kHighlight);
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::Text, Qt::black);
    pal.setColor(QPalette::Disabled, QPalette::Text, QColor(150, 150, 150));
    list->setPalette(pal);
    for (int i = 0; i < widths.size(); ++i) {
        list->InsertColumn(i, QStringLiteral("Column %1").arg(i), Qt::AlignLeft, widths[i]);
    }
    list->verticalHeader()->setDefaultSectionSize(20);
    list->resize(40 + std::accumulate(widths.begin(), widths.end(), 0), 200);
    return list;
}

QImage Render(CXListCtrl& list) {
    return list.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// A list of three rows with check boxes in column 0 and the header check box.
std::unique_ptr<CXListCtrl> MakeCheckList() {
    auto list = MakeList({100, 100});
    list->SetHeaderImageList(CXHeaderCtrl::CheckBoxImages(13, list->palette()));
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
        auto list = MakeList({200});
        list->AddRow(0, QString());
        QCOMPARE(list->ShowCellProgress(0, 0, true), 1);
        const QImage image = Render(*list);
        const EdgeRect cell = EdgeRect::FromQRect(list->GetCellRect(0, 0));
        const ProgressGeometry g = ComputeProgressGeometry(cell, 0);
        const QRect inside =
            EdgeRect{g.fill.left + 1, g.fill.top + 1, g.fill.right, g.fill.bottom}.ToQRect();
        QCOMPARE(CountNear(image, inside, kGrey, 0), inside.width() * inside.height());
        QCOMPARE(At(image, g.inner[0].left + 5, g.inner[0].top), QColor(Qt::black).rgb());
        const QColor shadow = list->palette().color(QPalette::Active, QPalette::Dark);
        QCOMPARE(At(image, g.frame[1].left + 5, g.frame[1].top), shadow.rgb());
        QCOMPARE(At(image, g.frame[3].left, g.frame[3].top + 3), shadow.rgb());
    }

    void progressAtOnePercentShowsThinBarAndText() {
        auto list = MakeList({200});
        list->AddRow(0, QString());
        list->ShowCellProgress(0, 0, true);
        list->SetCellProgress(0, 0, 1);
        const QImage image = Render(*list);
        const ProgressGeometry g =
            ComputeProgressGeometry(EdgeRect::FromQRect(list->GetCellRect(0, 0)), 1);
        QCOMPARE(g.bar.Width(), 1);
        QCOMPARE(CountNear(image, g.bar.ToQRect(), kHighlight, 0), g.bar.Height());
        QCOMPARE(At(image, g.bar.right, g.bar.top + 3), kGrey.rgb());
        QVERIFY(CountNear(image, g.beside.ToQRect(), Qt::black, 150) > 3); // "1%"
    }

    void progressTextChangesColourAtTheBarEnd() {
        auto list = MakeList({100});
        list->AddRow(0, QString());
        list->ShowCellProgress(0, 0, true);
        list->SetCellProgress(0, 0, 50);
        const QImage image = Render(*list);
        const ProgressGeometry g =
            ComputeProgressGeometry(EdgeRect::FromQRect(list->GetCellRect(0, 0)), 50);
        // Over the bar the text reads in the back colour (white), never black;
        // beside it in the text colour (black), never white.
        QVERIFY(CountNear(image, g.bar.ToQRect(), Qt::white, 60) > 5);
        QCOMPARE(CountNear(image, g.bar.ToQRect(), Qt::black, 150), 0);
        QVERIFY(CountNear(image, g.beside.ToQRect(), Qt::black, 150) > 3);
        QCOMPARE(CountNear(image, g.beside.ToQRect(), Qt::white, 30), 0);
    }

    void progressWithoutPercentDrawsNoText() {
        auto list = MakeList({100});
        list->AddRow(0, QString());
        list->ShowCellProgress(0, 0, false);
        list->SetCellProgress(0, 0, 50);
        const QImage image = Render(*list);
        const ProgressGeometry g =
            ComputeProgressGeometry(EdgeRect::FromQRect(list->GetCellRect(0, 0)), 50);
        QCOMPARE(CountNear(image, g.bar.ToQRect(), kHighlight, 0), g.bar.Width() * g.bar.Height());
        QCOMPARE(CountNear(image, g.beside.ToQRect(), kGrey, 0),
                 g.beside.Width() * g.beside.Height());
    }

    void checkBoxWithoutTextIsCentred() {
        auto list = MakeList({100, 60});
        list->AddRow(0, QString());
        list->SetCellCheck(0, 0, 1);
        list->AddRow(1, QStringLiteral("with text"));
        list->SetCellCheck(1, 0, 0);
        const QImage image = Render(*list);
        const EdgeRect cell = EdgeRect::FromQRect(list->GetCellRect(0, 0));
        const EdgeRect box = CheckBoxRect(cell, false);
        // The box: its sunken edge starts one pixel right of the box's left.
        const QColor shadow = list->palette().color(QPalette::Active, QPalette::Dark);
        const int middle = box.top + box.Height() / 2;
        QCOMPARE(At(image, box.left + 1, middle), shadow.rgb());
        QCOMPARE(At(image, box.left, middle), QColor(Qt::white).rgb());
        const int leftGap = box.left + 1 - cell.left;
        const int rightGap = cell.right - box.right;
        QVERIFY2(std::abs(leftGap - rightGap) <= 2,
                 qPrintable(QString("%1 vs %2").arg(leftGap).arg(rightGap)));
        for (const EdgeRect& stroke : TickStrokes({box.left + 1, box.top, box.right, box.bottom})) {
            QCOMPARE(At(image, stroke.left, stroke.top + 1), QColor(Qt::black).rgb());
        }
        // With text the box sits 9 pixels in and the text follows it.
        const EdgeRect textCell = EdgeRect::FromQRect(list->GetCellRect(1, 0));
        const EdgeRect textBox = CheckBoxRect(textCell, true);
        QCOMPARE(textBox.left, textCell.left + 9);
        QCOMPARE(At(image, textBox.left + 1, textBox.top + textBox.Height() / 2), shadow.rgb());
        QVERIFY(CountNear(image,
                          EdgeRect{textBox.right + 4, textCell.top, textCell.right, textCell.bottom}
                              .ToQRect(),
                          Qt::black, 60) > 5);
    }

    void clickAnywhereInCheckCellTogglesAndUpdatesHeader() {
        auto list = MakeCheckList();
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
        auto list = MakeCheckList();
        list->SetCellCheck(1, 0, 1);
        list->show();
        QVERIFY(QTest::qWaitForWindowExposed(list.get()));
        QSignalSpy clicked(list.get(), &CXListCtrl::checkBoxClicked);
        CXHeaderCtrl* header = list->HeaderCtrl();
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
        auto list = MakeCheckList();
        list->SetHeaderCheck(0, 2);
        list->show();
        QVERIFY(QTest::qWaitForWindowExposed(list.get()));
        CXHeaderCtrl* header = list->HeaderCtrl();
        const QImage image = header->viewport()->grab().toImage();
        const QRect second(header->sectionViewportPosition(1), 0, 100, header->height());
        QVERIFY(CountNear(image, second, QColor(0, 0, 255), 30) > 10);
        // The checked image at the spacing from the left: its tick is black.
        const QRect imageArea(header->sectionViewportPosition(0) + CXHeaderCtrl::kSpacing, 0, 14,
                              header->height());
        QVERIFY(CountNear(image, imageArea, Qt::black, 0) >= 7 * 3);
    }

    void keyboardAndRightClick() {
        // The list between two other controls, as in a window.
        QWidget window;
        auto* before = new QLineEdit(&window);
        auto list = MakeCheckList();
        list->setParent(&window);
        auto* after = new QLineEdit(&window);
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        // Tab and Shift+Tab leave the list; the arrows move inside it.
        list->setFocus();
        list->selectionModel()->setCurrentIndex(list->model()->index(0, 1),
                                                QItemSelectionModel::NoUpdate);
        QTest::keyClick(list.get(), Qt::Key_Down);
        QCOMPARE(list->currentIndex().row(), 1);
        QTest::keyClick(list.get(), Qt::Key_Tab);
        QVERIFY(after->hasFocus());
        list->setFocus();
        QTest::keyClick(list.get(), Qt::Key_Backtab, Qt::ShiftModifier);
        QVERIFY(before->hasFocus());

        // Space toggles the current row's check box, as a click does.
        list->setFocus();
        QSignalSpy clicked(list.get(), &CXListCtrl::checkBoxClicked);
        QTest::keyClick(list.get(), Qt::Key_Space);
        QCOMPARE(list->GetCellCheck(1, 0), 1);
        QCOMPARE(clicked.count(), 1);

        // Shift+F10 asks for the menu over the current row.
        QSignalSpy menu(list.get(), &QWidget::customContextMenuRequested);
        QTest::keyClick(list.get(), Qt::Key_F10, Qt::ShiftModifier);
        QCOMPARE(menu.count(), 1);
        QVERIFY(list->visualRect(list->currentIndex()).contains(menu.at(0).at(0).toPoint()));

        // A right click makes the row under the pointer the one selected.
        list->selectAll();
        QTest::mousePress(list->viewport(), Qt::RightButton, {}, list->GetCellRect(2, 1).center());
        QCOMPARE(list->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(list->FirstSelectedRow(), 2);
        QCOMPARE(list->GetCellCheck(2, 0), 0); // and checks nothing
    }

    void theFocusShows() {
        QWidget window;
        auto* before = new QLineEdit(&window);
        auto list = MakeCheckList();
        list->setParent(&window);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        list->selectionModel()->setCurrentIndex(list->model()->index(1, 1),
                                                QItemSelectionModel::NoUpdate);
        before->setFocus();
        const QImage without = Render(*list);
        QTest::keyClick(before, Qt::Key_Tab); // as a keyboard user arrives
        QVERIFY(list->hasFocus());
        const QImage with = Render(*list);
        // Only around the current row.
        const QRect row(0, list->rowViewportPosition(1), list->viewport()->width(),
                        list->rowHeight(1));
        QVERIFY(with != without);
        QCOMPARE(with.copy(0, 0, with.width(), row.top() - 1),
                 without.copy(0, 0, without.width(), row.top() - 1));
    }

    void headerCheckFollowsTheRowsThatAreLeft() {
        auto list = MakeCheckList();
        list->SetCellCheck(1, 0, 1);
        list->SetCellCheck(2, 0, 1);
        QCOMPARE(list->GetHeaderCheck(0), 1);
        list->RemoveRow(0); // the one unchecked row goes
        QCOMPARE(list->GetHeaderCheck(0), 2);
        list->RemoveAllRows(); // nothing is left to be checked
        QCOMPARE(list->GetHeaderCheck(0), 1);
        QCOMPARE(list->GetHeaderCheck(1), 0); // a column without one stays without
    }

    void darkPaletteKeepsHeadersAndTicksReadable() {
        auto list = MakeCheckList();
        const QPalette dark = DarkPaletteWithLightLinks(list->palette());
        list->setPalette(dark);
        list->SetHeaderImageList(CXHeaderCtrl::CheckBoxImages(13, dark));
        list->SetCellCheck(0, 0, 1);
        list->SetHeaderCheck(0, 2);
        list->show();
        QVERIFY(QTest::qWaitForWindowExposed(list.get()));
        const auto light = [](QRgb p) { return QColor(p).lightness() > 140; };

        // The tick in the text colour.
        const QImage cells = Render(*list);
        const EdgeRect box = CheckBoxRect(EdgeRect::FromQRect(list->GetCellRect(0, 0)), false);
        for (const EdgeRect& stroke : TickStrokes({box.left + 1, box.top, box.right, box.bottom}))
            QCOMPARE(At(cells, stroke.left, stroke.top + 1), QColor(238, 238, 238).rgb());
        // The headings and the header's tick stand out from the dark face.
        CXHeaderCtrl* header = list->HeaderCtrl();
        const QImage image = header->viewport()->grab().toImage();
        const QRect second(header->sectionViewportPosition(1), 0, 100, header->height());
        QVERIFY(CountPixels(image, second, light) > 10);
        QCOMPARE(CountNear(image, second, QColor(0, 0, 255), 60), 0);
        const QRect imageArea(header->sectionViewportPosition(0) + CXHeaderCtrl::kSpacing, 0, 14,
                              header->height());
        QVERIFY(CountPixels(image, imageArea, light) >= 7 * 3);
    }

    void checkBoxImagesAreDrawnAtTheScreensResolution() {
        const QPalette palette = MakeList({10})->palette();
        const QList<QPixmap> one = CXHeaderCtrl::CheckBoxImages(13, palette);
        const QList<QPixmap> two = CXHeaderCtrl::CheckBoxImages(13, palette, 2.0);
        QCOMPARE(two[2].devicePixelRatio(), 2.0);
        QCOMPARE(two[2].size(), QSize(28, 26));
        QCOMPARE(two[2].deviceIndependentSize(), one[2].deviceIndependentSize());
        // Every device pixel is a colour of the drawing: nothing smeared.
        const QImage sharp = two[2].toImage();
        const QImage plain = one[2].toImage();
        for (int y = 0; y < sharp.height(); ++y)
            for (int x = 0; x < sharp.width(); ++x)
                QCOMPARE(sharp.pixel(x, y), plain.pixel(x / 2, y / 2));
        // On a screen scaled by two the header draws them pixel for pixel.
        auto list = MakeCheckList();
        const qreal ratio = list->devicePixelRatioF();
        if (ratio != 2.0)
            QSKIP("run with QT_SCALE_FACTOR=2 (controls.ListCtrlTest.scale2)");
        list->SetHeaderImageList(CXHeaderCtrl::CheckBoxImages(13, list->palette(), ratio));
        list->SetHeaderCheck(0, 2);
        list->show();
        QVERIFY(QTest::qWaitForWindowExposed(list.get()));
        CXHeaderCtrl* header = list->HeaderCtrl();
        const QImage shot = header->viewport()->grab().toImage();
        QCOMPARE(shot.devicePixelRatio(), 2.0);
        const QSize size = two[2].deviceIndependentSize().toSize();
        const QPoint at(header->sectionViewportPosition(0) + CXHeaderCtrl::kSpacing,
                        (header->height() - size.height()) / 2);
        const QImage drawn = shot.copy(QRect(at * 2, size * 2));
        QCOMPARE(drawn.convertToFormat(QImage::Format_RGB32),
                 sharp.convertToFormat(QImage::Format_RGB32));
    }

    void longTextsAreElidedAndShownWholeInTheTooltip() {
        auto list = MakeList({60, 140});
        list->SetColumnElideMode(1, Qt::ElideMiddle);
        const QString path = QStringLiteral(" /home/user/Videos/holidays/2024/a-long-name.mp4");
        list->AddRow(0, QString());
        list->SetCellText(0, 1, path);
        list->AddRow(1, QString());
        list->SetCellText(0, 0, QStringLiteral("short"));
        list->show();
        QVERIFY(QTest::qWaitForWindowExposed(list.get()));
        // Drawn as the middle-elided text would be.
        const QRect cell = list->GetCellRect(0, 1);
        QImage expected(cell.size(), QImage::Format_RGB32);
        expected.fill(Qt::white);
        {
            QPainter p(&expected);
            p.setFont(list->font());
            p.setPen(Qt::black);
            const QString shown =
                QFontMetrics(list->font()).elidedText(path, Qt::ElideMiddle, cell.width());
            QVERIFY(shown.endsWith(QStringLiteral("name.mp4")));
            p.drawText(expected.rect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                       shown);
        }
        QCOMPARE(Render(*list).copy(cell), expected);
        // Its tooltip is the whole path; a text that fits has none.
        QHelpEvent tip(QEvent::ToolTip, cell.center(),
                       list->viewport()->mapToGlobal(cell.center()));
        QApplication::sendEvent(list->viewport(), &tip);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), path.trimmed());
        QToolTip::hideText();
        const QRect fits = list->GetCellRect(0, 0);
        QHelpEvent none(QEvent::ToolTip, fits.center(),
                        list->viewport()->mapToGlobal(fits.center()));
        QApplication::sendEvent(list->viewport(), &none);
        QVERIFY(!QToolTip::isVisible() || QToolTip::text() != QStringLiteral("short"));
    }

    void disabledRowIgnoresPresses() {
        auto list = MakeCheckList();
        list->SetRowEnabled(1, false);
        list->show();
        QVERIFY(QTest::qWaitForWindowExposed(list.get()));
        QSignalSpy clicked(list.get(), &CXListCtrl::checkBoxClicked);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->GetCellRect(1, 0).center());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->GetCellRect(1, 1).center());
        QCOMPARE(list->GetCellCheck(1, 0), 0);
        QCOMPARE(list->FirstSelectedRow(), -1);
        QCOMPARE(clicked.count(), 0);
        // Its text draws in the grey-text colour.
        const QImage image = Render(*list);
        QCOMPARE(CountNear(image, list->GetCellRect(1, 1), Qt::black, 60), 0);
    }

    void outOfRangeArgumentsFail() {
        auto list = MakeList({50, 50});
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
        QCOMPARE(list->CellText(1, 0), QString("b"));
        QCOMPARE(list->ColumnCount(), 2);
    }

    void newRowsTakeTheDefaults() {
        auto list = MakeList({50, 50});
        list->AddRow(0, QStringLiteral("a"));
        const std::optional<ListCell> c = list->Cell(0, 1);
        QVERIFY(c);
        QCOMPARE(c->enabled, 1);
        QCOMPARE(c->image, -1);
        QCOMPARE(c->comboRows, 10);
        QCOMPARE(c->showPercent, 1);
        QCOMPARE(c->check, -1);
        QCOMPARE(c->textColour, QColor(Qt::black));
        QCOMPARE(c->backColour, QColor(Qt::white));
        list->SetCellTip(0, 1, QString(90, u't'));
        QCOMPARE(list->model()->index(0, 1).data(Qt::ToolTipRole).toString().size(), 80);
        QVERIFY(!list->model()->index(0, 0).data(Qt::ToolTipRole).isValid());
    }

    void column0EndsWhereColumn1Begins() {
        auto list = MakeList({70, 50});
        list->AddRow(0, QStringLiteral("a"));
        QCOMPARE(list->GetCellRect(0, 0).right() + 1, list->GetCellRect(0, 1).left());
        QCOMPARE(list->GetCellRect(0, 1).width(), 50);
    }

    void workerThreadsReadWithoutWaitingForTheGuiThread() {
        auto list = MakeCheckList();
        list->SetCellText(2, 1, QStringLiteral("Done"));
        int seenCheck = -2;
        int seenRows = -1;
        QString seenText;
        std::thread worker([&] {
            seenCheck = list->GetCellCheck(2, 0);
            seenRows = list->RowCount();
            seenText = list->CellText(2, 1);
        });
        worker.join(); // the GUI thread is blocked here
        QCOMPARE(seenCheck, 0);
        QCOMPARE(seenRows, 3);
        QCOMPARE(seenText, QString("Done"));
    }

    void comboCellSelectsWithKeysAndRestoresOnEscape() {
        auto list = MakeList({80, 120});
        list->AddRow(0, QStringLiteral("row"));
        list->SetComboBox(0, 1, {"alpha", "", "beta", "gamma"}, 5, 0);
        list->SetCellText(0, 1, QStringLiteral("beta"));
        list->show();
        QVERIFY(QTest::qWaitForWindowExposed(list.get()));
        QSignalSpy selection(list.get(), &CXListCtrl::comboSelection);
        list->SelectRow(0);
        const EdgeRect button = ComboButtonRect(EdgeRect::FromQRect(list->GetCellRect(0, 1)));
        const QPoint buttonCentre(button.CentreX(), button.CentreY());

        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, buttonCentre);
        QVERIFY(list->ComboList());
        QCOMPARE(list->Cell(0, 1)->comboOpen, 1);
        QListWidget* box = list->ComboList()->ListBox();
        QCOMPARE(box->count(), 3); // the empty item is left out
        QCOMPARE(list->ComboList()->SelectedText(), QString("beta"));
        QTest::keyClick(box, Qt::Key_Down);
        QTRY_COMPARE(list->CellText(0, 1), QString("gamma")); // follows the keyboard
        QTest::keyClick(box, Qt::Key_Escape);
        QCOMPARE(list->CellText(0, 1), QString("beta"));
        QTRY_VERIFY(!list->ComboList());
        QCOMPARE(selection.count(), 0);

        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, buttonCentre);
        QVERIFY(list->ComboList());
        box = list->ComboList()->ListBox();
        QTest::keyClick(box, Qt::Key_Up);
        QTest::keyClick(box, Qt::Key_Return);
        QTRY_COMPARE(selection.count(), 1);
        QCOMPARE(selection.at(0), (QList<QVariant>{0, 1}));
        QCOMPARE(list->CellText(0, 1), QString("alpha"));
        QVERIFY(!list->ComboList());
        QCOMPARE(list->Cell(0, 1)->comboOpen, 0);
    }
};

} // namespace kiv::test

QTEST_MAIN(kiv::test::ListCtrlTest)
#include "ListCtrlTest.moc"
