#pragma once
// The widget the preview player draws into: it paints the last rendered
// picture over its whole area, or nothing (its own background, or an idle
// picture when one is given) while no picture is shown.

#include <QImage>
#include <QPixmap>
#include <QWidget>

namespace kiv {

class VideoArea : public QWidget {
    Q_OBJECT

public:
    explicit VideoArea(QWidget* parent = nullptr);

    // Shown at the top-left corner while no video picture is shown.
    void SetIdlePicture(const QPixmap& picture);

    // The surface to render the next picture into, sized to the widget.
    QImage& BeginFrame();
    // The surface now holds a picture: show it.
    void EndFrame();
    // Back to showing nothing.
    void ClearFrame();

    bool HasFrame() const { return hasFrame_; }
    // A copy of the picture shown, null while none is.
    QImage Frame() const { return hasFrame_ ? frame_ : QImage(); }

signals:
    // The size changed: the picture should be rendered again.
    void resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage frame_;
    QPixmap idlePicture_;
    bool hasFrame_ = false;
};

} // namespace kiv
