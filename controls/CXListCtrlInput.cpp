// Mouse presses on the list and clicks on its header.

#include "CXComboList.h"
#include "CXHeaderCtrl.h"
#include "CXListCtrl.h"
#include "ListGeometry.h"
#include "ListModel.h"

#include <QMouseEvent>

#include <algorithm>

namespace kiv {

void CXListCtrl::updateHeaderCheckFromColumn(int column) {
    const int header = GetHeaderCheck(column);
    if (header != 1 && header != 2) {
        return;
    }
    const std::vector<int> checks = m_model->columnChecks(column);
    const bool all = std::all_of(checks.begin(), checks.end(), [](int c) { return c == 1; });
    SetHeaderCheck(column, all ? 2 : 1);
}

void CXListCtrl::toggleCheck(int row, int column) {
    m_model->updateCell(row, column, [](ListCell& c) { c.check = c.check == 0 ? 1 : 0; });
    RedrawCell(row, column);
    emit checkBoxClicked(row, column);
    updateHeaderCheckFromColumn(column);
}

void CXListCtrl::onHeaderClicked(int column) {
    const int header = GetHeaderCheck(column);
    if (header != 1 && header != 2) {
        return;
    }
    SetHeaderCheck(column, header == 1 ? 2 : 1);
    m_header->viewport()->repaint(); // the header shows its new state at once
    const int newCheck = header == 1 ? 1 : 0;
    const int rows = rowCount();
    for (int row = 0; row < rows; ++row) {
        m_model->updateCell(row, column, [newCheck](ListCell& c) {
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
        if (m_comboList) {
            onComboEscape();
        }
        QTableView::mousePressEvent(event);
        return;
    }
    const int row = index.row();
    if (!m_model->hasCellData(row) || !m_model->rowEnabled(row)) {
        event->accept(); // a disabled row swallows the press
        return;
    }
    const int column = index.column();
    const std::optional<ListCell> c = m_model->cell(row, column);
    if (c && c->check >= 0) {
        toggleCheck(row, column);
    } else if (c && c->isCombo) {
        if (m_comboList) {
            onComboEscape();
        }
        const EdgeRect button = comboButtonRect(EdgeRect::fromQRect(GetCellRect(row, column)));
        if (button.contains(pos)) {
            pressComboButton(row, column);
        }
    } else if (m_comboList) {
        onComboEscape();
    }
    QTableView::mousePressEvent(event);
}

void CXListCtrl::mouseReleaseEvent(QMouseEvent* event) {
    QTableView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && m_comboPressed) {
        releaseComboButton();
    }
}

} // namespace kiv
