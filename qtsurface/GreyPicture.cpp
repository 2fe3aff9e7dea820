#include "GreyPicture.h"

#include <QFile>

#include <cstring>

QImage GreyPicture(const GreyImage& grey)
{
    QImage picture(RenderSize, RenderSize, QImage::Format_Grayscale8);
    for (int row = 0; row < RenderSize; ++row)
        std::memcpy(picture.scanLine(row), grey.data() + static_cast<size_t>(row) * RenderSize, RenderSize);
    // The resolution a PNG records would otherwise follow the screen, or its absence: the same render gives the
    // same file in the window and on the command line. 100 dots per inch, as a program without a screen records.
    picture.setDotsPerMeterX(GreyPictureDotsPerMeter);
    picture.setDotsPerMeterY(GreyPictureDotsPerMeter);
    return picture;
}

QByteArray PgmBytes(const QImage& picture)
{
    const QImage grey
        = picture.format() == QImage::Format_Grayscale8 ? picture : picture.convertToFormat(QImage::Format_Grayscale8);
    QByteArray bytes = "P5\n" + QByteArray::number(grey.width()) + ' ' + QByteArray::number(grey.height()) + "\n255\n";
    // Scan lines are padded to four bytes; the file holds only the pixels.
    for (int row = 0; row < grey.height(); ++row)
        bytes.append(reinterpret_cast<const char*>(grey.constScanLine(row)), grey.width());
    return bytes;
}

bool SaveGreyPicture(const QImage& picture, const QString& file)
{
    QFile out(file);
    // A file that cannot be opened is left as it is.
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    bool written = false;
    if (file.endsWith(QStringLiteral(".pgm"), Qt::CaseInsensitive)) {
        const QByteArray bytes = PgmBytes(picture);
        written = out.write(bytes) == bytes.size();
    } else {
        written = picture.save(&out, "PNG");
    }
    written = out.flush() && written;
    out.close();
    // What was begun and not finished is no picture.
    if (!written)
        out.remove();
    return written;
}
