#include "CXHeaderCtrl.h"

#include "ListModel.h"
#include "PaintHelpers.h"

#include <QPainter>

namespace kiv {

CXHeaderCtrl::CXHeaderCtrl(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setSectionsClickable(true);
    setHighlightSections(false);
    setSortIndicatorShown(false);
}

void CXHeaderCtrl::setImageList(const QList<QPixmap>& images) {
    m_images = images;
    m_imageSize = QSize();
    for (const QPixmap& image : images) {
        if (!image.isNull()) {
            m_imageSize = image.deviceIndependentSize().toSize();
            break;
        }
    }
    updateGeometry();
    viewport()->update();
}

QList<QPixmap> CXHeaderCtrl::checkBoxImages(int side, const QPalette& palette) {
    const SystemColours sc = SystemColours::fromPalette(palette);
    QList<QPixmap> images;
    for (int state = 0; state < 3; ++state) {
        // One pixel wider than the box: its left edge moves one pixel right.
        QPixmap pm(side + 1, side);
        pm.fill(Qt::transparent);
        if (state > 0) {
            QPainter p(&pm);
            drawCheckBox(p, {0, 0, side + 1, side}, state == 2, Qt::black, sc);
        }
        images.append(pm);
    }
    return images;
}

QSize CXHeaderCtrl::sizeHint() const {
    QSize hint = QHeaderView::sizeHint();
    if (m_imageSize.isValid()) {
        hint.setHeight(std::max(hint.height(), m_imageSize.height() + 6));
    }
    return hint;
}

void CXHeaderCtrl::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    const SystemColours sc = SystemColours::fromPalette(palette());
    const int height = viewport()->height();
    p.fillRect(viewport()->rect(), sc.buttonFace);

    int totalWidth = 0;
    int firstLeft = 0;
    for (int visual = 0; visual < count(); ++visual) {
        const int logical = logicalIndex(visual);
        if (isSectionHidden(logical)) {
            continue;
        }
        const QRect rect(sectionViewportPosition(logical), 0, sectionSize(logical), height);
        if (totalWidth == 0) {
            firstLeft = rect.left();
        }
        totalWidth += rect.width();
        paintItem(p, rect, logical);
        if (visual + 1 < count()) {
            const int right = rect.left() + rect.width();
            fillEdgeRect(p, {right - 1, 2, right, height - 2}, sc.buttonShadow);
            fillEdgeRect(p, {right, 2, right + 1, height - 2}, sc.buttonHighlight);
        }
    }
    if (totalWidth > 0) {
        drawEdgeLines(p, {firstLeft, 0, firstLeft + totalWidth, height}, sc.buttonHighlight,
                      sc.buttonShadow);
    }
}

void CXHeaderCtrl::paintItem(QPainter& p, const QRect& rect, int logical) const {
    const QAbstractItemModel* m = model();
    if (!m) {
        return;
    }
    EdgeRect inner = EdgeRect::fromQRect(rect);
    inner.left += kSpacing;
    inner.right -= kSpacing;
    p.save();
    p.setClipRect(rect);
    const int image = m->headerData(logical, Qt::Horizontal, ListModel::HeaderCheckRole).toInt();
    if (image > 0 && image < m_images.size() && !m_images[image].isNull()) {
        const QPixmap& pm = m_images[image];
        const QSize size = pm.deviceIndependentSize().toSize();
        p.drawPixmap(inner.left, rect.top() + (rect.height() - size.height()) / 2, pm);
        inner.left += size.width() + kSpacing;
    }
    const QString text = m->headerData(logical, Qt::Horizontal, Qt::DisplayRole).toString();
    if (inner.width() > 0 && !text.isEmpty()) {
        p.setPen(QColor(0, 0, 255));
        p.setFont(font());
        const QString shown = fontMetrics().elidedText(text, Qt::ElideRight, inner.width());
        p.drawText(inner.toQRect(), Qt::AlignCenter | Qt::TextSingleLine, shown);
    }
    p.restore();
}

} // namespace kiv
