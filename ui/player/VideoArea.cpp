#include "VideoArea.h"

#include <QPainter>

namespace kiv {

VideoArea::VideoArea(QWidget* parent) : QWidget(parent) {}

void VideoArea::SetIdlePicture(const QPixmap& picture) {
    idlePicture_ = picture;
    update();
}

QImage& VideoArea::BeginFrame() {
    const QSize wanted = size();
    if (frame_.size() != wanted || frame_.format() != QImage::Format_RGB32)
        frame_ = QImage(wanted, QImage::Format_RGB32);
    return frame_;
}

void VideoArea::EndFrame() {
    hasFrame_ = true;
    update();
}

void VideoArea::ClearFrame() {
    if (!hasFrame_)
        return;
    hasFrame_ = false;
    update();
}

void VideoArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (hasFrame_)
        painter.drawImage(rect(), frame_); // stretched until the next render
    else if (!idlePicture_.isNull())
        painter.drawPixmap(0, 0, idlePicture_);
}

void VideoArea::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit resized();
}

} // namespace kiv
