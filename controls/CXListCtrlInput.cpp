// Mouse presses and keys on the list, clicks on its header, and the
// keyboard focus drawn over the rows.

#include "CXComboList.h"
#include "CXHeaderCtrl.h"
#include "CXListCtrl.h"
#include "ListGeometry.h"
#include "ListModel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

#include <algorithm>

namespace kiv {

void CXListCtrl::UpdateHeaderCheckFromColumn(int column) {
    const int header = GetHeaderCheck(column);
    if (header != 1 && header != 2) {
        return;
    }
    const std::vector<int> checks = model_->ColumnChecks(column);
    // An empty list has nothing checked.
    const bool all =
        !checks.empty() && std::all_of(checks.begin(), checks.end(), [](int c) { return c == 1; });
    SetHeaderCheck(column, all ? 2 : 1);
}

void CXListCtrl::UpdateHeaderChecks() {
    for (int column = 0; column < ColumnCount(); ++column) {
        UpdateHeaderCheckFromColumn(column);
    }
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
    if (event->button() == Qt::RightButton) {
        // The row under the pointer becomes the one selected row, so a menu
        // opened by this click acts on it and on no other.
        const QModelIndex index = indexAt(event->position().toPoint());
        if (index.isValid() && model_->RowEnabled(index.row())) {
            selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                         QItemSelectionModel::Rows);
        }
        event->accept();
        return;
    }
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

void CXListCtrl::keyPressEvent(QKeyEvent* event) {
    const QModelIndex current = currentIndex();
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier &&
        current.isValid()) {
        // Space toggles the current row's check box, as a click on it does.
        const int row = current.row();
        if (model_->HasCellData(row) && model_->RowEnabled(row)) {
            for (int column = 0; column < ColumnCount(); ++column) {
                const std::optional<ListCell> c = model_->Cell(row, column);
                if (c && c->check >= 0) {
                    ToggleCheck(row, column);
                    break;
                }
            }
        }
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier &&
        contextMenuPolicy() == Qt::CustomContextMenu) {
        // The menu key's other spelling, opened over the current row.
        const QPoint at = current.isValid() ? visualRect(current).center() : QPoint(0, 0);
        emit customContextMenuRequested(at);
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void CXListCtrl::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    if (!hasFocus()) {
        return;
    }
    // The cells paint no focus of their own: the focus frame goes around
    // the current row, or inside the empty list.
    const QModelIndex current = currentIndex();
    QRect frame = viewport()->rect().adjusted(1, 1, -2, -2);
    if (current.isValid()) {
        const int top = rowViewportPosition(current.row());
        frame = QRect(0, top, viewport()->width(), rowHeight(current.row())).adjusted(0, 0, -1, -1);
    }
    QPainter p(viewport());
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = frame;
    option.backgroundColor = palette().color(QPalette::Base);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
}

} // namespace kiv
