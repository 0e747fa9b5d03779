#include "ListModel.h"

#include "ListGeometry.h"

namespace kiv {

ListModel::ListModel(QObject* parent) : QAbstractTableModel(parent) {}

int ListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) {
        return 0;
    }
    std::lock_guard lock(m_mutex);
    return static_cast<int>(m_rows.size());
}

int ListModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid()) {
        return 0;
    }
    std::lock_guard lock(m_mutex);
    return static_cast<int>(m_columns.size());
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const int row = index.row();
    const int column = index.column();
    std::lock_guard lock(m_mutex);
    if (row >= static_cast<int>(m_rows.size()) || column >= static_cast<int>(m_columns.size())) {
        return {};
    }
    const ListCell* c = cellPointer(row, column);
    switch (role) {
    case Qt::DisplayRole:
        return column < m_rows[row].texts.size() ? m_rows[row].texts[column] : QString();
    case Qt::ToolTipRole:
        if (c && !c->tipText.isEmpty()) {
            return cutTipText(c->tipText);
        }
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_columns[column].alignment);
    case CellRole:
        return c ? QVariant::fromValue(*c) : QVariant();
    case RowEnabledRole: {
        const ListCell* first = cellPointer(row, 0);
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
    std::lock_guard lock(m_mutex);
    if (section < 0 || section >= static_cast<int>(m_columns.size())) {
        return {};
    }
    const Column& c = m_columns[section];
    switch (role) {
    case Qt::DisplayRole:
        return c.heading;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(c.alignment);
    case HeaderCheckRole:
        return c.headerCheck;
    default:
        return {};
    }
}

Qt::ItemFlags ListModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

int ListModel::insertColumnItem(int column, const QString& heading, Qt::Alignment alignment) {
    const int count = columnCount();
    column = std::clamp(column, 0, count);
    beginInsertColumns({}, column, column);
    {
        std::lock_guard lock(m_mutex);
        m_columns.insert(m_columns.begin() + column, Column{heading, alignment, 0});
        for (Row& r : m_rows) {
            if (column <= r.texts.size()) {
                r.texts.insert(column, QString());
            }
        }
    }
    endInsertColumns();
    return column;
}

int ListModel::insertRowItem(int row, const QString& text, std::vector<ListCell> cells) {
    const int count = rowCount();
    row = std::clamp(row, 0, count);
    beginInsertRows({}, row, row);
    {
        std::lock_guard lock(m_mutex);
        Row r;
        r.texts.resize(static_cast<qsizetype>(std::max<size_t>(m_columns.size(), 1)));
        r.texts[0] = text;
        r.cells = std::move(cells);
        m_rows.insert(m_rows.begin() + row, std::move(r));
    }
    endInsertRows();
    return row;
}

bool ListModel::removeRowItem(int row) {
    if (row < 0 || row >= rowCount()) {
        return false;
    }
    beginRemoveRows({}, row, row);
    {
        std::lock_guard lock(m_mutex);
        m_rows.erase(m_rows.begin() + row);
    }
    endRemoveRows();
    return true;
}

void ListModel::removeAllRowItems() {
    beginResetModel();
    {
        std::lock_guard lock(m_mutex);
        m_rows.clear();
    }
    endResetModel();
}

bool ListModel::isValidCell(int row, int column) const {
    std::lock_guard lock(m_mutex);
    return row >= 0 && row < static_cast<int>(m_rows.size()) && column >= 0 &&
           column < static_cast<int>(m_columns.size());
}

QString ListModel::text(int row, int column) const {
    std::lock_guard lock(m_mutex);
    if (row < 0 || row >= static_cast<int>(m_rows.size()) || column < 0 ||
        column >= m_rows[row].texts.size()) {
        return {};
    }
    return m_rows[row].texts[column];
}

bool ListModel::setText(int row, int column, const QString& text) {
    {
        std::lock_guard lock(m_mutex);
        if (row < 0 || row >= static_cast<int>(m_rows.size()) || column < 0 ||
            column >= static_cast<int>(m_columns.size())) {
            return false;
        }
        QStringList& texts = m_rows[row].texts;
        if (column >= texts.size()) {
            texts.resize(column + 1);
        }
        texts[column] = text;
    }
    emitCellChanged(row, column);
    return true;
}

std::optional<ListCell> ListModel::cell(int row, int column) const {
    std::lock_guard lock(m_mutex);
    const ListCell* c = cellPointer(row, column);
    return c ? std::optional<ListCell>(*c) : std::nullopt;
}

bool ListModel::hasCellData(int row) const {
    std::lock_guard lock(m_mutex);
    return row >= 0 && row < static_cast<int>(m_rows.size()) && !m_rows[row].cells.empty();
}

bool ListModel::rowEnabled(int row) const {
    std::lock_guard lock(m_mutex);
    const ListCell* first = cellPointer(row, 0);
    return first ? first->enabled != 0 : true;
}

std::vector<int> ListModel::columnChecks(int column) const {
    std::lock_guard lock(m_mutex);
    std::vector<int> checks;
    checks.reserve(m_rows.size());
    for (int row = 0; row < static_cast<int>(m_rows.size()); ++row) {
        const ListCell* c = cellPointer(row, column);
        checks.push_back(c ? c->check : -1);
    }
    return checks;
}

Qt::Alignment ListModel::columnAlignment(int column) const {
    std::lock_guard lock(m_mutex);
    if (column < 0 || column >= static_cast<int>(m_columns.size())) {
        return Qt::AlignLeft;
    }
    return m_columns[column].alignment;
}

int ListModel::headerCheck(int column) const {
    std::lock_guard lock(m_mutex);
    if (column < 0 || column >= static_cast<int>(m_columns.size())) {
        return -1;
    }
    return m_columns[column].headerCheck;
}

bool ListModel::setHeaderCheck(int column, int state) {
    {
        std::lock_guard lock(m_mutex);
        if (column < 0 || column >= static_cast<int>(m_columns.size())) {
            return false;
        }
        m_columns[column].headerCheck = state;
    }
    emit headerDataChanged(Qt::Horizontal, column, column);
    return true;
}

ListCell* ListModel::cellPointer(int row, int column) {
    if (row < 0 || row >= static_cast<int>(m_rows.size()) || column < 0) {
        return nullptr;
    }
    std::vector<ListCell>& cells = m_rows[row].cells;
    return column < static_cast<int>(cells.size()) ? &cells[column] : nullptr;
}

const ListCell* ListModel::cellPointer(int row, int column) const {
    return const_cast<ListModel*>(this)->cellPointer(row, column);
}

void ListModel::emitCellChanged(int row, int column) {
    const QModelIndex i = index(row, column);
    emit dataChanged(i, i);
}

} // namespace kiv
