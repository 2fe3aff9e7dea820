#include "RecordingSurface.h"

#include <sstream>

namespace {

std::string ColorText(const SurfaceColor& color)
{
    if (color.buttonFace)
        return "face";
    return std::to_string(color.r) + ' ' + std::to_string(color.g) + ' ' + std::to_string(color.b);
}

std::string Numbers(std::initializer_list<int> values)
{
    std::string out;
    for (const int v : values) {
        out += ' ';
        out += std::to_string(v);
    }
    return out;
}

} // namespace

RecordingSurface::RecordingSurface()
    : printedPen_(PenLine(pen))
    , printedBrush_(BrushLine(brush))
    , printedFont_(FontLine(font))
{
}

std::string RecordingSurface::PenLine(const SurfacePen& pen)
{
    return "pen " + ColorText(pen.color) + ' ' + std::to_string(pen.width);
}

std::string RecordingSurface::BrushLine(const SurfaceBrush& brush)
{
    return "brush " + (brush.style == BrushStyle::Clear ? std::string("clear") : ColorText(brush.color));
}

std::string RecordingSurface::FontLine(const SurfaceFont& font)
{
    return "font " + font.face + ' ' + std::to_string(font.height) + ' ' + ColorText(font.color);
}

void RecordingSurface::Emit(const std::string& drawingLine)
{
    const auto printIfChanged = [this](std::string current, std::string& printed) {
        if (current != printed) {
            text_ += current;
            text_ += '\n';
            printed = std::move(current);
        }
    };
    printIfChanged(PenLine(pen), printedPen_);
    printIfChanged(BrushLine(brush), printedBrush_);
    printIfChanged(FontLine(font), printedFont_);
    text_ += drawingLine;
    text_ += '\n';
}

void RecordingSurface::Rectangle(int x1, int y1, int x2, int y2) { Emit("rect" + Numbers({ x1, y1, x2, y2 })); }
void RecordingSurface::Ellipse(int x1, int y1, int x2, int y2) { Emit("ellipse" + Numbers({ x1, y1, x2, y2 })); }
void RecordingSurface::MoveTo(int x, int y) { Emit("moveto" + Numbers({ x, y })); }
void RecordingSurface::LineTo(int x, int y) { Emit("lineto" + Numbers({ x, y })); }
void RecordingSurface::TextOut(int x, int y, const std::string& text) { Emit("text" + Numbers({ x, y }) + ' ' + text); }

std::vector<std::string> RecordingSurface::Lines() const
{
    std::vector<std::string> lines;
    std::istringstream in(text_);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}
