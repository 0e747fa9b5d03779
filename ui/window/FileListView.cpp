#include "FileListView.h"

#include "CXHeaderCtrl.h"
#include "CXListCtrl.h"
#include "FileColumn.h"
#include "FileTable.h"
#include "ListModel.h"
#include "Vocabularies.h"

#include <QHeaderView>

namespace kiv {

namespace {

// Heading, share of the width in 64ths (0: the rest), alignment.
struct ColumnPlace {
    const char* heading;
    int sixtyFourths;
    Qt::Alignment alignment;
};

constexpr ColumnPlace kColumns[kFileColumnCount] = {
    {"", 4, Qt::AlignHCenter},          {"Video File", 20, Qt::AlignLeft},
    {"Duration", 10, Qt::AlignHCenter}, {"Start Time", 12, Qt::AlignHCenter},
    {"End Time", 10, Qt::AlignHCenter}, {"Status", 0, Qt::AlignHCenter},
};

QString Time(int seconds) {
    return QString::fromStdString(FormatDuration(seconds));
}

} // namespace

FileListView::FileListView(CXListCtrl& list, FileTable& table, QObject* parent)
    : QObject(parent), list_(list), table_(table) {
    // Every change of a check box, by a click, the header or a call, reaches
    // the model as a changed cell.
    connect(list_.CellModel(), &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                if (topLeft.column() <= Col(FileColumn::Check) &&
                    bottomRight.column() >= Col(FileColumn::Check))
                    TakeChecks(topLeft.row(), bottomRight.row());
            });
}

void FileListView::SetUpColumns() {
    list_.setShowGrid(true);
    list_.SetFullRowSelect(true);
    list_.SetShowSelectionAlways(false);
    list_.setSelectionMode(QAbstractItemView::ExtendedSelection);

    // Columns 0 to 4 take their share of the width less the frame; the
    // status column takes what is left, less two pixels.
    const int base = list_.width() - 2;
    int used = 0;
    for (int column = 0; column < kFileColumnCount; ++column) {
        const ColumnPlace& c = kColumns[column];
        const int width = c.sixtyFourths ? base * c.sixtyFourths / 64 : base - used - 2;
        used += width;
        list_.InsertColumn(column, QString::fromLatin1(c.heading), c.alignment, width);
    }
    list_.horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);

    // Header images: the check column shows the empty check box, the others none.
    const int side = list_.verticalHeader()->defaultSectionSize() - 3;
    list_.SetHeaderImageList(
        CXHeaderCtrl::CheckBoxImages(side, list_.palette(), list_.devicePixelRatioF()));
    list_.SetHeaderCheck(Col(FileColumn::Check), 1);
    list_.SetHeaderAccessibleName(Col(FileColumn::Check), QStringLiteral("Check all"));
    // Long paths keep their file name in sight; the tooltip shows them whole.
    list_.SetColumnElideMode(Col(FileColumn::VideoFile), Qt::ElideMiddle);
}

bool FileListView::ShowNewRow(int row) {
    const FileRow r = table_.Row(row);
    if (list_.AddRow(row, QString()) < 0)
        return false;
    list_.SetCellCheck(row, Col(FileColumn::Check), r.checked ? 1 : 0);
    list_.SetCellText(row, Col(FileColumn::VideoFile),
                      QLatin1Char(' ') + QString::fromStdString(r.SourcePath()));
    list_.SetCellText(row, Col(FileColumn::Duration), Time(r.durationSeconds));
    ShowTrim(row);
    ShowStatus(row);
    // The newest row alone is selected, so Remove and Split act on what the
    // user sees chosen.
    list_.clearSelection();
    list_.SelectRow(row);
    return true;
}

void FileListView::ShowTrim(int row) {
    const FileRow r = table_.Row(row);
    list_.SetCellText(row, Col(FileColumn::StartTime), Time(r.trimStartSeconds));
    list_.SetCellText(row, Col(FileColumn::EndTime), Time(r.ShownEndSeconds()));
}

void FileListView::ShowStatus(int row) {
    const FileRow r = table_.Row(row);
    const int column = Col(FileColumn::Status);
    if (r.state == RowState::Ready) {
        list_.SetCellText(row, column, QStringLiteral("Ready"));
        return;
    }
    const std::optional<ListCell> cell = list_.Cell(row, column);
    if (!cell)
        return;
    if (!cell->isProgress)
        list_.ShowCellProgress(row, column, true); // at 0
    if (!cell->isProgress ? r.percent != 0 : cell->percent != r.percent)
        list_.SetCellProgress(row, column, r.percent);
}

void FileListView::RemoveRow(int row) {
    list_.RemoveRow(row);
}

void FileListView::RemoveAllRows() {
    list_.RemoveAllRows();
}

void FileListView::TakeChecks(int firstRow, int lastRow) {
    for (int row = firstRow; row <= lastRow; ++row)
        table_.SetChecked(row, list_.GetCellCheck(row, Col(FileColumn::Check)) == 1);
}

} // namespace kiv
