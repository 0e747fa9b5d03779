#include "ListDelegate.h"

#include "ListGeometry.h"
#include "ListModel.h"
#include "PaintHelpers.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace kiv {

namespace {

Qt::Alignment HorizontalAlignment(const QModelIndex& index) {
    const QVariant v = index.data(Qt::TextAlignmentRole);
    const auto a = v.isValid() ? v.value<Qt::Alignment>() : Qt::Alignment(Qt::AlignLeft);
    if (a & Qt::AlignRight) {
        return Qt::AlignRight;
    }
    if (a & Qt::AlignHCenter) {
        return Qt::AlignHCenter;
    }
    return Qt::AlignLeft;
}

} // namespace

ListDelegate::ListDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

void ListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    QPainter& p = *painter;
    p.save();
    const EdgeRect cell = EdgeRect::FromQRect(option.rect);
    p.setClipRect(option.rect, Qt::IntersectClip);
    const SystemColours sc = SystemColours::FromPalette(option.palette);
    const QVariant cellData = index.data(ListModel::CellRole);
    const bool hasCell = cellData.isValid();
    const ListCell c = hasCell ? cellData.value<ListCell>() : ListCell();
    const ListCell* cp = hasCell ? &c : nullptr;
    const bool rowEnabled = index.data(ListModel::RowEnabledRole).toBool();
    const bool selected = option.state & QStyle::State_Selected;

    if (cp && c.isProgress) {
        const CellColours colours = PlainCellColours(cp, rowEnabled, sc);
        PaintProgress(p, cell, option, c, colours.back, colours.text, sc);
    } else if (cp && c.isCombo && selected) {
        PaintCombo(p, cell, option, index, c, rowEnabled, sc);
    } else {
        SelectionState sel;
        sel.selected = selected && !(cp && c.isCombo);
        sel.fullRowSelect = fullRowSelect_;
        sel.hasFocus = option.widget && option.widget->hasFocus();
        sel.showSelectionAlways = showSelectionAlways_;
        const CellColours colours = ComputeCellColours(cp, rowEnabled, index.column(), sel, sc);
        if (cp && c.check != -1) {
            PaintCheckCell(p, cell, option, index.data(Qt::DisplayRole).toString(), c, rowEnabled,
                           colours.back, colours.text, sc);
        } else {
            PaintText(p, cell, option, index, cp, colours.back, colours.text);
        }
    }
    p.restore();
}

void ListDelegate::PaintText(QPainter& p, const EdgeRect& cell, const QStyleOptionViewItem& option,
                             const QModelIndex& index, const ListCell* c, const QColor& back,
                             const QColor& text) const {
    FillEdgeRect(p, cell, back);
    EdgeRect textRect = cell;
    if (c && c->image >= 0 && c->image < images_.size() && !images_[c->image].isNull()) {
        const QPixmap& image = images_[c->image];
        const QSize size = image.deviceIndependentSize().toSize();
        const int x = cell.left + 6;
        const int y = cell.top + (cell.Height() - size.height()) / 2;
        p.drawPixmap(x, y, image);
        textRect.left = x + size.width();
    }
    QFont font = option.font;
    if (c && c->bold) {
        font.setWeight(QFont::Bold);
    }
    p.setFont(font);
    p.setPen(text);
    QString shown = index.data(Qt::DisplayRole).toString();
    const auto elide = elide_.constFind(index.column());
    if (elide != elide_.constEnd() && *elide != Qt::ElideNone) {
        shown = QFontMetrics(font).elidedText(shown, *elide, textRect.Width());
    }
    p.drawText(textRect.ToQRect(),
               int(HorizontalAlignment(index) | Qt::AlignVCenter) | Qt::TextSingleLine, shown);
}

