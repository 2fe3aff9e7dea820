#include "GoniogramPicture.h"

#include "QtSurface.h"

#include <QPainter>
#include <QSvgGenerator>

void DrawGoniogramPicture(DrawSurface& surface, const GoniogramInput& input)
{
    ShowGrid(surface, input.width, input.height);
    DrawIES(surface, input);
}

QImage GoniogramImage(const GoniogramInput& input, QColor face)
{
    QImage image(input.width, input.height, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    // Fixed so that a saved picture does not depend on the screen the window is on.
    image.setDotsPerMeterX(GoniogramDotsPerMeter);
    image.setDotsPerMeterY(GoniogramDotsPerMeter);
    image.fill(face);
    QPainter painter(&image);
    QtSurface surface(&painter, face);
    DrawGoniogramPicture(surface, input);
    return image;
}

namespace {

bool WriteSvg(const QString& file, const GoniogramInput& input, QColor face)
{
    QSvgGenerator generator;
    generator.setFileName(file);
    generator.setSize(QSize(input.width, input.height));
    generator.setViewBox(QRect(0, 0, input.width, input.height));
    generator.setTitle(QStringLiteral("Goniogram"));
    QPainter painter;
    if (!painter.begin(&generator))
        return false;
    {
        QtSurface surface(&painter, face);
        DrawGoniogramPicture(surface, input);
    }
    return painter.end();
}

} // namespace

bool WriteGoniogramPicture(const QString& file, const GoniogramInput& input, QColor face)
{
    if (file.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive))
        return WriteSvg(file, input, face);
    const QImage image = GoniogramImage(input, face);
    return !image.isNull() && image.save(file, "PNG");
}
