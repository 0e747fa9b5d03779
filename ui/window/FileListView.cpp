#include "FileListView.h"

#include "CXHeaderCtrl.h"
#include "CXListCtrl.h"
#include "FileColumn.h"
#include "FileTable.h"
#include "ListGeometry.h"
#include "ListModel.h"
#include "Vocabularies.h"
#include "runs/BatchSummary.h"

#include <QEvent>
#include <QHeaderView>

#include <QCoreApplication>
#include <QLocale>
#include <algorithm>

namespace kiv {

namespace {

// Heading, share of the width in 64ths (0: the rest), alignment.
struct ColumnPlace {
    const char* heading;
    int sixtyFourths;
    Qt::Alignment alignment;
};

// The file column gives up 6 of its 20 parts (a path is cut in the middle
// anyway, and shown whole in its tooltip) so that the status column has
// room for "37 % · 1:12 left".
constexpr ColumnPlace kColumns[kFileColumnCount] = {
    {"", 4, Qt::AlignHCenter},
    {QT_TRANSLATE_NOOP("kiv::FileListView", "Video File"), 14, Qt::AlignLeft},
    {QT_TRANSLATE_NOOP("kiv::FileListView", "Duration"), 10, Qt::AlignHCenter},
    {QT_TRANSLATE_NOOP("kiv::FileListView", "Start Time"), 11, Qt::AlignHCenter},
    {QT_TRANSLATE_NOOP("kiv::FileListView", "End Time"), 10, Qt::AlignHCenter},
    {QT_TRANSLATE_NOOP("kiv::FileListView", "Status"), 0, Qt::AlignHCenter},
};

// The list's width less what its columns share.
constexpr int kFrameWidths = 4;

QString Time(int seconds) {
    return QString::fromStdString(FormatDuration(seconds));
}

// "1:12 left", or "estimating…" until the engine has seen enough.
QString TimeLeftText(const ProgressFigures& figures) {
    if (!figures.secondsLeft)
        return FileListView::tr("estimating…");
    return FileListView::tr("%1 left").arg(
        QString::fromStdString(ShortClock(*figures.secondsLeft)));
}

// "2.4× real time, 61 frames a second"; frames only for video.
QString SpeedText(const ProgressFigures& figures) {
    if (figures.speed <= 0)
        return FileListView::tr("Measuring the speed");
    const QLocale locale;
    QString text = FileListView::tr("%1× real time").arg(locale.toString(figures.speed, 'f', 1));
    if (figures.framesPerSecond > 0)
        text += FileListView::tr(", %1 frames a second")
                    .arg(locale.toString(qRound(figures.framesPerSecond)));
    return text;
}

// How a row's status cell looks in each state.
struct StatusLook {
    bool bar = false;
    QString format; // the bar's label, "%d" the percentage; empty: "%d%%"
    QString text;   // a cell without a bar
    QString tip;
    QString description;
};

StatusLook LookOf(const FileRow& r) {
    StatusLook look;
    const QString output = QString::fromStdString(r.outputPath);
    const QString reason = QString::fromStdString(r.reason);
    switch (r.state) {
    case RowState::Ready:
        look.text = FileListView::tr("Ready");
        break;
    case RowState::Converted:
        // A source that ends early converts as far as it goes, and says so.
        look.text = r.reason.empty() ? FileListView::tr("Converted")
                                     : FileListView::tr("Converted (short)");
        look.tip = r.reason.empty() ? output : output + QLatin1Char('\n') + reason;
        break;
    case RowState::Stopped:
        look.text = FileListView::tr("Stopped");
        look.tip =
            output.isEmpty() ? QString() : FileListView::tr("Kept as far as converted: ") + output;
        break;
    case RowState::Converting: {
        // The screen reader's text stays the percentage; the time left is
        // its description. While paused the time left stands still.
        const QString left = TimeLeftText(r.figures);
        const QString label = r.figures.paused ? FileListView::tr("paused") : left;
        look.bar = true;
        look.format =
            FileListView::tr("%d %% · ") + QString(label).replace(u'%', QStringLiteral("%%"));
        look.tip = r.figures.paused ? FileListView::tr("Paused, ") + left : SpeedText(r.figures);
        look.description = r.figures.paused ? FileListView::tr("paused, ") + left : left;
        break;
    }
    // Never a bar: a full one would read as done.
    case RowState::Failed:
        look.text = r.label.empty()
                        ? FileListView::tr("Failed")
                        : FileListView::tr("Failed: ") + QString::fromStdString(r.label);
        look.tip = reason;
        break;
    case RowState::SourceMissing:
        look.text = FileListView::tr("Missing");
        look.tip = reason;
        break;
    }
    return look;
}

} // namespace

FileListView::FileListView(CXListCtrl& list, FileTable& table, QObject* parent)
    : QObject(parent), list_(list), table_(table) {
    connect(&table_, &FileTable::rowAppended, this, &FileListView::ShowNewRow);
    connect(&table_, &FileTable::rowRemoved, this, [this](int row) { list_.RemoveRow(row); });
    connect(&table_, &FileTable::cleared, this, [this] { list_.RemoveAllRows(); });
    connect(&table_, &FileTable::checkChanged, this, &FileListView::ShowCheck);
    connect(&table_, &FileTable::trimChanged, this, &FileListView::ShowTrim);
    connect(&table_, &FileTable::stateChanged, this, &FileListView::ShowStatus);
    connect(&table_, &FileTable::progressChanged, this, &FileListView::ShowStatus);
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
    const int base = list_.width() - kFrameWidths / 2;
    int used = 0;
    for (int column = 0; column < kFileColumnCount; ++column) {
        const ColumnPlace& c = kColumns[column];
        const int width = c.sixtyFourths ? base * c.sixtyFourths / 64 : base - used - 2;
        used += width;
        const QString heading =
            *c.heading ? QCoreApplication::translate("kiv::FileListView", c.heading) : QString();
        list_.InsertColumn(column, heading, c.alignment, width);
    }
    list_.horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    // The path takes whatever room the list gains, and gives it back.
    list_.viewport()->installEventFilter(this);

    // Header images: the check column shows the empty check box, the others none.
    const int side = list_.verticalHeader()->defaultSectionSize() - 3;
    list_.SetHeaderImageList(
        CXHeaderCtrl::CheckBoxImages(side, list_.palette(), list_.devicePixelRatioF()));
    list_.SetHeaderCheck(Col(FileColumn::Check), 1);
    list_.SetHeaderAccessibleName(Col(FileColumn::Check), tr("Check all"));
    // Long paths keep their file name in sight; the tooltip shows them whole.
    list_.SetColumnElideMode(Col(FileColumn::VideoFile), Qt::ElideMiddle);
}

bool FileListView::eventFilter(QObject* watched, QEvent* event) {
    // The list grew or shrank, or a scroll bar came or went.
    if (watched == list_.viewport() && event->type() == QEvent::Resize)
        FitFileColumn();
    return QObject::eventFilter(watched, event);
}

void FileListView::FitFileColumn() {
    // The columns fill the room beside the scroll bar as they filled the
    // list when laid out; the others keep the widths they have.
    int others = 0;
    for (int column = 0; column < kFileColumnCount; ++column) {
        if (column != Col(FileColumn::VideoFile))
            others += list_.columnWidth(column);
    }
    const int spare = kFrameWidths - 2 * list_.frameWidth();
    list_.setColumnWidth(Col(FileColumn::VideoFile),
                         std::max(list_.viewport()->width() - spare - others,
                                  list_.horizontalHeader()->minimumSectionSize()));
}

void FileListView::ShowNewRow(int row) {
    const FileRow r = table_.Row(row);
    if (list_.AddRow(row, QString()) < 0) {
        emit rowRefused(row);
        return;
    }
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
}

void FileListView::ShowCheck(int row) {
    const int shown = table_.Row(row).checked ? 1 : 0;
    if (list_.GetCellCheck(row, Col(FileColumn::Check)) != shown)
        list_.SetCellCheck(row, Col(FileColumn::Check), shown);
}

void FileListView::ShowTrim(int row) {
    const FileRow r = table_.Row(row);
    list_.SetCellText(row, Col(FileColumn::StartTime), Time(r.trimStartSeconds));
    list_.SetCellText(row, Col(FileColumn::EndTime), Time(r.ShownEndSeconds()));
}

void FileListView::ShowStatus(int row) {
    const FileRow r = table_.Row(row);
    const int column = Col(FileColumn::Status);
    const std::optional<ListCell> cell = list_.Cell(row, column);
    if (!cell)
        return;
    const StatusLook look = LookOf(r);
    const int percent = look.bar ? r.percent : 0;
    const QString text = look.bar ? FormatProgressText(look.format, percent) : look.text;
    if (list_.CellText(row, column) != text)
        list_.SetCellText(row, column, text);
    const bool same = (cell->isProgress != 0) == look.bar && cell->percent == percent &&
                      cell->progressText == look.format && cell->tipText == look.tip &&
                      cell->accessibleDescription == look.description;
    if (same)
        return;
    list_.CellModel()->UpdateCell(row, column, [&](ListCell& c) {
        c.isProgress = look.bar ? 1 : 0;
        c.percent = percent;
        c.showPercent = 1;
        c.progressText = look.format;
        c.tipText = look.tip;
        c.accessibleDescription = look.description;
    });
}

void FileListView::TakeChecks(int firstRow, int lastRow) {
    // A row the table does not hold yet (being shown) has nothing to take.
    for (int row = firstRow; row <= lastRow && row < table_.RowCount(); ++row)
        table_.SetChecked(row, list_.GetCellCheck(row, Col(FileColumn::Check)) == 1);
}

} // namespace kiv
