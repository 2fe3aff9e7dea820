#pragma once
// The polar intensity diagram: the fixed grid, then the scale, header lines and plane curves.

#include "DrawSurface.h"
#include "tIES.h"

#include <string>

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

// Background, inner circle, axes and spokes for a paint box of width x height pixels.
void ShowGrid(DrawSurface& surface, int width, int height);

// Scale rings, header lines and curves over the grid; only the grid stays when nothing is loaded.
void DrawIES(DrawSurface& surface, const GoniogramInput& input);
