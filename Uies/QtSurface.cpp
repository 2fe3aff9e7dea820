#include "QtSurface.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

#include <cstdlib>

QtSurface::QtSurface(QPainter* painter, QColor buttonFace)
    : painter_(painter)
    , buttonFace_(buttonFace)
{
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setRenderHint(QPainter::TextAntialiasing, false);
}

QColor QtSurface::toQColor(const SurfaceColor& color) const
{
    return color.buttonFace ? buttonFace_ : QColor(color.r, color.g, color.b);
}

void QtSurface::setPen()
{
    if (pen.style == PenStyle::Clear) {
        painter_->setPen(Qt::NoPen);
        return;
    }
    QPen qpen(toQColor(pen.color));
    qpen.setWidth(pen.width > 1 ? pen.width : 0);
    qpen.setCapStyle(pen.width > 1 ? Qt::RoundCap : Qt::SquareCap);
    qpen.setJoinStyle(Qt::RoundJoin);
    painter_->setPen(qpen);
}

void QtSurface::setBrush()
{
    if (brush.style == BrushStyle::Clear)
        painter_->setBrush(Qt::NoBrush);
    else
        painter_->setBrush(toQColor(brush.color));
}

void QtSurface::Rectangle(int x1, int y1, int x2, int y2)
{
    const int w = x2 - x1;
    const int h = y2 - y1;
    if (w <= 0 || h <= 0)
        return;
    const bool filled = brush.style == BrushStyle::Solid;
    if (pen.style == PenStyle::Clear) {
        // Without a pen the canvas fills one pixel less on the right and at the bottom.
        if (filled && w > 1 && h > 1)
            painter_->fillRect(x1, y1, w - 1, h - 1, toQColor(brush.color));
        return;
    }
    const QColor border = toQColor(pen.color);
    if (filled && w > 2 && h > 2)
        painter_->fillRect(x1 + 1, y1 + 1, w - 2, h - 2, toQColor(brush.color));
    const int t = std::max(pen.width, 1);
    painter_->fillRect(x1, y1, w, std::min(t, h), border);
    painter_->fillRect(x1, y2 - std::min(t, h), w, std::min(t, h), border);
    painter_->fillRect(x1, y1, std::min(t, w), h, border);
    painter_->fillRect(x2 - std::min(t, w), y1, std::min(t, w), h, border);
}

void QtSurface::Ellipse(int x1, int y1, int x2, int y2)
{
    if (x2 - x1 <= 1 || y2 - y1 <= 1)
        return;
    setPen();
    setBrush();
    // The outline of an aliased one-pixel pen covers the box's last column and row.
    painter_->drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
}

void QtSurface::MoveTo(int x, int y)
{
    penX_ = x;
    penY_ = y;
}

void QtSurface::LineTo(int x, int y)
{
    const int x0 = penX_;
    const int y0 = penY_;
    MoveTo(x, y);
    if (pen.style == PenStyle::Clear || (x0 == x && y0 == y))
        return;
    if (pen.width > 1) {
        setPen();
        painter_->drawLine(x0, y0, x, y);
        return;
    }
    // Bresenham from the start up to, but not including, the end pixel.
    QPolygon points;
    const int dx = std::abs(x - x0), sx = x0 < x ? 1 : -1;
    const int dy = -std::abs(y - y0), sy = y0 < y ? 1 : -1;
    int err = dx + dy;
    int px = x0, py = y0;
    while (px != x || py != y) {
        points << QPoint(px, py);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            px += sx;
        }
        if (e2 <= dx) {
            err += dx;
            py += sy;
        }
    }
    QPen dot(toQColor(pen.color));
    dot.setWidth(0);
    painter_->setPen(dot);
    painter_->drawPoints(points);
}

void QtSurface::TextOut(int x, int y, const std::string& text)
{
    QFont qfont(QString::fromStdString(font.face));
    qfont.setPixelSize(std::max(font.height, 1));
    qfont.setStyleStrategy(QFont::NoAntialias);
    painter_->setFont(qfont);
    const QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QFontMetrics metrics(qfont);
    if (brush.style == BrushStyle::Solid)
        painter_->fillRect(QRect(x, y, metrics.horizontalAdvance(shown), metrics.height()), toQColor(brush.color));
    painter_->setPen(toQColor(font.color));
    painter_->drawText(QPoint(x, y + metrics.ascent()), shown);
}
