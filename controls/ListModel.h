#pragma once
// The table model behind CXListCtrl: per row the item texts and one ListCell per
// column that existed when the row was added.
//
// Threads: the model is changed only on the GUI thread. Every access to the rows
// takes an internal mutex, so another thread may read cell state (row count,
// cell checks, texts) while the GUI thread works; signals are emitted after the
// mutex is released.

#include "ListCell.h"

#include <QAbstractTableModel>

#include <algorithm>
#include <mutex>
#include <optional>
#include <vector>

namespace kiv {

class ListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Role {
        CellRole = Qt::UserRole + 1, // QVariant<ListCell>, invalid without cell data
        RowEnabledRole,              // bool: the row's column-0 cell is enabled
        HeaderCheckRole,             // header only: 0 none, 1 unchecked, 2 checked
    };

    explicit ListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    int InsertColumnItem(int column, const QString& heading, Qt::Alignment alignment);
    // Inserts a row at row (appends when row is past the end); cells may be empty
    // for a row without cell data. Returns the new row's index.
    int InsertRowItem(int row, const QString& text, std::vector<ListCell> cells);
    bool RemoveRowItem(int row);
    void RemoveAllRowItems();

    bool IsValidCell(int row, int column) const;
    QString Text(int row, int column) const;
    bool SetText(int row, int column, const QString& text);
    std::optional<ListCell> Cell(int row, int column) const;
    // Runs change on the cell under the lock and reports the cell as changed.
    template <typename F> bool UpdateCell(int row, int column, F change) {
        {
            std::lock_guard lock(mutex_);
            ListCell* c = CellPointer(row, column);
            if (!c) {
                return false;
            }
            change(*c);
        }
        EmitCellChanged(row, column);
        return true;
    }
    bool HasCellData(int row) const;
    bool RowEnabled(int row) const;
    // Check values of every row's cell in a column (-1 for rows without one).
    std::vector<int> ColumnChecks(int column) const;

    Qt::Alignment ColumnAlignment(int column) const;
    int HeaderCheck(int column) const;
    bool SetHeaderCheck(int column, int state);
    bool SetHeaderAccessibleName(int column, const QString& name);

private:
    struct Row {
        QStringList texts;
        std::vector<ListCell> cells;
    };
    struct Column {
        QString heading;
        Qt::Alignment alignment;
        int headerCheck = 0;
        QString accessibleName; // when empty, screen readers say the heading
    };

    ListCell* CellPointer(int row, int column);
    const ListCell* CellPointer(int row, int column) const;
    void EmitCellChanged(int row, int column);

    mutable std::mutex mutex_;
    std::vector<Row> rows_;
    std::vector<Column> columns_;
};

} // namespace kiv
