#pragma once
// Where the luminaires of the standard rooms stand as seen from the observer, computed once per spacing and shared
// by every file rated at that spacing.

#include "UgrConditions.h"

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace ugr {

// A direction towards the eye in degrees, with the sines and cosines the projected area needs.
struct ViewDirection {
    long double c = 0;
    long double gamma = 0;
    long double cosC = 0, sinC = 0, cosGamma = 0, sinGamma = 0;
};

// A luminaire the observer sees: the direction towards the eye with the luminaire's C0 direction along (crosswise)
// or across (endwise) the line of sight, and 1 / (r^2 p^2) with r the distance to the eye in metres and p the
// position index.
struct SeenLuminaire {
    ViewDirection crosswise;
    ViewDirection endwise;
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

// StandardGeometry laid out once per spacing for the whole program (safe from several threads); null when the
// spacing does not fit.
std::shared_ptr<const Geometry> SharedGeometry(long double spacing);

} // namespace ugr
