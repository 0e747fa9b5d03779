#pragma once
// Paints every cell of a CXListCtrl from the model's data alone: plain text
// (with optional image and bold), check box, progress bar or combo cell.

#include "EdgeRect.h"
#include "ListCell.h"
#include "SystemColours.h"

#include <QList>
#include <QPixmap>
#include <QStyledItemDelegate>

#include <functional>

namespace kiv {

class ListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit ListDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    void setSmallImages(const QList<QPixmap>& images) { m_images = images; }
    void setFullRowSelect(bool on) { m_fullRowSelect = on; }
    void setShowSelectionAlways(bool on) { m_showSelectionAlways = on; }
    // Called when a combo cell with an empty text shows its initial entry, so
    // the owner can store that entry as the cell text.
    void setInitialTextHook(std::function<void(int row, int column, const QString&)> hook) {
        m_initialTextHook = std::move(hook);
    }

private:
    void paintText(QPainter& p, const EdgeRect& cell, const QStyleOptionViewItem& option,
                   const QModelIndex& index, const ListCell* c, const QColor& back,
                   const QColor& text) const;
    void paintCheckCell(QPainter& p, const EdgeRect& cell, const QStyleOptionViewItem& option,
                        const QString& text, const ListCell& c, bool rowEnabled, const QColor& back,
                        const QColor& textColour, const SystemColours& sc) const;
    void paintProgress(QPainter& p, const EdgeRect& cell, const QStyleOptionViewItem& option,
                       const ListCell& c, const QColor& back, const QColor& text,
                       const SystemColours& sc) const;
    void paintCombo(QPainter& p, const EdgeRect& cell, const QStyleOptionViewItem& option,
                    const QModelIndex& index, const ListCell& c, bool rowEnabled,
                    const SystemColours& sc) const;

    QList<QPixmap> m_images;
    bool m_fullRowSelect = true;
    bool m_showSelectionAlways = false;
    std::function<void(int, int, const QString&)> m_initialTextHook;
};

} // namespace kiv
