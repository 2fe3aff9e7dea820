#include "PaintBox.h"

#include "QtSurface.h"

#include <QMouseEvent>
#include <QPainter>

TPaintBox::TPaintBox(QWidget* parent)
    : QWidget(parent)
{
    // Everything on screen comes from the backing image.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPaintBox::ensureImage()
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = size() * ratio;
    if (image_.size() == pixels && !image_.isNull())
        return;
    image_ = QImage(pixels.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio);
    image_.fill(palette().color(QPalette::Button));
}

void TPaintBox::Draw(const std::function<void(DrawSurface&)>& draw)
{
    ensureImage();
    ++drawings_;
    {
        QPainter painter(&image_);
        QtSurface surface(&painter, palette().color(QPalette::Button));
        surface.pen = pen;
        surface.brush = brush;
        surface.font = font;
        // Copy the state back also when the drawing fails part-way, as a canvas keeps what was set.
        struct KeepState {
            TPaintBox* box;
            QtSurface& s;
            ~KeepState()
            {
                box->pen = s.pen;
                box->brush = s.brush;
                box->font = s.font;
            }
        } keep { this, surface };
        draw(surface);
    }
    if (!inPaint_) {
        drawnSincePaint_ = true;
        update();
    }
}

void TPaintBox::paintEvent(QPaintEvent*)
{
    ensureImage();
    if (!drawnSincePaint_ && OnPaint) {
        inPaint_ = true;
        OnPaint();
        inPaint_ = false;
    }
    drawnSincePaint_ = false;
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), image_);
}

void TPaintBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    ensureImage();
    // A new size needs the whole diagram again: the next paint runs the paint handler.
    drawnSincePaint_ = false;
}

void TPaintBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        pressed_ = true;
    QWidget::mousePressEvent(event);
}

void TPaintBox::mouseReleaseEvent(QMouseEvent* event)
{
    // A click is a left press and release on the box, as a button reports it.
    const bool click = event->button() == Qt::LeftButton && pressed_ && rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        pressed_ = false;
    QWidget::mouseReleaseEvent(event);
    if (click && OnClick)
        OnClick();
}
