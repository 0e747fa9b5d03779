#include "ListDelegate.h"

#include "ListGeometry.h"
#include "ListModel.h"
#include "PaintHelpers.h"

#include <QPainter>

namespace kiv {

namespace {

Qt::Alignment horizontalAlignment(const QModelIndex& index) {
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
    const EdgeRect cell = EdgeRect::fromQRect(option.rect);
    p.setClipRect(option.rect, Qt::IntersectClip);
    const SystemColours sc = SystemColours::fromPalette(option.palette);
    const QVariant cellData = index.data(ListModel::CellRole);
    const bool hasCell = cellData.isValid();
    const ListCell c = hasCell ? cellData.value<ListCell>() : ListCell();
    const ListCell* cp = hasCell ? &c : nullptr;
    const bool rowEnabled = index.data(ListModel::RowEnabledRole).toBool();
    const bool selected = option.state & QStyle::State_Selected;

    if (cp && c.isProgress) {
        const CellColours colours = plainCellColours(cp, rowEnabled, sc);
        paintProgress(p, cell, option, c, colours.back, colours.text, sc);
    } else if (cp && c.isCombo && selected) {
        paintCombo(p, cell, option, index, c, rowEnabled, sc);
    } else {
        SelectionState sel;
        sel.selected = selected && !(cp && c.isCombo);
        sel.fullRowSelect = m_fullRowSelect;
        sel.hasFocus = option.widget && option.widget->hasFocus();
        sel.showSelectionAlways = m_showSelectionAlways;
        const CellColours colours = cellColours(cp, rowEnabled, index.column(), sel, sc);
        if (cp && c.check != -1) {
            paintCheckCell(p, cell, option, index.data(Qt::DisplayRole).toString(), c, rowEnabled,
                           colours.back, colours.text, sc);
        } else {
            paintText(p, cell, option, index, cp, colours.back, colours.text);
        }
    }
    p.restore();
}

void ListDelegate::paintText(QPainter& p, const EdgeRect& cell, const QStyleOptionViewItem& option,
                             const QModelIndex& index, const ListCell* c, const QColor& back,
                             const QColor& text) const {
    fillEdgeRect(p, cell, back);
    EdgeRect textRect = cell;
    if (c && c->image >= 0 && c->image < m_images.size() && !m_images[c->image].isNull()) {
        const QPixmap& image = m_images[c->image];
        const QSize size = image.deviceIndependentSize().toSize();
        const int x = cell.left + 6;
        const int y = cell.top + (cell.height() - size.height()) / 2;
        p.drawPixmap(x, y, image);
        textRect.left = x + size.width();
    }
    QFont font = option.font;
    if (c && c->bold) {
        font.setWeight(QFont::Bold);
    }
    p.setFont(font);
    p.setPen(text);
    p.drawText(textRect.toQRect(),
               int(horizontalAlignment(index) | Qt::AlignVCenter) | Qt::TextSingleLine,
               index.data(Qt::DisplayRole).toString());
}

void ListDelegate::paintCheckCell(QPainter& p, const EdgeRect& cell,
                                  const QStyleOptionViewItem& option, const QString& text,
                                  const ListCell& c, bool rowEnabled, const QColor& back,
                                  const QColor& textColour, const SystemColours& sc) const {
    fillEdgeRect(p, cell, back);
    const EdgeRect box = checkBoxRect(cell, !text.isEmpty());
    drawCheckBox(p, box, c.check == 1, rowEnabled ? QColor(Qt::black) : sc.greyText, sc);
    if (!text.isEmpty()) {
        QFont font = option.font;
        if (c.bold) {
            font.setWeight(QFont::Bold);
        }
        p.setFont(font);
        p.setPen(textColour);
        const EdgeRect textRect{box.right + 4, cell.top, cell.right, cell.bottom};
        p.drawText(textRect.toQRect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    }
}

void ListDelegate::paintProgress(QPainter& p, const EdgeRect& cell,
                                 const QStyleOptionViewItem& option, const ListCell& c,
                                 const QColor& back, const QColor& text,
                                 const SystemColours& sc) const {
    const ProgressGeometry g = progressGeometry(cell, c.percent);
    // The pixels around the frame keep the cell's back colour, selected or not.
    fillEdgeRect(p, cell, back);
    for (const EdgeRect& line : g.frame) {
        fillEdgeRect(p, line, sc.buttonShadow);
    }
    fillEdgeRect(p, g.fill, QColor(224, 224, 224));
    for (const EdgeRect& line : g.inner) {
        fillEdgeRect(p, line, Qt::black);
    }
    if (c.percent <= 0) {
        return;
    }
    fillEdgeRect(p, g.bar, sc.highlight);
    if (!c.showPercent) {
        return;
    }
    const QString label = formatProgressText(c.progressText, c.percent);
    const int flags = Qt::AlignCenter | Qt::TextSingleLine;
    p.setFont(option.font);
    p.save();
    p.setClipRect(g.bar.toQRect(), Qt::IntersectClip);
    p.setPen(back);
    p.drawText(g.text.toQRect(), flags, label);
    p.restore();
    p.setClipRect(g.beside.toQRect(), Qt::IntersectClip);
    p.setPen(text);
    p.drawText(g.text.toQRect(), flags, label);
}

void ListDelegate::paintCombo(QPainter& p, const EdgeRect& cell, const QStyleOptionViewItem& option,
                              const QModelIndex& index, const ListCell& c, bool rowEnabled,
                              const SystemColours& sc) const {
    drawEdgeLines(p, cell, sc.buttonShadow, sc.buttonShadow);
    const EdgeRect inside{cell.left + 2, cell.top + 2, cell.right - 2, cell.bottom - 2};
    fillEdgeRect(p, inside, Qt::white);
    const EdgeRect button = comboButtonRect(cell);

    QString text = index.data(Qt::DisplayRole).toString();
    if (text.isEmpty() && c.comboInitial >= 0 && c.comboInitial < c.comboItems.size()) {
        text = c.comboItems[c.comboInitial];
        if (m_initialTextHook) {
            m_initialTextHook(index.row(), index.column(), text);
        }
    }
    const EdgeRect textRect{cell.left + 2, cell.top + 2, button.left, cell.bottom - 2};
    fillEdgeRect(p, textRect, sc.window);
    p.setFont(option.font);
    p.setPen(rowEnabled ? sc.windowText : sc.greyText);
    p.drawText(textRect.toQRect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);

    const bool pressed = c.comboOpen != 0;
    if (pressed) {
        fillEdgeRect(p, button, sc.buttonFace);
        drawEdgeLines(p, button, sc.buttonShadow, sc.buttonShadow);
    } else {
        fillEdgeRect(p, button, sc.buttonFace);
        drawRaisedEdge(p, button, sc);
    }
    for (const EdgeRect& line : comboArrowLines(button, pressed)) {
        fillEdgeRect(p, line, Qt::black);
    }
}

} // namespace kiv
