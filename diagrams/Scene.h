#pragma once
// A diagram as a list of things to draw, in the diagram's own units (one unit is one pixel at 100 % scale, with y
// growing downwards). The diagrams are laid out here, without a display; a painter (the Qt adapter) draws the list
// onto a window, a picture, an SVG or a PDF page, scaled to the place it is given.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace scene {

struct Color {
    uint8_t r = 0, g = 0, b = 0, a = 255;
    friend bool operator==(const Color&, const Color&) = default;
};

enum class Dash { Solid, Dashed, Dotted };

struct Pen {
    Color color;
    double width = 1;
    Dash dash = Dash::Solid;
};

struct Point {
    double x = 0, y = 0;
};

// Where a text's anchor point lies on the text's box.
enum class Anchor { TopLeft, Top, TopRight, Left, Center, Right, BottomLeft, Bottom, BottomRight };

// An open or closed line; a closed one may be filled.
struct Polyline {
    std::vector<Point> points;
    Pen pen;
    bool closed = false;
    bool filled = false;
    Color fill;
};

struct Rect {
    double x = 0, y = 0, width = 0, height = 0;
    bool stroked = true;
    Pen pen;
    bool filled = false;
    Color fill;
};

// One line of UTF-8 text; size is the font's pixel height. Rotation in degrees, counter-clockwise, about the anchor.
struct Text {
    Point at;
    std::string text;
    double size = 11;
    Anchor anchor = Anchor::TopLeft;
    Color color;
    bool bold = false;
    double rotation = 0;
};

// A grid of colours stretched over a rectangle (a colour map), rows from the top.
struct Raster {
    double x = 0, y = 0, width = 0, height = 0;
    int columns = 0, rows = 0;
    std::vector<Color> pixels; // columns x rows, row after row
};

using Item = std::variant<Polyline, Rect, Text, Raster>;

struct Scene {
    double width = 0, height = 0;
    std::vector<Item> items;

    void Add(Item item) { items.push_back(std::move(item)); }
};

// A generous estimate of a text's width in a sans-serif font, for laying out labels so that they do not collide
// without asking a font: 0.6 of the size per character (UTF-8 continuation bytes not counted), bold 0.65.
double EstimateTextWidth(const std::string& text, double size, bool bold = false);

} // namespace scene
