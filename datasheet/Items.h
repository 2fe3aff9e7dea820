#pragma once
// Short ways to make the display list's items the datasheet draws.

#include "Scene.h"

#include <string>
#include <vector>

namespace datasheet {

inline scene::Polyline Line(std::vector<scene::Point> points, scene::Pen pen, bool closed = false)
{
    scene::Polyline line;
    line.points = std::move(points);
    line.pen = pen;
    line.closed = closed;
    return line;
}

inline scene::Text Label(
    scene::Point at, std::string text, double size, scene::Anchor anchor, scene::Color color, bool bold = false)
{
    scene::Text label;
    label.at = at;
    label.text = std::move(text);
    label.size = size;
    label.anchor = anchor;
    label.color = color;
    label.bold = bold;
    return label;
}

// A filled rectangle without an outline.
inline scene::Rect Patch(double x, double y, double width, double height, scene::Color fill)
{
    scene::Rect rect;
    rect.x = x, rect.y = y, rect.width = width, rect.height = height;
    rect.stroked = false;
    rect.filled = true;
    rect.fill = fill;
    return rect;
}

} // namespace datasheet
