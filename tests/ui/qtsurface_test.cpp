// The Qt drawing surface keeps the canvas geometry: half-open boxes, lines without their end pixel,
// text by its top-left corner, and a diagram drawn in the exact colours.
#include "Goniogram.h"
#include "QtSurface.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <ostream>

// Readable colours in failure messages.
void PrintTo(const QColor& color, std::ostream* out)
{
    *out << "(" << color.red() << ", " << color.green() << ", " << color.blue() << ")";
}

namespace {

const QColor White(255, 255, 255);
const QColor Face(240, 240, 240);
const QColor Grey(128, 128, 128);
const QColor Red(255, 0, 0);

// Runs `draw` on a white image through a fresh surface and returns the image.
QImage Paint(int w, int h, const std::function<void(QtSurface&)>& draw)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(White);
    QPainter painter(&image);
    {
        QtSurface surface(&painter, Face);
        draw(surface);
    }
    painter.end();
    return image;
}

QColor At(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

// The bounding box of the pixels that differ from white.
QRect Inked(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (At(image, x, y) != White)
                box |= QRect(x, y, 1, 1);
    return box;
}

int Count(const QImage& image, const QColor& color)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += At(image, x, y) == color;
    return n;
}

} // namespace

TEST(QtSurface, RectangleFillsAndBordersTheHalfOpenBox)
{
    const QImage image = Paint(20, 20, [](QtSurface& s) {
        s.pen.color = SurfaceColor::rgb(128, 128, 128);
        s.brush.color = SurfaceColor::rgb(255, 0, 0);
        s.Rectangle(2, 3, 12, 9);
    });
    EXPECT_EQ(Inked(image), QRect(QPoint(2, 3), QPoint(11, 8)));
    const struct {
        int x, y;
        QColor color;
    } pixels[] = {
        { 2, 3, Grey },
        { 11, 3, Grey },
        { 2, 8, Grey },
        { 11, 8, Grey },
        { 6, 3, Grey },
        { 11, 6, Grey },
        { 3, 4, Red },
        { 10, 7, Red },
        { 6, 5, Red },
        { 12, 3, White },
        { 2, 9, White },
        { 1, 3, White },
    };
    for (const auto& p : pixels)
        EXPECT_EQ(At(image, p.x, p.y), p.color) << p.x << "," << p.y;

    // Button face comes from the colour the surface was given; a clear brush leaves the inside alone;
    // a clear pen fills one pixel less, as the canvas does.
    const QImage face = Paint(20, 20, [](QtSurface& s) { s.Rectangle(0, 0, 20, 20); });
    EXPECT_EQ(At(face, 0, 0), QColor(0, 0, 0));
    EXPECT_EQ(At(face, 19, 19), QColor(0, 0, 0));
    EXPECT_EQ(At(face, 10, 10), Face);
    const QImage clear = Paint(20, 20, [](QtSurface& s) {
        s.brush.style = BrushStyle::Clear;
        s.Rectangle(2, 2, 10, 10);
    });
    EXPECT_EQ(At(clear, 5, 5), White);
    EXPECT_EQ(Inked(clear), QRect(QPoint(2, 2), QPoint(9, 9)));
    const QImage noPen = Paint(20, 20, [](QtSurface& s) {
        s.pen.style = PenStyle::Clear;
        s.Rectangle(2, 2, 10, 10);
    });
    EXPECT_EQ(Inked(noPen), QRect(QPoint(2, 2), QPoint(8, 8)));
}

TEST(QtSurface, EllipseStaysInsideItsBox)
{
    for (const bool filled : { false, true }) {
        const QImage image = Paint(40, 40, [filled](QtSurface& s) {
            s.pen.color = SurfaceColor::rgb(100, 100, 100);
            s.brush = { SurfaceColor::rgb(255, 0, 0), filled ? BrushStyle::Solid : BrushStyle::Clear };
            s.Ellipse(5, 7, 25, 27);
        });
        EXPECT_EQ(Inked(image), QRect(QPoint(5, 7), QPoint(24, 26)));
        EXPECT_EQ(At(image, 15, 17), filled ? Red : White);
        EXPECT_EQ(At(image, 5, 17), QColor(100, 100, 100));
    }
    // Ring 0 of the scale has an empty box and draws nothing.
    EXPECT_TRUE(Inked(Paint(10, 10, [](QtSurface& s) { s.Ellipse(5, 5, 5, 5); })).isNull());
}

