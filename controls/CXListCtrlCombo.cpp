// Combo cells: the pressed button, the drop-down and what its keys and clicks do.

#include "CXComboList.h"
#include "CXListCtrl.h"
#include "ListGeometry.h"
#include "ListModel.h"

#include <QCursor>
#include <QListWidget>

namespace kiv {

void CXListCtrl::setComboOpen(bool open) {
    m_model->updateCell(m_comboRow, m_comboColumn,
                        [open](ListCell& c) { c.comboOpen = open ? 1 : 0; });
    RedrawCell(m_comboRow, m_comboColumn);
}

void CXListCtrl::pressComboButton(int row, int column) {
    m_comboRow = row;
    m_comboColumn = column;
    m_comboPressed = true;
    m_comboButtonRect = comboButtonRect(EdgeRect::fromQRect(GetCellRect(row, column))).toQRect();
    setComboOpen(true);
    openDropDown();
    m_comboTimer.start();
}

void CXListCtrl::openDropDown() {
    if (m_comboList) {
        return;
    }
    const std::optional<ListCell> c = m_model->cell(m_comboRow, m_comboColumn);
    if (!c) {
        return;
    }
    const QRect cellRect = GetCellRect(m_comboRow, m_comboColumn);
    const QRect area = comboDropDownRect(EdgeRect::fromQRect(cellRect), c->comboRows).toQRect();

    auto* list = new CXComboList(this);
    list->listBox()->setFont(font());
    QString current = cellText(m_comboRow, m_comboColumn);
    const QString selected = list->setItems(c->comboItems, current);
    if (current.isEmpty() && !selected.isEmpty()) {
        m_model->setText(m_comboRow, m_comboColumn, selected);
    }
    m_comboRestoreText = selected;

    // As many whole rows as fit in the drop-down's height, at least one.
    const int rowHeight = std::max(1, list->listBox()->sizeHintForRow(0));
    const int visibleRows =
        std::max(1, std::min<int>((area.height() - 2) / rowHeight, list->listBox()->count()));
    list->setGeometry(QRect(viewport()->mapToGlobal(area.topLeft()),
                            QSize(area.width(), visibleRows * rowHeight + 2)));
    connect(list, &CXComboList::keyDown, this, &CXListCtrl::onComboKeyDown);
    connect(list, &CXComboList::vkReturn, this, &CXListCtrl::onComboAccept);
    connect(list, &CXComboList::lButtonUp, this, &CXListCtrl::onComboAccept);
    connect(list, &CXComboList::vkEscape, this, &CXListCtrl::onComboEscape);
    connect(list, &CXComboList::releasedOutside, this, &CXListCtrl::releaseComboButton);
    m_comboList = list;
    list->show();
    list->listBox()->setFocus();
}

void CXListCtrl::releaseComboButton() {
    if (!m_comboPressed) {
        return;
    }
    m_comboPressed = false;
    setComboOpen(false);
}

void CXListCtrl::onComboTimer() {
    if (m_comboPressed) {
        if (!m_comboButtonRect.contains(viewport()->mapFromGlobal(QCursor::pos()))) {
            releaseComboButton();
        }
    } else if (m_comboList) {
        m_comboList->listBox()->setFocus();
    } else {
        m_comboTimer.stop();
    }
}

void CXListCtrl::onComboKeyDown() {
    // The cell follows the keyboard once the list box has moved its selection.
    QTimer::singleShot(50, this, [this] {
        if (m_comboList) {
            m_model->setText(m_comboRow, m_comboColumn, m_comboList->selectedText());
        }
    });
}

void CXListCtrl::onComboAccept() {
    m_comboTimer.stop();
    QTimer::singleShot(50, this, [this] {
        if (!m_comboList) {
            return;
        }
        const int row = m_comboRow;
        const int column = m_comboColumn;
        m_model->setText(row, column, m_comboList->selectedText());
        releaseComboButton();
        RedrawCell(row, column);
        destroyDropDown();
        emit comboSelection(row, column);
    });
}

void CXListCtrl::onComboEscape() {
    m_comboTimer.stop();
    if (!m_comboList) {
        return;
    }
    m_model->setText(m_comboRow, m_comboColumn, m_comboRestoreText);
    releaseComboButton();
    CXComboList* list = m_comboList;
    m_comboList = nullptr;
    list->closeQuietly();
    QTimer::singleShot(50, list, &QObject::deleteLater);
}

void CXListCtrl::destroyDropDown() {
    if (m_comboList) {
        CXComboList* list = m_comboList;
        m_comboList = nullptr;
        list->closeQuietly();
        list->deleteLater();
    }
    m_comboPressed = false;
}

} // namespace kiv
