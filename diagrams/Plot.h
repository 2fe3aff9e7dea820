#pragma once
// What the diagrams share in laying themselves out: numbers for reading, round tick steps, a plot frame with its
// axes and grid, titles, a colour ramp and the message shown in place of a diagram.

#include "Scene.h"

#include <string>

namespace diagrams {

inline constexpr scene::Color kInk { 30, 30, 30 };
inline constexpr scene::Color kAxisGrey { 110, 110, 110 };
inline constexpr scene::Color kGridGrey { 222, 222, 222 };
inline constexpr scene::Color kWhite { 255, 255, 255 };
inline constexpr double kTextSize = 12;
inline constexpr double kTitleSize = 14;

// The curves' colours, in order: blue, red, green, purple.
scene::Color SeriesColor(int index);

// value with the given number of decimals, the point written as decimalSeparator.
std::string Fixed(double value, int decimals, const std::string& decimalSeparator);
// value with about three significant digits, never in exponent form ("1234", "12.3", "0.0456").
std::string Reading(double value, const std::string& decimalSeparator);
// Reading() without trailing zeros after the point ("3", "0.5", "12.5").
std::string Compact(double value, const std::string& decimalSeparator);
// A step of 1, 2 or 5 times a power of ten giving at most maxTicks intervals over range.
double NiceStep(double range, int maxTicks);
// The decimals a tick step needs (0 for 10, 1 for 0.5, ...).
int DecimalsFor(double step);

struct Box {
    double x = 0, y = 0, width = 0, height = 0;
    bool Overlaps(const Box& other) const;
    bool Inside(const Box& outer) const;
};

// A plot area and the data range it shows; y grows upwards unless yDown.
struct Frame {
    Box area;
    double x0 = 0, x1 = 1, y0 = 0, y1 = 1;
    bool yDown = false;
    scene::Point Map(double x, double y) const;
};

struct Axis {
    double step = 1; // tick and grid step in data units
    std::string title;
    int decimals = 0;
};

// The height the x axis's tick labels and title take below the plot area.
inline constexpr double kXAxisBand = 10 + kTextSize * 1.3 + kTextSize * 1.4;

// The grid, the frame, tick labels below and to the left, the axes' titles (the y title turned upright).
void AddAxes(
    scene::Scene& scene, const Frame& frame, const Axis& x, const Axis& y, const std::string& decimalSeparator);
// The width the y axis's tick labels need, for choosing the left margin.
double TickLabelWidth(double from, double to, const Axis& axis, const std::string& decimalSeparator);

void AddText(scene::Scene& scene, double x, double y, const std::string& text, scene::Anchor anchor,
    double size = kTextSize, bool bold = false, scene::Color color = kInk);
void AddLine(scene::Scene& scene, scene::Point a, scene::Point b, scene::Pen pen);

// A scene of the given size with the text in its middle, drawn in place of a diagram that cannot be had.
scene::Scene MessageScene(const std::string& text, double width, double height);

// A colour map from 0 (pale blue) through yellow to 1 (red).
scene::Color Ramp(double t);

// The size a diagram is laid out at: what is asked for, no smaller than the layout needs (the painter scales the
// scene down to fit).
inline double LayoutSide(double asked, double least) { return asked > least ? asked : least; }

} // namespace diagrams
