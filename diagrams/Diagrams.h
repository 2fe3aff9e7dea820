#pragma once
// The four diagrams as display lists, laid out for a place of width x height (in the scene's units: pixels at
// 100 %). A diagram that cannot be had for the file (no file, or one that needs type C) is a scene that says why.
//   Cartesian: I against the signed vertical angle for C0-C180, C90-C270 and the viewer's plane (types A and B:
//     the horizontal and vertical sections), beam and field angles marked.
//   Isolux: E = I(C, gamma) cos^3(gamma) / h^2 on the floor h below the luminaire, contours at 1-2-5 lux.
//   Cone: E0 = I(0, 0) / h^2 and D = 2 h tan(beam / 2) at five heights, with a table.
//   Isocandela: I over C 0..360 and gamma 0..180 as colours, contours at 10 % steps of the maximum.

#include "DiagramInput.h"
#include "Scene.h"

namespace diagrams {

scene::Scene BuildCartesian(const CartesianInput& input, double width, double height);
scene::Scene BuildIsolux(const DiagramInput& input, double width, double height);
scene::Scene BuildCone(const ConeInput& input, double width, double height);
scene::Scene BuildIsocandela(const DiagramInput& input, double width, double height);
scene::Scene BuildDiagram(Kind kind, const DiagramInput& input, double width, double height);

// The 1-2-5 lux steps (..., 1, 2, 5, 10, ...) below maximum and not below maximum / 500, at most count of them,
// the highest ones, in ascending order.
std::vector<double> IsoluxLevels(double maximum, int count = 8);

// The five heights of the cone diagram, evenly from input.coneFrom to input.coneTo.
std::vector<double> ConeHeights(const DiagramInput& input);

} // namespace diagrams
