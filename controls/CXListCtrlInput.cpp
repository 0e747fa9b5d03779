// Mouse presses on the list and clicks on its header.

#include "CXComboList.h"
#include "CXHeaderCtrl.h"
#include "CXListCtrl.h"
#include "ListGeometry.h"
#include "ListModel.h"

#include <QMouseEvent>

#include <algorithm>

namespace kiv {

void CXListCtrl::UpdateHeaderCheckFromColumn(int column) {
    const int header = GetHeaderCheck(column);
    if (header != 1 && header != 2) {
        return;
    }
    const std::vector<int> checks = model_->ColumnChecks(column);
    const bool all = std::all_of(checks.begin(), checks.end(), [](int c) { return c == 1; });
    SetHeaderCheck(column, all ? 2 : 1);
}

void CXListCtrl::ToggleCheck(int row, int column) {
    model_->UpdateCell(row, column, [](ListCell& c) { c.check = c.check == 0 ? 1 : 0; });
    RedrawCell(row, column);
    emit checkBoxClicked(row, column);
    UpdateHeaderCheckFromColumn(column);
}

void CXListCtrl::OnHeaderClicked(int column) {
    const int header = GetHeaderCheck(column);
    if (header != 1 && header != 2) {
        return;
    }
    SetHeaderCheck(column, header == 1 ? 2 : 1);
    header_->viewport()->repaint(); // the header shows its new state at once
    const int newCheck = header == 1 ? 1 : 0;
    const int rows = RowCount();
    for (int row = 0; row < rows; ++row) {
        model_->UpdateCell(row, column, [newCheck](ListCell& c) {
            if (c.check != -1) {
                c.check = newCheck;
            }
        });
    }
}

void CXListCtrl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QTableView::mousePressEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    const QModelIndex index = indexAt(pos);
    if (!index.isValid()) {
        if (comboList_) {
            OnComboEscape();
        }
        QTableView::mousePressEvent(event);
        return;
    }
    const int row = index.row();
    if (!model_->HasCellData(row) || !model_->RowEnabled(row)) {
        event->accept(); // a disabled row swallows the press
        return;
    }
    const int column = index.column();
    const std::optional<ListCell> c = model_->Cell(row, column);
    if (c && c->check >= 0) {
        ToggleCheck(row, column);
    } else if (c && c->isCombo) {
        if (comboList_) {
            OnComboEscape();
        }
        const EdgeRect button = ComboButtonRect(EdgeRect::FromQRect(GetCellRect(row, column)));
        if (button.Contains(pos)) {
            PressComboButton(row, column);
        }
    } else if (comboList_) {
        OnComboEscape();
    }
    QTableView::mousePressEvent(event);
}

void CXListCtrl::mouseReleaseEvent(QMouseEvent* event) {
    QTableView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && comboPressed_) {
        ReleaseComboButton();
    }
}

} // namespace kiv
