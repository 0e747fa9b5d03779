#pragma once
// The list control's header: button-face background, per item an optional image
// from the header's image list (the column's header check state picks the
// image: 1 unchecked, 2 checked; 0 shows none), centred text with an ellipsis
// in the palette's link colour (blue on a light palette, a light blue on a
// dark one), separators and a 3-D frame around the items.

#include <QHeaderView>
#include <QList>
#include <QPixmap>

namespace kiv {

class CXHeaderCtrl : public QHeaderView {
    Q_OBJECT
public:
    static constexpr int kSpacing = 6;

    explicit CXHeaderCtrl(QWidget* parent = nullptr);

    void SetImageList(const QList<QPixmap>& images);
    const QList<QPixmap>& ImageList() const { return images_; }
    QSize ImageSize() const { return imageSize_; }

    // Three images of the given side for the header check states: none (empty),
    // unchecked and checked, drawn like the cells' check boxes in the
    // palette's colours, at the screen's pixel ratio so they stay sharp on
    // scaled screens.
    static QList<QPixmap> CheckBoxImages(int side, const QPalette& palette,
                                         qreal devicePixelRatio = 1.0);

protected:
    void paintEvent(QPaintEvent* event) override;
    QSize sizeHint() const override;

private:
    void PaintItem(QPainter& p, const QRect& rect, int logical) const;

    QList<QPixmap> images_;
    QSize imageSize_;
};

} // namespace kiv
