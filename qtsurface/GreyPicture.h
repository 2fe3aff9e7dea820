#pragma once
// The render's grey image as a Qt picture, for the render window and the PNG export, and its files.

#include "RenderCompute.h"

#include <QByteArray>
#include <QImage>
#include <QString>

// The resolution recorded with the picture, whatever the screen: 100 dots per inch.
inline constexpr int GreyPictureDotsPerMeter = 3937;

QImage GreyPicture(const GreyImage& grey);

// Binary PGM of a grey picture: "P5", width, height, maxval 255, then the rows top to bottom.
QByteArray PgmBytes(const QImage& picture);

// Writes PGM when file ends in ".pgm" (any case), PNG otherwise; false when the file cannot be written (a partly
// written file is removed).
bool SaveGreyPicture(const QImage& picture, const QString& file);
