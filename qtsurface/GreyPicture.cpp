#include "GreyPicture.h"

#include <cstring>

QImage GreyPicture(const GreyImage& grey)
{
    QImage picture(RenderSize, RenderSize, QImage::Format_Grayscale8);
    for (int row = 0; row < RenderSize; ++row)
        std::memcpy(picture.scanLine(row), grey.data() + static_cast<size_t>(row) * RenderSize, RenderSize);
    return picture;
}
