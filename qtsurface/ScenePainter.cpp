#include "ScenePainter.h"

#include <QBuffer>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QSvgGenerator>

#include <algorithm>

namespace {

QColor ToQt(const scene::Color& c) { return QColor(c.r, c.g, c.b, c.a); }

QPen ToQt(const scene::Pen& pen)
{
    QPen q(ToQt(pen.color), pen.width);
    q.setCapStyle(Qt::FlatCap);
    q.setJoinStyle(Qt::RoundJoin);
    if (pen.dash == scene::Dash::Dashed)
        q.setDashPattern({ 6.0 / std::max(pen.width, 0.1), 4.0 / std::max(pen.width, 0.1) });
    else if (pen.dash == scene::Dash::Dotted)
        q.setDashPattern({ 1.5 / std::max(pen.width, 0.1), 3.0 / std::max(pen.width, 0.1) });
    return q;
}

// The text's box placed so that its anchor point lies at the origin.
QRectF AnchoredBox(scene::Anchor anchor, double width, double height)
{
    double x = 0, y = 0;
    switch (anchor) {
    case scene::Anchor::TopLeft:
        break;
    case scene::Anchor::Top:
        x = -width / 2;
        break;
    case scene::Anchor::TopRight:
        x = -width;
        break;
    case scene::Anchor::Left:
        y = -height / 2;
        break;
    case scene::Anchor::Center:
        x = -width / 2, y = -height / 2;
        break;
    case scene::Anchor::Right:
        x = -width, y = -height / 2;
        break;
    case scene::Anchor::BottomLeft:
        y = -height;
        break;
    case scene::Anchor::Bottom:
        x = -width / 2, y = -height;
        break;
    case scene::Anchor::BottomRight:
        x = -width, y = -height;
        break;
    }
    return QRectF(x, y, width, height);
}

void Paint(QPainter& p, const scene::Polyline& line)
{
    QPolygonF polygon;
    for (const scene::Point& point : line.points)
        polygon << QPointF(point.x, point.y);
    p.setPen(line.pen.width > 0 ? ToQt(line.pen) : QPen(Qt::NoPen));
    p.setBrush(line.filled ? QBrush(ToQt(line.fill)) : QBrush(Qt::NoBrush));
    if (line.closed)
        p.drawPolygon(polygon);
    else
        p.drawPolyline(polygon);
}

void Paint(QPainter& p, const scene::Rect& rect)
{
    p.setPen(rect.stroked ? ToQt(rect.pen) : QPen(Qt::NoPen));
    p.setBrush(rect.filled ? QBrush(ToQt(rect.fill)) : QBrush(Qt::NoBrush));
    p.drawRect(QRectF(rect.x, rect.y, rect.width, rect.height));
}

void Paint(QPainter& p, const scene::Text& text)
{
    QFont font(kDiagramFontFamily);
    font.setPixelSize(std::max(1, static_cast<int>(text.size + 0.5)));
    font.setBold(text.bold);
    p.setFont(font);
    p.setPen(ToQt(text.color));
    const QString string = QString::fromUtf8(text.text.data(), static_cast<qsizetype>(text.text.size()));
    const QFontMetricsF metrics(font, p.device());
    const QRectF box = AnchoredBox(text.anchor, metrics.horizontalAdvance(string), metrics.height());
    p.save();
    p.translate(text.at.x, text.at.y);
    p.rotate(-text.rotation);
    p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, string);
    p.restore();
}

void Paint(QPainter& p, const scene::Raster& raster)
{
    if (raster.columns <= 0 || raster.rows <= 0
        || raster.pixels.size() != static_cast<std::size_t>(raster.columns) * static_cast<std::size_t>(raster.rows))
        return;
    QImage image(raster.columns, raster.rows, QImage::Format_ARGB32);
    for (int row = 0; row < raster.rows; ++row) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        for (int column = 0; column < raster.columns; ++column) {
            const scene::Color& c = raster.pixels[static_cast<std::size_t>(row) * raster.columns + column];
            line[column] = qRgba(c.r, c.g, c.b, c.a);
        }
    }
    p.drawImage(QRectF(raster.x, raster.y, raster.width, raster.height), image);
}

} // namespace

void PaintScene(QPainter& painter, const scene::Scene& scene, const QRectF& target)
{
    if (scene.width <= 0 || scene.height <= 0 || target.isEmpty())
        return;
    const double scale = std::min(target.width() / scene.width, target.height() / scene.height);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.translate(target.x() + (target.width() - scene.width * scale) / 2,
        target.y() + (target.height() - scene.height * scale) / 2);
    painter.scale(scale, scale);
    for (const scene::Item& item : scene.items)
        std::visit([&painter](const auto& thing) { Paint(painter, thing); }, item);
    painter.restore();
}

QByteArray ScenePng(const scene::Scene& scene, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PaintScene(painter, scene, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") ? bytes : QByteArray();
}

QByteArray SceneSvg(const scene::Scene& scene, const QString& title)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(static_cast<int>(scene.width + 0.5), static_cast<int>(scene.height + 0.5)));
    generator.setViewBox(QRectF(0, 0, scene.width, scene.height));
    generator.setTitle(title);
    {
        QPainter painter(&generator);
        painter.fillRect(QRectF(0, 0, scene.width, scene.height), Qt::white);
        PaintScene(painter, scene, QRectF(0, 0, scene.width, scene.height));
    }
    return bytes;
}
