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

void CXHeaderCtrl::SetImageList(const QList<QPixmap>& images) {
    images_ = images;
    imageSize_ = QSize();
    for (const QPixmap& image : images) {
        if (!image.isNull()) {
            imageSize_ = image.deviceIndependentSize().toSize();
            break;
        }
    }
    updateGeometry();
    viewport()->update();
}

QList<QPixmap> CXHeaderCtrl::CheckBoxImages(int side, const QPalette& palette,
                                            qreal devicePixelRatio) {
    const SystemColours sc = SystemColours::FromPalette(palette);
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QList<QPixmap> images;
    for (int state = 0; state < 3; ++state) {
        // One pixel wider than the box: its left edge moves one pixel right.
        // Drawn at the device's resolution, in logical coordinates.
        QPixmap pm(QSize(side + 1, side) * ratio);
        pm.setDevicePixelRatio(ratio);
        pm.fill(Qt::transparent);
        if (state > 0) {
            QPainter p(&pm);
            DrawCheckBox(p, {0, 0, side + 1, side}, state == 2, sc.windowText, sc);
        }
        images.append(pm);
    }
    return images;
}

QSize CXHeaderCtrl::sizeHint() const {
    QSize hint = QHeaderView::sizeHint();
    if (imageSize_.isValid()) {
        hint.setHeight(std::max(hint.height(), imageSize_.height() + 6));
    }
    return hint;
}

void CXHeaderCtrl::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    const SystemColours sc = SystemColours::FromPalette(palette());
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
        PaintItem(p, rect, logical);
        if (visual + 1 < count()) {
            const int right = rect.left() + rect.width();
            FillEdgeRect(p, {right - 1, 2, right, height - 2}, sc.buttonShadow);
            FillEdgeRect(p, {right, 2, right + 1, height - 2}, sc.buttonHighlight);
        }
    }
    if (totalWidth > 0) {
        DrawEdgeLines(p, {firstLeft, 0, firstLeft + totalWidth, height}, sc.buttonHighlight,
                      sc.buttonShadow);
    }
}

void CXHeaderCtrl::PaintItem(QPainter& p, const QRect& rect, int logical) const {
    const QAbstractItemModel* m = model();
    if (!m) {
        return;
    }
    EdgeRect inner = EdgeRect::FromQRect(rect);
    inner.left += kSpacing;
    inner.right -= kSpacing;
    p.save();
    p.setClipRect(rect);
    const int image = m->headerData(logical, Qt::Horizontal, ListModel::HeaderCheckRole).toInt();
    if (image > 0 && image < images_.size() && !images_[image].isNull()) {
        const QPixmap& pm = images_[image];
        const QSize size = pm.deviceIndependentSize().toSize();
        p.drawPixmap(inner.left, rect.top() + (rect.height() - size.height()) / 2, pm);
        inner.left += size.width() + kSpacing;
    }
    const QString text = m->headerData(logical, Qt::Horizontal, Qt::DisplayRole).toString();
    if (inner.Width() > 0 && !text.isEmpty()) {
        const QColor face = SystemColours::FromPalette(palette()).buttonFace;
        p.setPen(ReadableColour(palette().color(QPalette::Active, QPalette::Link), face));
        p.setFont(font());
        const QString shown = fontMetrics().elidedText(text, Qt::ElideRight, inner.Width());
        p.drawText(inner.ToQRect(), Qt::AlignCenter | Qt::TextSingleLine, shown);
    }
    p.restore();
}

} // namespace kiv
