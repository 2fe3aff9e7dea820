#pragma once
// The goniogram as a picture file or an image: the grid and the diagram drawn through the Qt surface, as the paint
// box's repaint draws them, for the main window's "Save image as...". It draws as `gonilux-cli goniogram` does, so
// both write the same bytes for the same plane, switches and size.

#include "Goniogram.h"

#include <QColor>
#include <QImage>
#include <QString>

// ShowGrid then DrawIES, as the paint box's repaint does.
void DrawGoniogramPicture(DrawSurface& surface, const GoniogramInput& input);

// The resolution recorded with a goniogram picture, whatever the screen: 96 dots per inch.
inline constexpr int GoniogramDotsPerMeter = 3780;

// An RGB32 image of input.width x input.height filled with face, the diagram drawn on it, recorded at
// GoniogramDotsPerMeter; null when too large.
QImage GoniogramImage(const GoniogramInput& input, QColor face);

// Writes SVG when file ends in ".svg" (any case), PNG otherwise; false when the file cannot be written.
bool WriteGoniogramPicture(const QString& file, const GoniogramInput& input, QColor face);
