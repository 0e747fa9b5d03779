#include "CXListCtrl.h"

#include "CXComboList.h"
#include "CXHeaderCtrl.h"
#include "ListDelegate.h"
#include "ListModel.h"
#include "SystemColours.h"

#include <algorithm>

namespace kiv {

CXListCtrl::CXListCtrl(QWidget* parent)
    : QTableView(parent), model_(new ListModel(this)), delegate_(new ListDelegate(this)),
      header_(new CXHeaderCtrl(this)) {
    setHorizontalHeader(header_);
    setModel(model_);
    setItemDelegate(delegate_);
    setShowGrid(false);
    setWordWrap(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab and Shift+Tab leave the list for the next control; the arrow keys
    // move inside it.
    setTabKeyNavigation(false);
    setSortingEnabled(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 2);
    header_->setStretchLastSection(false);
    connect(header_, &QHeaderView::sectionClicked, this, &CXListCtrl::OnHeaderClicked);
    delegate_->SetInitialTextHook([this](int row, int column, const QString& text) {
        // The shown initial entry becomes the cell text, outside the paint.
        QMetaObject::invokeMethod(
            this,
            [this, row, column, text] {
                if (CellText(row, column).isEmpty()) {
                    SetCellText(row, column, text);
                }
            },
            Qt::QueuedConnection);
    });
    comboTimer_.setInterval(100);
    connect(&comboTimer_, &QTimer::timeout, this, &CXListCtrl::OnComboTimer);
}

CXListCtrl::~CXListCtrl() {
    DestroyDropDown();
}

int CXListCtrl::InsertColumn(int column, const QString& heading, Qt::Alignment alignment,
                             int width) {
    const int at = model_->InsertColumnItem(column, heading, alignment);
    if (width >= 0) {
        setColumnWidth(at, width);
    }
    return at;
}

int CXListCtrl::AddRow(int row, const QString& text) {
    if (row < 0) {
        return -1;
    }
    const SystemColours sc = SystemColours::FromPalette(palette());
    ListCell defaults;
    defaults.textColour = sc.windowText;
    defaults.backColour = sc.window;
    const int columns = std::max(ColumnCount(), 1);
    std::vector<ListCell> cells(static_cast<size_t>(columns), defaults);
    return model_->InsertRowItem(row, text, std::move(cells));
}

int CXListCtrl::RemoveRow(int row) {
    if (row < 0 || row >= RowCount()) {
        return 0;
    }
    if (row == comboRow_) {
        OnComboEscape();
    }
    const bool removed = model_->RemoveRowItem(row);
    // The header's check box tells about the rows that are left.
    UpdateHeaderChecks();
    return removed ? 1 : 0;
}

void CXListCtrl::RemoveAllRows() {
    OnComboEscape();
    model_->RemoveAllRowItems();
    UpdateHeaderChecks();
}

int CXListCtrl::SetCellText(int row, int column, const QString& text) {
    if (!model_->IsValidCell(row, column)) {
        return 0;
    }
    return model_->SetText(row, column, text) ? 1 : 0;
}

QString CXListCtrl::CellText(int row, int column) const {
    return model_->Text(row, column);
}

int CXListCtrl::SetCellCheck(int row, int column, int state) {
    if (!model_->IsValidCell(row, column)) {
        return 0;
    }
    if (!model_->UpdateCell(row, column, [state](ListCell& c) { c.check = state; })) {
        return 0;
    }
    UpdateHeaderCheckFromColumn(column);
    return 1;
}

int CXListCtrl::GetCellCheck(int row, int column) const {
    if (!model_->IsValidCell(row, column)) {
        return -1;
    }
    const std::optional<ListCell> c = model_->Cell(row, column);
    return c ? c->check : -1;
}

int CXListCtrl::ShowCellProgress(int row, int column, bool showPercent, const QString& text) {
    if (!model_->IsValidCell(row, column) || !model_->HasCellData(row)) {
        return 0;
    }
    return model_->UpdateCell(row, column,
                              [&](ListCell& c) {
                                  c.isProgress = 1;
                                  c.percent = 0;
                                  c.showPercent = showPercent ? 1 : 0;
                                  c.progressText = text;
                              })
               ? 1
               : 0;
}

int CXListCtrl::SetCellProgress(int row, int column, int percent) {
    if (!model_->IsValidCell(row, column) || !model_->HasCellData(row)) {
        return 0;
    }
    return model_->UpdateCell(row, column, [percent](ListCell& c) { c.percent = percent; }) ? 1 : 0;
}

int CXListCtrl::FirstSelectedRow() const {
    int first = -1;
    for (const QModelIndex& index : selectionModel()->selectedRows()) {
        if (first < 0 || index.row() < first) {
            first = index.row();
        }
    }
    return first;
}

int CXListCtrl::SelectRow(int row) {
    if (row < 0 || row >= RowCount()) {
        return 0;
    }
    const QModelIndex index = model_->index(row, 0);
    selectionModel()->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    return 1;
}

int CXListCtrl::ColumnCount() const {
    return model_->columnCount();
}

int CXListCtrl::RowCount() const {
    return model_->rowCount();
}

int CXListCtrl::GetHeaderCheck(int column) const {
    return model_->HeaderCheck(column);
}

int CXListCtrl::SetHeaderCheck(int column, int state) {
    if (!model_->SetHeaderCheck(column, state)) {
        return 0;
    }
    header_->viewport()->update();
    return 1;
}

int CXListCtrl::CountCheckedRows(int column) const {
    if (column < 0 || column >= ColumnCount()) {
        return 0;
    }
    const std::vector<int> checks = model_->ColumnChecks(column);
    return static_cast<int>(std::count(checks.begin(), checks.end(), 1));
}

QRect CXListCtrl::GetCellRect(int row, int column) const {
    if (!model_->IsValidCell(row, column)) {
        return {};
    }
    QRect rect = visualRect(model_->index(row, column));
    if (column == 0 && ColumnCount() >= 2) {
        rect.setRight(columnViewportPosition(1) - 1);
    }
    return rect;
}

void CXListCtrl::RedrawCell(int row, int column) {
    if (row < 0 || row >= RowCount() || column < -1 || column >= ColumnCount()) {
        return;
    }
    if (column == -1) {
        viewport()->update(0, rowViewportPosition(row), viewport()->width(), rowHeight(row));
    } else {
        viewport()->update(GetCellRect(row, column));
    }
}

std::optional<ListCell> CXListCtrl::Cell(int row, int column) const {
    return model_->Cell(row, column);
}

int CXListCtrl::SetRowEnabled(int row, bool enabled) {
    if (!model_->IsValidCell(row, 0) ||
        !model_->UpdateCell(row, 0, [enabled](ListCell& c) { c.enabled = enabled ? 1 : 0; })) {
        return 0;
    }
    RedrawCell(row, -1);
    return 1;
}

int CXListCtrl::SetCellBold(int row, int column, bool bold) {
    return model_->UpdateCell(row, column, [bold](ListCell& c) { c.bold = bold ? 1 : 0; });
}

int CXListCtrl::SetCellImage(int row, int column, int image) {
    return model_->UpdateCell(row, column, [image](ListCell& c) { c.image = image; });
}

int CXListCtrl::SetCellTip(int row, int column, const QString& tip) {
    return model_->UpdateCell(row, column, [&tip](ListCell& c) { c.tipText = tip; });
}

int CXListCtrl::SetCellColours(int row, int column, const QColor& text, const QColor& back) {
    return model_->UpdateCell(row, column, [&](ListCell& c) {
        c.textColour = text;
        c.backColour = back;
    });
}

int CXListCtrl::SetCellUserData(int row, int column, std::uint32_t data) {
    return model_->UpdateCell(row, column, [data](ListCell& c) { c.userData = data; });
}

int CXListCtrl::SetComboBox(int row, int column, const QStringList& items, int comboRows,
                            int comboInitial) {
    return model_->UpdateCell(row, column, [&](ListCell& c) {
        c.isCombo = 1;
        c.comboItems = items;
        c.comboRows = comboRows;
        c.comboInitial = comboInitial;
    });
}

void CXListCtrl::SetSmallImageList(const QList<QPixmap>& images) {
    delegate_->SetSmallImages(images);
    viewport()->update();
}

void CXListCtrl::SetHeaderImageList(const QList<QPixmap>& images) {
    header_->SetImageList(images);
}

void CXListCtrl::SetFullRowSelect(bool on) {
    delegate_->SetFullRowSelect(on);
    viewport()->update();
}

void CXListCtrl::SetShowSelectionAlways(bool on) {
    delegate_->SetShowSelectionAlways(on);
    viewport()->update();
}

void CXListCtrl::SetColumnElideMode(int column, Qt::TextElideMode mode) {
    delegate_->SetColumnElideMode(column, mode);
    viewport()->update();
}

void CXListCtrl::SetHeaderAccessibleName(int column, const QString& name) {
    model_->SetHeaderAccessibleName(column, name);
}

} // namespace kiv
