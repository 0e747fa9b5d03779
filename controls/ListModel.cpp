#include "ListModel.h"

#include "ListGeometry.h"
#include <QLocale>

namespace kiv {

ListModel::ListModel(QObject* parent) : QAbstractTableModel(parent) {}

int ListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) {
        return 0;
    }
    std::lock_guard lock(mutex_);
    return static_cast<int>(rows_.size());
}

int ListModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid()) {
        return 0;
    }
    std::lock_guard lock(mutex_);
    return static_cast<int>(columns_.size());
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const int row = index.row();
    const int column = index.column();
    std::lock_guard lock(mutex_);
    if (row >= static_cast<int>(rows_.size()) || column >= static_cast<int>(columns_.size())) {
        return {};
    }
    const ListCell* c = CellPointer(row, column);
    switch (role) {
    case Qt::DisplayRole:
        return column < rows_[row].texts.size() ? rows_[row].texts[column] : QString();
    case Qt::AccessibleTextRole: {
        // What a screen reader says for the cell: a progress bar's
        // percentage, a check box's state, else the text.
        if (c && c->isProgress) {
            return tr("%1 %").arg(QLocale().toString(c->percent));
        }
        const QString text =
            column < rows_[row].texts.size() ? rows_[row].texts[column] : QString();
        if (c && c->check >= 0 && text.isEmpty()) {
            return c->check == 1 ? tr("Checked") : tr("Not checked");
        }
        return text;
    }
    case Qt::AccessibleDescriptionRole:
        return c ? c->accessibleDescription : QString();
    case Qt::ToolTipRole:
        if (c && !c->tipText.isEmpty()) {
            return CutTipText(c->tipText);
        }
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(columns_[column].alignment);
    case CellRole:
        return c ? QVariant::fromValue(*c) : QVariant();
    case RowEnabledRole: {
        const ListCell* first = CellPointer(row, 0);
        return first ? first->enabled != 0 : true;
    }
    default:
        return {};
    }
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) {
        return {};
    }
    std::lock_guard lock(mutex_);
    if (section < 0 || section >= static_cast<int>(columns_.size())) {
        return {};
    }
    const Column& c = columns_[section];
    switch (role) {
    case Qt::DisplayRole:
        return c.heading;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(c.alignment);
    case HeaderCheckRole:
        return c.headerCheck;
    case Qt::AccessibleTextRole:
        return c.accessibleName.isEmpty() ? c.heading : c.accessibleName;
    case Qt::AccessibleDescriptionRole:
        // A header check box says whether it shows every row checked.
        if (c.headerCheck == 1 || c.headerCheck == 2) {
            return c.headerCheck == 2 ? tr("Checked") : tr("Not checked");
        }
        return {};
    default:
        return {};
    }
}

Qt::ItemFlags ListModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

int ListModel::InsertColumnItem(int column, const QString& heading, Qt::Alignment alignment) {
    const int count = columnCount();
    column = std::clamp(column, 0, count);
    beginInsertColumns({}, column, column);
    {
        std::lock_guard lock(mutex_);
        columns_.insert(columns_.begin() + column, Column{heading, alignment, 0, {}});
        for (Row& r : rows_) {
            if (column <= r.texts.size()) {
                r.texts.insert(column, QString());
            }
        }
    }
    endInsertColumns();
    return column;
}

int ListModel::InsertRowItem(int row, const QString& text, std::vector<ListCell> cells) {
    const int count = rowCount();
    row = std::clamp(row, 0, count);
    beginInsertRows({}, row, row);
    {
        std::lock_guard lock(mutex_);
        Row r;
        r.texts.resize(static_cast<qsizetype>(std::max<size_t>(columns_.size(), 1)));
        r.texts[0] = text;
        r.cells = std::move(cells);
        rows_.insert(rows_.begin() + row, std::move(r));
    }
    endInsertRows();
    return row;
}

bool ListModel::RemoveRowItem(int row) {
    if (row < 0 || row >= rowCount()) {
        return false;
    }
    beginRemoveRows({}, row, row);
    {
        std::lock_guard lock(mutex_);
        rows_.erase(rows_.begin() + row);
    }
    endRemoveRows();
    return true;
}

