#pragma once
// The drop-down of a combo cell: a bordered pop-up holding a list box. It tells
// its owning list what happened through signals; the list decides what to do.

#include <QFrame>
#include <QTimer>

class QListWidget;

namespace kiv {

class CXComboList : public QFrame {
    Q_OBJECT
public:
    explicit CXComboList(QWidget* owner);

    // Fills the list with the non-empty items and selects the one equal to
    // current (the first when none is). Returns the selected entry's text.
    QString setItems(const QStringList& items, const QString& current);
    QString selectedText() const;
    int selectedIndex() const;
    QListWidget* listBox() const { return m_list; }
    // Hides the pop-up without reporting an Escape (the owner closes it).
    void closeQuietly();

signals:
    void vkReturn();
    void vkEscape();
    void keyDown();
    void lButtonUp();
    // A mouse release outside the pop-up (the press that opened it ending).
    void releasedOutside();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void selectUnderPointer();

    QListWidget* m_list;
    QTimer m_hoverTimer;
    QPoint m_lastPointer;
    int m_focusLosses = 0;
    bool m_closing = false;
};

} // namespace kiv
