#pragma once
// Contour lines of a field sampled on a regular grid (marching squares), and labels placed on them where they
// collide with nothing else.

#include "Plot.h"
#include "Scene.h"

#include <string>
#include <vector>

namespace diagrams {

// Samples row after row; point (column, row) holds values[row * columns + column].
struct FieldGrid {
    int columns = 0, rows = 0;
    std::vector<double> values;
    double At(int column, int row) const { return values[static_cast<std::size_t>(row) * columns + column]; }
};

// The lines where the field crosses level, in grid coordinates (x a fractional column, y a fractional row), each
// cell's pieces joined into polylines. A line that closes on itself ends at its first point. Ambiguous cells (two
// opposite corners above) are split by the mean of the four corners.
std::vector<std::vector<scene::Point>> ContourLines(const FieldGrid& grid, double level);

// Places labels on lines inside an area, each on a white box, none over another or over a reserved box.
class LabelPlacer {
public:
    explicit LabelPlacer(Box area)
        : area_(area)
    {
    }
    void Reserve(const Box& box) { taken_.push_back(box); }
    // Puts text on the line at the first of a few points along it (the middle first) where its box fits; false
    // when none does.
    bool Place(
        scene::Scene& scene, const std::vector<scene::Point>& line, const std::string& text, scene::Color color = kInk);

private:
    Box area_;
    std::vector<Box> taken_;
};

// The length of a polyline.
double LineLength(const std::vector<scene::Point>& line);

} // namespace diagrams
