#include "TImage.h"

#include <QPainter>

TImage::TImage(QWidget* parent)
    : QWidget(parent)
{
}

void TImage::setPicture(const QImage& picture)
{
    picture_ = picture;
    update();
}

void TImage::paintEvent(QPaintEvent*)
{
    if (picture_.isNull())
        return; // nothing rendered yet: the panel shows through
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}
