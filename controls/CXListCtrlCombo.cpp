// Combo cells: the pressed button, the drop-down and what its keys and clicks do.

#include "CXComboList.h"
#include "CXListCtrl.h"
#include "ListGeometry.h"
#include "ListModel.h"

#include <QCursor>
#include <QListWidget>

namespace kiv {

void CXListCtrl::SetComboOpen(bool open) {
    model_->UpdateCell(comboRow_, comboColumn_,
                       [open](ListCell& c) { c.comboOpen = open ? 1 : 0; });
    RedrawCell(comboRow_, comboColumn_);
}

void CXListCtrl::PressComboButton(int row, int column) {
    comboRow_ = row;
    comboColumn_ = column;
    comboPressed_ = true;
    comboButtonRect_ = ComboButtonRect(EdgeRect::FromQRect(GetCellRect(row, column))).ToQRect();
    SetComboOpen(true);
    OpenDropDown();
    comboTimer_.start();
}

void CXListCtrl::OpenDropDown() {
    if (comboList_) {
        return;
    }
    const std::optional<ListCell> c = model_->Cell(comboRow_, comboColumn_);
    if (!c) {
        return;
    }
    const QRect cellRect = GetCellRect(comboRow_, comboColumn_);
    const QRect area = ComboDropDownRect(EdgeRect::FromQRect(cellRect), c->comboRows).ToQRect();

    auto* list = new CXComboList(this);
    list->ListBox()->setFont(font());
    QString current = CellText(comboRow_, comboColumn_);
    const QString selected = list->SetItems(c->comboItems, current);
    if (current.isEmpty() && !selected.isEmpty()) {
        model_->SetText(comboRow_, comboColumn_, selected);
    }
    comboRestoreText_ = selected;

    // As many whole rows as fit in the drop-down's height, at least one.
    const int rowHeight = std::max(1, list->ListBox()->sizeHintForRow(0));
    const int visibleRows =
        std::max(1, std::min<int>((area.height() - 2) / rowHeight, list->ListBox()->count()));
    list->setGeometry(QRect(viewport()->mapToGlobal(area.topLeft()),
                            QSize(area.width(), visibleRows * rowHeight + 2)));
    connect(list, &CXComboList::keyDown, this, &CXListCtrl::OnComboKeyDown);
    connect(list, &CXComboList::vkReturn, this, &CXListCtrl::OnComboAccept);
    connect(list, &CXComboList::lButtonUp, this, &CXListCtrl::OnComboAccept);
    connect(list, &CXComboList::vkEscape, this, &CXListCtrl::OnComboEscape);
    connect(list, &CXComboList::releasedOutside, this, &CXListCtrl::ReleaseComboButton);
    comboList_ = list;
    list->show();
    list->ListBox()->setFocus();
}

void CXListCtrl::ReleaseComboButton() {
    if (!comboPressed_) {
        return;
    }
    comboPressed_ = false;
    SetComboOpen(false);
}

void CXListCtrl::OnComboTimer() {
    if (comboPressed_) {
        if (!comboButtonRect_.contains(viewport()->mapFromGlobal(QCursor::pos()))) {
            ReleaseComboButton();
        }
    } else if (comboList_) {
        comboList_->ListBox()->setFocus();
    } else {
        comboTimer_.stop();
    }
}

void CXListCtrl::OnComboKeyDown() {
    // The cell follows the keyboard once the list box has moved its selection.
    QTimer::singleShot(50, this, [this] {
        if (comboList_) {
            model_->SetText(comboRow_, comboColumn_, comboList_->SelectedText());
        }
    });
}

void CXListCtrl::OnComboAccept() {
    comboTimer_.stop();
    QTimer::singleShot(50, this, [this] {
        if (!comboList_) {
            return;
        }
        const int row = comboRow_;
        const int column = comboColumn_;
        model_->SetText(row, column, comboList_->SelectedText());
        ReleaseComboButton();
        RedrawCell(row, column);
        DestroyDropDown();
        emit comboSelection(row, column);
    });
}

void CXListCtrl::OnComboEscape() {
    comboTimer_.stop();
    if (!comboList_) {
        return;
    }
    model_->SetText(comboRow_, comboColumn_, comboRestoreText_);
    ReleaseComboButton();
    CXComboList* list = comboList_;
    comboList_ = nullptr;
    list->CloseQuietly();
    QTimer::singleShot(50, list, &QObject::deleteLater);
}

void CXListCtrl::DestroyDropDown() {
    if (comboList_) {
        CXComboList* list = comboList_;
        comboList_ = nullptr;
        list->CloseQuietly();
        list->deleteLater();
    }
    comboPressed_ = false;
}

} // namespace kiv
