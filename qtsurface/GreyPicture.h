#pragma once
// The render's grey image as a Qt picture, for the render window and the PNG export.

#include "RenderCompute.h"

#include <QImage>

QImage GreyPicture(const GreyImage& grey);
