#pragma once
// Where the luminaires of the standard rooms stand as seen from the observer, computed once per spacing and shared
// by every file rated at that spacing.

#include "UgrConditions.h"

#include <array>
#include <optional>
#include <vector>

namespace ugr {

// A luminaire the observer sees: the vertical angle towards the eye, the C angle towards the eye with the
// luminaire's C0 direction along (crosswise) or across (endwise) the line of sight, and 1 / (r^2 p^2) with r the
// distance to the eye in metres and p the position index.
struct SeenLuminaire {
    long double gamma = 0;
    long double crosswiseC = 0;
    long double endwiseC = 0;
    long double weight = 0;
};

struct RoomGeometry {
    Room room;
    int count = 0; // luminaires in the room
    std::vector<SeenLuminaire> seen; // those that count in the sum
};

struct Geometry {
    long double spacing = 0; // ratio of the grid spacing to the mounting height
    std::array<RoomGeometry, kRooms> rooms;
};

// The luminaires of each standard room on a square grid of spacing x mounting height, centred across the room and
// starting half a spacing from the observer's wall; those beyond T/R 3, beyond 85 degrees or where the position
// index is not defined are left out. Empty when the spacing does not fit every room a whole number of times.
std::optional<Geometry> StandardGeometry(long double spacing);

} // namespace ugr
