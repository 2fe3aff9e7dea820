#pragma once
// Which planes a drawing or a render shows, and the intensity mapped to the full radius.
// Angles are matched by exact comparison of the stored extended reals, without tolerance.

#include "tIES.h"

#include <span>

// The plane lying 180 degrees from plane p, with the symmetry overrides for files whose
// last horizontal angle is exactly 90 (four-fold) or exactly 180 (bilateral).
// p is a plane index of the record (0 to NumHorizAngles - 1); any other p has no partner and gives p.
int OppositePlane(const tIES& ies, int p);

// The first plane at exactly 90 degrees before the last one, else the last plane (0 with at most one plane).
int OrthogonalPlane(const tIES& ies);

// The planes one drawing shows: the main pair and, for plane 0 with the ortho switch down, the orthogonal pair.
struct PlaneSet {
    int plane = 0; // selected plane p
    int opposite = 0; // OppositePlane(p)
    bool orthoShown = false;
    int ortho = 0; // o, meaningful while orthoShown
    int orthoOpposite = 0; // OppositePlane(o)
};

PlaneSet ChoosePlanes(const tIES& ies, int plane, bool orthoDown);

// The stored values of plane h; empty for a plane index outside the intensity table, so nothing
// beyond a plane's values is ever read.
std::span<const long double> PlaneValues(const tIES& ies, int h);

// The intensity drawn at the full radius: MaxIntensity while fit is up; otherwise the largest value of
// the pairs on show, starting from their first value and replaced only by strictly greater values.
// Planes without values contribute nothing; with no value at all the result is 0.
long double ScaleMaximum(const tIES& ies, const PlaneSet& planes, bool fitDown, long double maxIntensity);

// The largest value of planes a to b inclusive, starting from the first value and replaced only by strictly
// greater values (so a leading NaN stays). 0 when those planes hold no value; indices outside the table are
// skipped.
long double ComputeMaxIntensity(const tIES& ies, int a, int b);

// While the fit switch is up the diagram's scale is the largest value of the whole file; true when that maximum is
// to be computed (fit up and a record loaded). With fit down the scale comes from the planes on show instead.
inline bool FileMaximumApplies(const tIES& ies, bool fitDown) { return !fitDown && !ies.Candela.empty(); }
