#include "CXListCtrl.h"

#include "CXComboList.h"
#include "CXHeaderCtrl.h"
#include "ListDelegate.h"
#include "ListModel.h"
#include "SystemColours.h"

#include <QThread>

#include <algorithm>

namespace kiv {

CXListCtrl::CXListCtrl(QWidget* parent)
    : QTableView(parent), m_model(new ListModel(this)), m_delegate(new ListDelegate(this)),
      m_header(new CXHeaderCtrl(this)) {
    setHorizontalHeader(m_header);
    setModel(m_model);
    setItemDelegate(m_delegate);
    setShowGrid(false);
    setWordWrap(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 2);
    m_header->setStretchLastSection(false);
    connect(m_header, &QHeaderView::sectionClicked, this, &CXListCtrl::onHeaderClicked);
    m_delegate->setInitialTextHook([this](int row, int column, const QString& text) {
        // The shown initial entry becomes the cell text, outside the paint.
        QMetaObject::invokeMethod(
            this,
            [this, row, column, text] {
                if (cellText(row, column).isEmpty()) {
                    SetCellText(row, column, text);
                }
            },
            Qt::QueuedConnection);
    });
    m_comboTimer.setInterval(100);
    connect(&m_comboTimer, &QTimer::timeout, this, &CXListCtrl::onComboTimer);
}

CXListCtrl::~CXListCtrl() {
    destroyDropDown();
}

bool CXListCtrl::onGuiThread() const {
    return QThread::currentThread() == thread();
}

int CXListCtrl::insertColumn(int column, const QString& heading, Qt::Alignment alignment,
                             int width) {
    const int at = m_model->insertColumnItem(column, heading, alignment);
    if (width >= 0) {
        setColumnWidth(at, width);
    }
    return at;
}

int CXListCtrl::AddRow(int row, const QString& text) {
    if (row < 0) {
        return -1;
    }
    const SystemColours sc = SystemColours::fromPalette(palette());
    ListCell defaults;
    defaults.textColour = sc.windowText;
    defaults.backColour = sc.window;
    const int columns = std::max(ColumnCount(), 1);
    std::vector<ListCell> cells(static_cast<size_t>(columns), defaults);
    return m_model->insertRowItem(row, text, std::move(cells));
}

int CXListCtrl::RemoveRow(int row) {
    if (row < 0 || row >= rowCount()) {
        return 0;
    }
    if (row == m_comboRow) {
        onComboEscape();
    }
    return m_model->removeRowItem(row) ? 1 : 0;
}

void CXListCtrl::RemoveAllRows() {
    onComboEscape();
    m_model->removeAllRowItems();
}

int CXListCtrl::SetCellText(int row, int column, const QString& text) {
    if (!m_model->isValidCell(row, column)) {
        return 0;
    }
    if (!onGuiThread()) {
        QMetaObject::invokeMethod(
            this, [this, row, column, text] { SetCellText(row, column, text); },
            Qt::QueuedConnection);
        return 1;
    }
    return m_model->setText(row, column, text) ? 1 : 0;
}

QString CXListCtrl::cellText(int row, int column) const {
    return m_model->text(row, column);
}

int CXListCtrl::SetCellCheck(int row, int column, int state) {
    if (!m_model->isValidCell(row, column)) {
        return 0;
    }
    if (!m_model->updateCell(row, column, [state](ListCell& c) { c.check = state; })) {
        return 0;
    }
    updateHeaderCheckFromColumn(column);
    return 1;
}

int CXListCtrl::GetCellCheck(int row, int column) const {
    if (!m_model->isValidCell(row, column)) {
        return -1;
    }
    const std::optional<ListCell> c = m_model->cell(row, column);
    return c ? c->check : -1;
}

int CXListCtrl::ShowCellProgress(int row, int column, bool showPercent, const QString& text) {
    if (!m_model->isValidCell(row, column) || !m_model->hasCellData(row)) {
        return 0;
    }
    if (!onGuiThread()) {
        QMetaObject::invokeMethod(
            this, [=, this] { ShowCellProgress(row, column, showPercent, text); },
            Qt::QueuedConnection);
        return 1;
    }
    return m_model->updateCell(row, column,
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
    if (!m_model->isValidCell(row, column) || !m_model->hasCellData(row)) {
        return 0;
    }
    if (!onGuiThread()) {
        QMetaObject::invokeMethod(
            this, [=, this] { SetCellProgress(row, column, percent); }, Qt::QueuedConnection);
        return 1;
    }
    return m_model->updateCell(row, column, [percent](ListCell& c) { c.percent = percent; }) ? 1
                                                                                             : 0;
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
    if (row < 0 || row >= rowCount()) {
        return 0;
    }
    if (!onGuiThread()) {
        QMetaObject::invokeMethod(
            this, [this, row] { SelectRow(row); }, Qt::QueuedConnection);
        return 1;
    }
    const QModelIndex index = m_model->index(row, 0);
    selectionModel()->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    return 1;
}

int CXListCtrl::ColumnCount() const {
    return m_model->columnCount();
}

int CXListCtrl::rowCount() const {
    return m_model->rowCount();
}

int CXListCtrl::GetHeaderCheck(int column) const {
    return m_model->headerCheck(column);
}

int CXListCtrl::SetHeaderCheck(int column, int state) {
    if (!m_model->setHeaderCheck(column, state)) {
        return 0;
    }
    m_header->viewport()->update();
    return 1;
}

int CXListCtrl::CountCheckedRows(int column) const {
    if (column < 0 || column >= ColumnCount()) {
        return 0;
    }
    const std::vector<int> checks = m_model->columnChecks(column);
    return static_cast<int>(std::count(checks.begin(), checks.end(), 1));
}

QRect CXListCtrl::GetCellRect(int row, int column) const {
    if (!m_model->isValidCell(row, column)) {
        return {};
    }
    QRect rect = visualRect(m_model->index(row, column));
    if (column == 0 && ColumnCount() >= 2) {
        rect.setRight(columnViewportPosition(1) - 1);
    }
    return rect;
}

void CXListCtrl::RedrawCell(int row, int column) {
    if (row < 0 || row >= rowCount() || column < -1 || column >= ColumnCount()) {
        return;
    }
    if (!onGuiThread()) {
        QMetaObject::invokeMethod(
            this, [=, this] { RedrawCell(row, column); }, Qt::QueuedConnection);
        return;
    }
    if (column == -1) {
        viewport()->update(0, rowViewportPosition(row), viewport()->width(), rowHeight(row));
    } else {
        viewport()->update(GetCellRect(row, column));
    }
}

std::optional<ListCell> CXListCtrl::cell(int row, int column) const {
    return m_model->cell(row, column);
}

int CXListCtrl::setRowEnabled(int row, bool enabled) {
    if (!m_model->isValidCell(row, 0) ||
        !m_model->updateCell(row, 0, [enabled](ListCell& c) { c.enabled = enabled ? 1 : 0; })) {
        return 0;
    }
    RedrawCell(row, -1);
    return 1;
}

int CXListCtrl::setCellBold(int row, int column, bool bold) {
    return m_model->updateCell(row, column, [bold](ListCell& c) { c.bold = bold ? 1 : 0; });
}

int CXListCtrl::setCellImage(int row, int column, int image) {
    return m_model->updateCell(row, column, [image](ListCell& c) { c.image = image; });
}

int CXListCtrl::setCellTip(int row, int column, const QString& tip) {
    return m_model->updateCell(row, column, [&tip](ListCell& c) { c.tipText = tip; });
}

int CXListCtrl::setCellColours(int row, int column, const QColor& text, const QColor& back) {
    return m_model->updateCell(row, column, [&](ListCell& c) {
        c.textColour = text;
        c.backColour = back;
    });
}

int CXListCtrl::setCellUserData(int row, int column, std::uint32_t data) {
    return m_model->updateCell(row, column, [data](ListCell& c) { c.userData = data; });
}

int CXListCtrl::setComboBox(int row, int column, const QStringList& items, int comboRows,
                            int comboInitial) {
    return m_model->updateCell(row, column, [&](ListCell& c) {
        c.isCombo = 1;
        c.comboItems = items;
        c.comboRows = comboRows;
        c.comboInitial = comboInitial;
    });
}

void CXListCtrl::setSmallImageList(const QList<QPixmap>& images) {
    m_delegate->setSmallImages(images);
    viewport()->update();
}

void CXListCtrl::setHeaderImageList(const QList<QPixmap>& images) {
    m_header->setImageList(images);
}

void CXListCtrl::setFullRowSelect(bool on) {
    m_delegate->setFullRowSelect(on);
    viewport()->update();
}

void CXListCtrl::setShowSelectionAlways(bool on) {
    m_delegate->setShowSelectionAlways(on);
    viewport()->update();
}

} // namespace kiv
