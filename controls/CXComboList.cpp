#include "CXComboList.h"

#include <QCursor>
#include <QKeyEvent>
#include <QListWidget>
#include <QVBoxLayout>

namespace kiv {

CXComboList::CXComboList(QWidget* owner) : QFrame(owner, Qt::Popup), m_list(new QListWidget(this)) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setCursor(Qt::ArrowCursor);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(m_list);
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setUniformItemSizes(true);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_list->installEventFilter(this);
    m_list->viewport()->installEventFilter(this);
    m_list->viewport()->setMouseTracking(true);
    // Follows the pointer: the entry under it becomes the selection.
    m_hoverTimer.setInterval(80);
    connect(&m_hoverTimer, &QTimer::timeout, this, &CXComboList::selectUnderPointer);
    m_lastPointer = QCursor::pos();
    m_hoverTimer.start();
}

QString CXComboList::setItems(const QStringList& items, const QString& current) {
    m_list->clear();
    for (const QString& item : items) {
        if (!item.isEmpty()) {
            m_list->addItem(item);
        }
    }
    int selected = 0;
    for (int i = 0; i < m_list->count(); ++i) {
        if (m_list->item(i)->text() == current) {
            selected = i;
            break;
        }
    }
    if (m_list->count() > 0) {
        m_list->setCurrentRow(selected);
        m_list->scrollToItem(m_list->item(selected));
    }
    return selectedText();
}

QString CXComboList::selectedText() const {
    const QListWidgetItem* item = m_list->currentItem();
    return item ? item->text() : QString();
}

int CXComboList::selectedIndex() const {
    return m_list->currentRow();
}

void CXComboList::closeQuietly() {
    m_closing = true;
    m_hoverTimer.stop();
    hide();
}

bool CXComboList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list && event->type() == QEvent::KeyPress) {
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
    } else if (watched == m_list && event->type() == QEvent::FocusOut) {
        if (++m_focusLosses == 3) {
            emit vkEscape();
        }
    } else if (watched == m_list->viewport() && (event->type() == QEvent::MouseButtonPress ||
                                                 event->type() == QEvent::MouseButtonRelease)) {
        auto* me = static_cast<QMouseEvent*>(event);
        if (me->button() == Qt::LeftButton) {
            const QPoint global = me->globalPosition().toPoint();
            if (rect().contains(mapFromGlobal(global))) {
                if (QListWidgetItem* item = m_list->itemAt(me->position().toPoint())) {
                    m_list->setCurrentItem(item);
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
    m_hoverTimer.stop();
    if (!m_closing) {
        m_closing = true;
        emit vkEscape();
    }
}

void CXComboList::selectUnderPointer() {
    // Only a pointer that moved takes the selection, so it does not fight the keys.
    const QPoint global = QCursor::pos();
    if (global == m_lastPointer) {
        return;
    }
    m_lastPointer = global;
    const QPoint pos = m_list->viewport()->mapFromGlobal(global);
    if (!m_list->viewport()->rect().contains(pos)) {
        return;
    }
    if (QListWidgetItem* item = m_list->itemAt(pos)) {
        if (item != m_list->currentItem()) {
            m_list->setCurrentItem(item);
        }
    }
}

} // namespace kiv
