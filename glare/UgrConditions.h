#pragma once
// The standard conditions of a UGR table: the rooms, the reflectances, the mounting height and the tabulated
// factors of the background luminance (shares of the downward flux reaching the floor by room index, and the
// transfer factors from floor, walls and ceiling to the walls by room and reflectances).

#include <array>

namespace ugr {

inline constexpr int kRooms = 19;
inline constexpr int kReflectances = 5;
inline constexpr long double kMountingHeight = 2.0L; // m, luminaire plane above the eye
inline constexpr long double kEyeHeight = 1.2L; // m above the floor
inline constexpr long double kLuminaireFlux = 1000.0L; // lm of lamp flux per luminaire in an uncorrected table
inline constexpr long double kMaxGamma = 85.0L; // degrees; steeper views are left out
inline constexpr long double kMaxTOverR = 3.0L;

// A room: X across the line of sight, Y along it, in units of the mounting height.
struct Room {
    int x = 0;
    int y = 0;
};

// The rows of the table, in the order catalogues give them.
inline constexpr std::array<Room, kRooms> kRoomSizes
    = { { { 2, 2 }, { 2, 3 }, { 2, 4 }, { 2, 6 }, { 2, 8 }, { 2, 12 }, { 4, 2 }, { 4, 3 }, { 4, 4 }, { 4, 6 }, { 4, 8 },
        { 4, 12 }, { 8, 4 }, { 8, 6 }, { 8, 8 }, { 8, 12 }, { 12, 4 }, { 12, 6 }, { 12, 8 } } };

// Ceiling, walls and floor reflectances in percent; the same five columns viewed crosswise and endwise.
struct Reflectances {
    int ceiling = 0;
    int walls = 0;
    int floor = 0;
};
inline constexpr std::array<Reflectances, kReflectances> kReflectanceSets
    = { { { 70, 50, 20 }, { 70, 30, 20 }, { 50, 50, 20 }, { 50, 30, 20 }, { 30, 30, 20 } } };

// F_GL1 to F_GL4: the shares of the cumulative downward fluxes in the 41.4, 60, 75.5 and 90 degree cones that
// reach the floor directly, for the room index k = XY / (H (X + Y)); none when k is not tabulated.
const std::array<long double, 4>* FloorShares(long double roomIndex);

// F_T from the floor to the walls, from the walls to the walls (after the first reflection) and from the ceiling
// to the walls, for room r (0 to kRooms - 1) and reflectance set s (0 to kReflectances - 1).
struct WallTransfer {
    long double fromFloor = 0;
    long double fromWalls = 0;
    long double fromCeiling = 0;
};
WallTransfer WallTransferFactors(int room, int reflectances);

} // namespace ugr