bool ListDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                             const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (event && view && event->type() == QEvent::ToolTip && index.isValid() &&
        !index.data(Qt::ToolTipRole).isValid()) {
        const QString text = index.data(Qt::DisplayRole).toString();
        if (!text.isEmpty() && option.fontMetrics.horizontalAdvance(text) > option.rect.width()) {
            QToolTip::showText(event->globalPos(), text.trimmed(), view, option.rect);
            return true;
        }
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

void ListDelegate::PaintCheckCell(QPainter& p, const EdgeRect& cell,
                                  const QStyleOptionViewItem& option, const QString& text,
                                  const ListCell& c, bool rowEnabled, const QColor& back,
                                  const QColor& textColour, const SystemColours& sc) const {
    FillEdgeRect(p, cell, back);
    const EdgeRect box = CheckBoxRect(cell, !text.isEmpty());
    // The tick in the text colour: black on a light palette, light on a dark one.
    DrawCheckBox(p, box, c.check == 1, rowEnabled ? sc.windowText : sc.greyText, sc);
    if (!text.isEmpty()) {
        QFont font = option.font;
        if (c.bold) {
            font.setWeight(QFont::Bold);
        }
        p.setFont(font);
        p.setPen(textColour);
        const EdgeRect textRect{box.right + 4, cell.top, cell.right, cell.bottom};
        p.drawText(textRect.ToQRect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    }
}

void ListDelegate::PaintProgress(QPainter& p, const EdgeRect& cell,
                                 const QStyleOptionViewItem& option, const ListCell& c,
                                 const QColor& back, const QColor& text,
                                 const SystemColours& sc) const {
    const ProgressGeometry g = ComputeProgressGeometry(cell, c.percent);
    // The pixels around the frame keep the cell's back colour, selected or not.
    FillEdgeRect(p, cell, back);
    for (const EdgeRect& line : g.frame) {
        FillEdgeRect(p, line, sc.buttonShadow);
    }
    // The trough is light grey under a light palette; under a dark one it
    // takes the button face, so the percentage beside the bar stays readable.
    const bool darkPalette = sc.window.lightness() < 128;
    FillEdgeRect(p, g.fill, darkPalette ? sc.buttonFace : QColor(224, 224, 224));
    for (const EdgeRect& line : g.inner) {
        FillEdgeRect(p, line, Qt::black);
    }
    if (c.percent <= 0) {
        return;
    }
    FillEdgeRect(p, g.bar, sc.highlight);
    if (!c.showPercent) {
        return;
    }
    const QString label = FormatProgressText(c.progressText, c.percent);
    const int flags = Qt::AlignCenter | Qt::TextSingleLine;
    p.setFont(option.font);
    p.save();
    p.setClipRect(g.bar.ToQRect(), Qt::IntersectClip);
    p.setPen(back);
    p.drawText(g.text.ToQRect(), flags, label);
    p.restore();
    p.setClipRect(g.beside.ToQRect(), Qt::IntersectClip);
    p.setPen(text);
    p.drawText(g.text.ToQRect(), flags, label);
}

void ListDelegate::PaintCombo(QPainter& p, const EdgeRect& cell, const QStyleOptionViewItem& option,
                              const QModelIndex& index, const ListCell& c, bool rowEnabled,
                              const SystemColours& sc) const {
    DrawEdgeLines(p, cell, sc.buttonShadow, sc.buttonShadow);
    const EdgeRect inside{cell.left + 2, cell.top + 2, cell.right - 2, cell.bottom - 2};
    FillEdgeRect(p, inside, Qt::white);
    const EdgeRect button = ComboButtonRect(cell);

    QString text = index.data(Qt::DisplayRole).toString();
    if (text.isEmpty() && c.comboInitial >= 0 && c.comboInitial < c.comboItems.size()) {
        text = c.comboItems[c.comboInitial];
        if (initialTextHook_) {
            initialTextHook_(index.row(), index.column(), text);
        }
    }
    const EdgeRect textRect{cell.left + 2, cell.top + 2, button.left, cell.bottom - 2};
    FillEdgeRect(p, textRect, sc.window);
    p.setFont(option.font);
    p.setPen(rowEnabled ? sc.windowText : sc.greyText);
    p.drawText(textRect.ToQRect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);

    const bool pressed = c.comboOpen != 0;
    if (pressed) {
        FillEdgeRect(p, button, sc.buttonFace);
        DrawEdgeLines(p, button, sc.buttonShadow, sc.buttonShadow);
    } else {
        FillEdgeRect(p, button, sc.buttonFace);
        DrawRaisedEdge(p, button, sc);
    }
    for (const EdgeRect& line : ComboArrowLines(button, pressed)) {
        FillEdgeRect(p, line, Qt::black);
    }
}

} // namespace kiv
