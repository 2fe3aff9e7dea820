#pragma once
// The polar intensity diagram: the fixed grid, then the scale, header lines and plane curves.

#include "DrawSurface.h"
#include "PlaneSampling.h"
#include "tIES.h"

#include <string>
#include <vector>

// What DrawIES reads besides the surface: the record, the controls and the paint box size.
struct GoniogramInput {
    const tIES* ies = nullptr;
    int plane = 0; // position of the degree track bar
    bool fitDown = false; // SpeedButtonFit down: scale fitted to the planes on show
    bool orthoDown = false; // SpeedButtonOrtho down
    long double maxIntensity = 0; // MaxIntensity, the common scale while fit is up
    int width = 0, height = 0; // paint box client size
    std::string decimalSeparator = "."; // the user's locale decimal separator
};

// Colours of the diagram.
inline constexpr SurfaceColor GridColor { 128, 128, 128, false };
inline constexpr SurfaceColor RingColor { 100, 100, 100, false };
inline constexpr SurfaceColor LabelColor { 0, 0, 255, false };
inline constexpr SurfaceColor OrthoCurveColor { 200, 128, 128, false };
inline constexpr SurfaceColor MainCurveColor { 255, 0, 0, false };
inline constexpr int CurveWidth = 2;
inline constexpr int DiagramMargin = 10; // pixels between the scale maximum and the paint box's sides

// Background, inner circle, axes and spokes for a paint box of width x height pixels.
void ShowGrid(DrawSurface& surface, int width, int height);

// Scale rings, header lines and curves over the grid; only the grid stays when nothing is loaded or the
// selected plane is not in the table. A scale maximum that is not a positive finite number gives the
// header lines without rings or curves.
void DrawIES(DrawSurface& surface, const GoniogramInput& input);

// The steps of DrawIES, for callers and tests that need one on its own. Each takes what DrawIES works out.
struct GoniogramFrame {
    DrawSurface& surface;
    const tIES& ies;
    PlaneSet planes;
    int cx = 0, cy = 0; // centre, also the half width and half height
    long double maximum = 0; // scale maximum M
    int rx = 0, ry = 0; // radii at which M is drawn horizontally and vertically
    std::string decimalSeparator;
    std::vector<long double> cosT, sinT; // per vertical angle, filled on first use
};

void DrawGoniogram(GoniogramFrame& frame, bool fitDown, long double maxIntensity);
// Rings with their values and the two header lines; true when the maximum carries a scale (rings drawn).
bool DrawScale(GoniogramFrame& frame);
// Plane a on the right half, plane b on the left, each as a polyline through its stored points.
void DrawPlanePair(GoniogramFrame& frame, int a, int b);
