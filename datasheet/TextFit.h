#pragma once
// Fitting text into a width without asking a font, on the generous estimate of scene::EstimateTextWidth, and
// placing a diagram's scene into a box of a larger one.

#include "Scene.h"

#include <string>
#include <vector>

namespace datasheet {

// The text broken into lines no wider than width at size: at blanks where it can be, inside a word longer than a
// line where it must (never inside a UTF-8 sequence). At most maxLines lines; when the text needs more, the last
// line ends in "..." and what does not fit is left out. An empty text gives no line.
std::vector<std::string> WrapText(const std::string& text, double width, double size, bool bold, int maxLines);

// The estimated box a text takes: the estimated width and 1.15 times its size (the font's ascent and descent),
// placed by its anchor and turned with the text; for a turned text, the upright box that holds it.
scene::Rect EstimatedBox(const scene::Text& text);

// Adds part's items to page, scaled uniformly to fit the box (x, y, width, height), centred across it and at its
// top (or centred both ways when top is false); pens and text sizes scale with it. A line's points closer than a
// quarter of a unit of page to the point kept before them are left out (its first and last point stay).
void PlaceScene(
    scene::Scene& page, const scene::Scene& part, double x, double y, double width, double height, bool top = true);

} // namespace datasheet