TEST(QtSurface, LineToLeavesOutItsEndPixel)
{
    const QImage image = Paint(20, 20, [](QtSurface& s) {
        s.MoveTo(2, 5);
        s.LineTo(10, 5);
        s.LineTo(10, 12);
        s.MoveTo(15, 2);
        s.LineTo(15, 2); // zero length: nothing
    });
    const QColor black(0, 0, 0);
    EXPECT_EQ(At(image, 2, 5), black);
    EXPECT_EQ(At(image, 9, 5), black);
    EXPECT_EQ(At(image, 10, 5), black); // start of the second line
    EXPECT_EQ(At(image, 10, 11), black);
    EXPECT_EQ(At(image, 10, 12), White);
    EXPECT_EQ(At(image, 11, 5), White);
    EXPECT_EQ(At(image, 15, 2), White);
    EXPECT_EQ(Count(image, black), 8 + 7);

    // A width-2 pen in another colour: the lines before the colour change keep their own colour.
    const QImage two = Paint(30, 30, [](QtSurface& s) {
        s.MoveTo(3, 3);
        s.LineTo(20, 3);
        s.pen = { SurfaceColor::rgb(255, 0, 0), 2, PenStyle::Solid };
        s.LineTo(20, 20);
    });
    EXPECT_EQ(At(two, 10, 3), black);
    EXPECT_EQ(At(two, 20, 12), Red);
    EXPECT_GE(Count(two, Red), 2 * 16);
}

TEST(QtSurface, TextByItsTopLeftCornerInTheFontColour)
{
    int top = 0;
    const QImage image = Paint(200, 60, [&top](QtSurface& s) {
        s.font = { "arial", 11, SurfaceColor::rgb(0, 0, 255) };
        s.brush.style = BrushStyle::Clear;
        s.TextOut(10, 20, "Maximum Intensity =1234.5");
        top = 20;
    });
    const QRect ink = Inked(image);
    ASSERT_FALSE(ink.isNull());
    EXPECT_GE(ink.top(), top);
    EXPECT_LE(ink.top(), top + 4); // capitals start just below the cell's top
    EXPECT_LE(ink.bottom(), top + 14);
    EXPECT_GE(ink.left(), 10);
    EXPECT_LE(ink.left(), 12);
    EXPECT_GT(ink.width(), 100);
    EXPECT_EQ(Count(image, QColor(0, 0, 255)), [&] {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += At(image, x, y) != White;
        return n;
    }()) << "unantialiased: every inked pixel is the font colour";

    // A solid brush paints the text's background in the brush colour.
    const QImage opaque = Paint(100, 40, [](QtSurface& s) {
        s.brush.color = SurfaceColor::rgb(255, 0, 0);
        s.TextOut(5, 5, "Degrees=90");
    });
    EXPECT_EQ(At(opaque, 5, 5), Red);
    EXPECT_EQ(At(opaque, 4, 5), White);
}

TEST(QtSurface, DiagramColours)
{
    tIES ies;
    ies.HorizAngles = { 0, 90, 180, 270, 360 };
    for (int v = 0; v <= 180; v += 5)
        ies.VertAngles.push_back(v);
    for (int h = 0; h < 5; ++h) {
        ies.Candela.emplace_back();
        for (size_t v = 0; v < ies.VertAngles.size(); ++v)
            ies.Candela.back().push_back(h == 1 ? 50.0L : 100.0L * (1 + h) * (37 - v));
    }
    const QImage image = Paint(300, 300, [&ies](QtSurface& s) {
        ShowGrid(s, 300, 300);
        DrawIES(s, { &ies, 0, true, true, 0, 300, 300, "." });
    });
    EXPECT_EQ(At(image, 0, 0), Grey);
    EXPECT_EQ(At(image, 299, 299), Grey);
    EXPECT_EQ(At(image, 40, 40), Face);
    EXPECT_EQ(At(image, 150, 150), Grey); // ring 0 has an empty box and draws nothing over the axes' crossing
    EXPECT_GT(Count(image, Red), 300);
    EXPECT_GT(Count(image, QColor(200, 128, 128)), 100);
    EXPECT_GT(Count(image, QColor(0, 0, 255)), 100);
    EXPECT_GT(Count(image, QColor(100, 100, 100)), 300);
    // Nadir down: the red curve reaches below the centre on the vertical axis.
    int lowestRed = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 145; x <= 155; ++x)
            if (At(image, x, y) == Red)
                lowestRed = y;
    EXPECT_GT(lowestRed, 250);
}
