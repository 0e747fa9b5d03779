#pragma once
// Paints every cell of a CXListCtrl from the model's data alone: plain text
// (with optional image and bold), check box, progress bar or combo cell.
// Colours come from the view's palette, so the cells read on light and dark
// palettes alike.

#include "EdgeRect.h"
#include "ListCell.h"
#include "SystemColours.h"

#include <QHash>
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
    // A cell without a tip text of its own whose text does not fit shows
    // the whole text as its tooltip.
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

    void SetSmallImages(const QList<QPixmap>& images) { images_ = images; }
    void SetFullRowSelect(bool on) { fullRowSelect_ = on; }
    void SetShowSelectionAlways(bool on) { showSelectionAlways_ = on; }
    void SetColumnElideMode(int column, Qt::TextElideMode mode) { elide_[column] = mode; }
    // Called when a combo cell with an empty text shows its initial entry, so
    // the owner can store that entry as the cell text.
    void SetInitialTextHook(std::function<void(int row, int column, const QString&)> hook) {
        initialTextHook_ = std::move(hook);
    }

private:
    void PaintText(QPainter& p, const EdgeRect& cell, const QStyleOptionViewItem& option,
                   const QModelIndex& index, const ListCell* c, const QColor& back,
                   const QColor& text) const;
    void PaintCheckCell(QPainter& p, const EdgeRect& cell, const QStyleOptionViewItem& option,
                        const QString& text, const ListCell& c, bool rowEnabled, const QColor& back,
                        const QColor& textColour, const SystemColours& sc) const;
    void PaintProgress(QPainter& p, const EdgeRect& cell, const QStyleOptionViewItem& option,
                       const ListCell& c, const QColor& back, const QColor& text,
                       const SystemColours& sc) const;
    void PaintCombo(QPainter& p, const EdgeRect& cell, const QStyleOptionViewItem& option,
                    const QModelIndex& index, const ListCell& c, bool rowEnabled,
                    const SystemColours& sc) const;

    QList<QPixmap> images_;
    bool fullRowSelect_ = true;
    bool showSelectionAlways_ = false;
    QHash<int, Qt::TextElideMode> elide_; // columns not named here cut the text
    std::function<void(int, int, const QString&)> initialTextHook_;
};

} // namespace kiv
