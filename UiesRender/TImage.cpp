#include "TImage.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

TImage::TImage(QWidget* parent)
    : QWidget(parent)
{
}

void TImage::setPicture(const QImage& picture)
{
    picture_ = picture;
    shown_ = QImage();
    update();
}

int TImage::PixelFactor(qreal devicePixelRatio)
{
    return std::max(1, static_cast<int>(std::floor(devicePixelRatio + 1e-6)));
}

const QImage& TImage::shownPicture()
{
    // The picture's pixels are data: a scaled screen shows each one as a square of whole device pixels rather
    // than blurring neighbours together. The enlarged copy is made once per picture and scale.
    const int factor = PixelFactor(devicePixelRatioF());
    if (factor == 1 || picture_.isNull())
        return picture_;
    if (shown_.isNull() || shownFactor_ != factor) {
        shown_ = picture_.scaled(picture_.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        shown_.setDevicePixelRatio(factor);
        shownFactor_ = factor;
    }
    return shown_;
}

void TImage::paintEvent(QPaintEvent*)
{
    if (picture_.isNull())
        return; // nothing rendered yet: the panel shows through
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(0, 0, shownPicture());
}