void ListModel::RemoveAllRowItems() {
    beginResetModel();
    {
        std::lock_guard lock(mutex_);
        rows_.clear();
    }
    endResetModel();
}

bool ListModel::IsValidCell(int row, int column) const {
    std::lock_guard lock(mutex_);
    return row >= 0 && row < static_cast<int>(rows_.size()) && column >= 0 &&
           column < static_cast<int>(columns_.size());
}

QString ListModel::Text(int row, int column) const {
    std::lock_guard lock(mutex_);
    if (row < 0 || row >= static_cast<int>(rows_.size()) || column < 0 ||
        column >= rows_[row].texts.size()) {
        return {};
    }
    return rows_[row].texts[column];
}

bool ListModel::SetText(int row, int column, const QString& text) {
    {
        std::lock_guard lock(mutex_);
        if (row < 0 || row >= static_cast<int>(rows_.size()) || column < 0 ||
            column >= static_cast<int>(columns_.size())) {
            return false;
        }
        QStringList& texts = rows_[row].texts;
        if (column >= texts.size()) {
            texts.resize(column + 1);
        }
        texts[column] = text;
    }
    EmitCellChanged(row, column);
    return true;
}

std::optional<ListCell> ListModel::Cell(int row, int column) const {
    std::lock_guard lock(mutex_);
    const ListCell* c = CellPointer(row, column);
    return c ? std::optional<ListCell>(*c) : std::nullopt;
}

bool ListModel::HasCellData(int row) const {
    std::lock_guard lock(mutex_);
    return row >= 0 && row < static_cast<int>(rows_.size()) && !rows_[row].cells.empty();
}

bool ListModel::RowEnabled(int row) const {
    std::lock_guard lock(mutex_);
    const ListCell* first = CellPointer(row, 0);
    return first ? first->enabled != 0 : true;
}

std::vector<int> ListModel::ColumnChecks(int column) const {
    std::lock_guard lock(mutex_);
    std::vector<int> checks;
    checks.reserve(rows_.size());
    for (int row = 0; row < static_cast<int>(rows_.size()); ++row) {
        const ListCell* c = CellPointer(row, column);
        checks.push_back(c ? c->check : -1);
    }
    return checks;
}

Qt::Alignment ListModel::ColumnAlignment(int column) const {
    std::lock_guard lock(mutex_);
    if (column < 0 || column >= static_cast<int>(columns_.size())) {
        return Qt::AlignLeft;
    }
    return columns_[column].alignment;
}

int ListModel::HeaderCheck(int column) const {
    std::lock_guard lock(mutex_);
    if (column < 0 || column >= static_cast<int>(columns_.size())) {
        return -1;
    }
    return columns_[column].headerCheck;
}

bool ListModel::SetHeaderCheck(int column, int state) {
    {
        std::lock_guard lock(mutex_);
        if (column < 0 || column >= static_cast<int>(columns_.size())) {
            return false;
        }
        columns_[column].headerCheck = state;
    }
    emit headerDataChanged(Qt::Horizontal, column, column);
    return true;
}

bool ListModel::SetHeaderAccessibleName(int column, const QString& name) {
    {
        std::lock_guard lock(mutex_);
        if (column < 0 || column >= static_cast<int>(columns_.size())) {
            return false;
        }
        columns_[column].accessibleName = name;
    }
    emit headerDataChanged(Qt::Horizontal, column, column);
    return true;
}

ListCell* ListModel::CellPointer(int row, int column) {
    if (row < 0 || row >= static_cast<int>(rows_.size()) || column < 0) {
        return nullptr;
    }
    std::vector<ListCell>& cells = rows_[row].cells;
    return column < static_cast<int>(cells.size()) ? &cells[column] : nullptr;
}

const ListCell* ListModel::CellPointer(int row, int column) const {
    return const_cast<ListModel*>(this)->CellPointer(row, column);
}

void ListModel::EmitCellChanged(int row, int column) {
    const QModelIndex i = index(row, column);
    emit dataChanged(i, i);
}

} // namespace kiv
