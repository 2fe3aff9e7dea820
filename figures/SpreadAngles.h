#pragma once
// Beam and field angles: the width of a section of the distribution between the points where the intensity falls
// below a fraction of the section's maximum.

#include "tIES.h"

#include <limits>
#include <optional>
#include <vector>

struct tProfilePoint {
    long double Angle; // signed degrees across the section
    long double Value; // cd
};
using tProfile = std::vector<tProfilePoint>;

// How the horizontal angles of a type C file cover the circle.
enum class PlaneLayout { OnePlane, Quadrant, Bilateral0, Bilateral90, Full360, FullCircle, Other };

PlaneLayout TypeCLayout(const tArrEx& horizontal);

// The candela values (unscaled) of type C plane C = c: the file's own, the one the layout's symmetry gives, or a
// linear interpolation between the nearest planes (around the circle for a full-circle file); rows cut to the
// vertical angles the record has. Empty when the layout gives no such plane.
std::optional<tArrEx> TypeCPlane(const tIES& ies, PlaneLayout layout, long double c);

// The distance between the outermost crossings of fraction x maximum within the window of points whose |angle| is
// at most reach. From each end of the window towards the first maximum, the first point at or above the threshold
// is taken; the crossing is linear between it and the point beyond it. So a batwing spreads over both its wings.
// Empty when the maximum is not above zero, when a window end is itself at or above the threshold, or when the
// result is not finite. Points in ascending angle order.
std::optional<long double> SpreadWidth(
    const tProfile& profile, long double fraction, long double reach = std::numeric_limits<long double>::infinity());

// Type C sections are measured within 90 degrees of the nadir (or of the zenith for an upward beam).
inline constexpr long double kTypeCReach = 90;

// The spread across the type C section C(ca) - C(ca + 180), measured from the zenith instead when the maximum lies
// more than 90 degrees from nadir. Intensities are scaled by multiplier. Empty when a plane cannot be had.
std::optional<long double> TypeCSpread(
    const tIES& ies, PlaneLayout layout, long double ca, long double multiplier, long double fraction);

// Types A and B: the spread along the horizontal angles at vertical angle 0 (mirrored when the horizontal angles
// start at 0) and along the vertical angles at horizontal angle 0. Empty without that row or column.
std::optional<long double> HorizontalSpread(const tIES& ies, long double multiplier, long double fraction);
std::optional<long double> VerticalSpread(const tIES& ies, long double multiplier, long double fraction);
