#pragma once
// The two sections of a light distribution that the datasheet's polar diagram draws, each as one curve through
// the centre: type C the planes C0 (right) with C180 (left) and C90 (right) with C270 (left); types A and B the
// horizontal section (along the horizontal angles at vertical angle 0) and the vertical one (along the vertical
// angles at horizontal angle 0).

#include "SpreadAngles.h"
#include "tIES.h"

#include <optional>
#include <string>
#include <vector>

namespace datasheet {

struct Section {
    std::string Label; // "C0-C180", "C90-C270", "Horizontal", "Vertical"
    bool Dashed = false; // the second section
    // Signed degrees from the diagram's downward axis (positive to the right), ascending; values in the diagram's
    // unit (the table's value times scale).
    tProfile Points;
};

// The sections of the record; photometricType 1 is type C, 2 type B, 3 type A (anything else is taken as C).
// A type C plane the file does not hold is had by its symmetry, or linearly between the nearest planes on either
// side; a section whose planes cannot be had, or without values, is left out.
std::vector<Section> PolarSections(const tIES& ies, int photometricType, long double scale);

// A type C record cut down to the planes C0, C90, C180 and C270 of its symmetry (C360 too for 0 to 360), each its
// own or had as PolarSections has it: the sections are the same in it, at a fraction of the size. Empty for one
// plane (small already), for planes that cover no symmetry and for rows of another length than the angles.
std::optional<tIES> MainPlanes(const tIES& ies);

} // namespace datasheet
