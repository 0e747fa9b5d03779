#include "CXComboList.h"

#include <QCursor>
#include <QKeyEvent>
#include <QListWidget>
#include <QVBoxLayout>

namespace kiv {

CXComboList::CXComboList(QWidget* owner) : QFrame(owner, Qt::Popup), list_(new QListWidget(this)) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setCursor(Qt::ArrowCursor);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(list_);
    list_->setFrameShape(QFrame::NoFrame);
    list_->setUniformItemSizes(true);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list_->installEventFilter(this);
    list_->viewport()->installEventFilter(this);
    list_->viewport()->setMouseTracking(true);
    // Follows the pointer: the entry under it becomes the selection.
    hoverTimer_.setInterval(80);
    connect(&hoverTimer_, &QTimer::timeout, this, &CXComboList::SelectUnderPointer);
    lastPointer_ = QCursor::pos();
    hoverTimer_.start();
}

QString CXComboList::SetItems(const QStringList& items, const QString& current) {
    list_->clear();
    for (const QString& item : items) {
        if (!item.isEmpty()) {
            list_->addItem(item);
        }
    }
    int selected = 0;
    for (int i = 0; i < list_->count(); ++i) {
        if (list_->item(i)->text() == current) {
            selected = i;
            break;
        }
    }
    if (list_->count() > 0) {
        list_->setCurrentRow(selected);
        list_->scrollToItem(list_->item(selected));
    }
    return SelectedText();
}

QString CXComboList::SelectedText() const {
    const QListWidgetItem* item = list_->currentItem();
    return item ? item->text() : QString();
}

int CXComboList::SelectedIndex() const {
    return list_->currentRow();
}

void CXComboList::CloseQuietly() {
    closing_ = true;
    hoverTimer_.stop();
    hide();
}

bool CXComboList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit vkReturn();
            return true;
        }
        if (key == Qt::Key_Escape) {
            emit vkEscape();
            return true;
        }
        const bool moves = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
                           key == Qt::Key_PageDown || key == Qt::Key_Home || key == Qt::Key_End ||
                           (key >= Qt::Key_A && key <= Qt::Key_Z);
        if (moves) {
            emit keyDown();
            // The list box moves its selection itself (a letter searches by
            // prefix, case-insensitively, from the entry after the current).
            return false;
        }
    } else if (watched == list_ && event->type() == QEvent::FocusOut) {
        if (++focusLosses_ == 3) {
            emit vkEscape();
        }
    } else if (watched == list_->viewport() && (event->type() == QEvent::MouseButtonPress ||
                                                event->type() == QEvent::MouseButtonRelease)) {
        auto* me = static_cast<QMouseEvent*>(event);
        if (me->button() == Qt::LeftButton) {
            const QPoint global = me->globalPosition().toPoint();
            if (rect().contains(mapFromGlobal(global))) {
                if (QListWidgetItem* item = list_->itemAt(me->position().toPoint())) {
                    list_->setCurrentItem(item);
                }
                emit lButtonUp();
            } else if (event->type() == QEvent::MouseButtonRelease) {
                emit releasedOutside();
            }
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void CXComboList::mousePressEvent(QMouseEvent* event) {
    if (!rect().contains(event->position().toPoint())) {
        // A press outside a pop-up closes it; hideEvent reports the Escape.
        QFrame::mousePressEvent(event);
        return;
    }
    if (event->button() == Qt::LeftButton) {
        emit lButtonUp();
    }
}

void CXComboList::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (rect().contains(event->position().toPoint())) {
        emit lButtonUp();
    } else {
        emit releasedOutside();
    }
}

void CXComboList::hideEvent(QHideEvent* event) {
    QFrame::hideEvent(event);
    hoverTimer_.stop();
    if (!closing_) {
        closing_ = true;
        emit vkEscape();
    }
}

void CXComboList::SelectUnderPointer() {
    // Only a pointer that moved takes the selection, so it does not fight the keys.
    const QPoint global = QCursor::pos();
    if (global == lastPointer_) {
        return;
    }
    lastPointer_ = global;
    const QPoint pos = list_->viewport()->mapFromGlobal(global);
    if (!list_->viewport()->rect().contains(pos)) {
        return;
    }
    if (QListWidgetItem* item = list_->itemAt(pos)) {
        if (item != list_->currentItem()) {
            list_->setCurrentItem(item);
        }
    }
}

} // namespace kiv
