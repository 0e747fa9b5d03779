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
    QString SetItems(const QStringList& items, const QString& current);
    QString SelectedText() const;
    int SelectedIndex() const;
    QListWidget* ListBox() const { return list_; }
    // Hides the pop-up without reporting an Escape (the owner closes it).
    void CloseQuietly();

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
    void SelectUnderPointer();

    QListWidget* list_;
    QTimer hoverTimer_;
    QPoint lastPointer_;
    int focusLosses_ = 0;
    bool closing_ = false;
};

} // namespace kiv
