#pragma once
// The background luminance of the standard rooms: the luminaire's downward flux split between floor and walls by
// the room's tabulated shares, carried to the walls by the tabulated transfer factors.

#include "GlareLuminaire.h"

#include <array>

namespace ugr {

inline constexpr int kZones = 18; // ten-degree zones from nadir

// Zonal fluxes in lm per 1000 lm of lamp flux: mean intensity at each zone's middle angle times the zone's solid
// angle, scaled so that they add up to the light output ratio x 1000.
std::array<long double, kZones> ZonalFluxes(const tGlareLuminaire& luminaire);

// The luminaire's flux shares in a room: reaching the floor directly (F_DF), the walls directly (F_DW) and the
// ceiling (F_DC), all per lamp lumen.
struct FluxShares {
    long double floor = 0;
    long double walls = 0;
    long double ceiling = 0;
};

// The shares in room r (0 to kRooms - 1), from the zonal fluxes; empty shares when the room index is not tabulated.
FluxShares RoomFluxShares(const std::array<long double, kZones>& zones, int room);

// The background luminance in cd/m^2 of room r with reflectance set s and count luminaires of 1000 lm each.
long double BackgroundLuminance(const FluxShares& shares, int room, int reflectances, int count);

} // namespace ugr
