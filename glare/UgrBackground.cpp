#include "UgrBackground.h"

#include "UgrConditions.h"

#include <cmath>
#include <numbers>

namespace ugr {
namespace {

    constexpr long double kPi = std::numbers::pi_v<long double>;
    constexpr long double kZoneWidth = 10 * kPi / 180;

    // The parts of the 45 and 75 degree zones inside the 41.4 and 75.5 degree cones.
    constexpr long double kPartOf45 = 0.130L;
    constexpr long double kPartOf75 = 0.547L;

} // namespace

std::array<long double, kZones> ZonalFluxes(const tGlareLuminaire& luminaire)
{
    std::array<long double, kZones> zones {};
    long double total = 0;
    for (int z = 0; z < kZones; ++z) {
        const long double middle = 10 * z + 5;
        zones[z] = luminaire.MeanIntensity(middle) * 2 * kPi * std::sin(middle * kPi / 180) * kZoneWidth;
        total += zones[z];
    }
    if (total > 0)
        for (long double& zone : zones)
            zone *= luminaire.LightOutputRatio() * kLuminaireFlux / total;
    return zones;
}

FluxShares RoomFluxShares(const std::array<long double, kZones>& zones, int room)
{
    const Room& size = kRoomSizes[room];
    const long double roomIndex = static_cast<long double>(size.x) * size.y / (size.x + size.y);
    const std::array<long double, 4>* floorShares = FloorShares(roomIndex);
    if (!floorShares)
        return {};
    long double cumulative[9];
    long double running = 0;
    for (int z = 0; z < 9; ++z)
        cumulative[z] = running += zones[z];
    const long double cones[4]
        = { cumulative[3] + kPartOf45 * zones[4], cumulative[5], cumulative[6] + kPartOf75 * zones[7], cumulative[8] };
    long double toFloor = 0;
    for (int i = 0; i < 4; ++i)
        toFloor += cones[i] * (*floorShares)[i];
    long double upward = 0;
    for (int z = 9; z < kZones; ++z)
        upward += zones[z];
    FluxShares shares;
    shares.floor = toFloor / kLuminaireFlux;
    shares.walls = cumulative[8] / kLuminaireFlux - shares.floor;
    shares.ceiling = upward / kLuminaireFlux;
    return shares;
}

long double BackgroundLuminance(const FluxShares& shares, int room, int reflectances, int count)
{
    const WallTransfer transfer = WallTransferFactors(room, reflectances);
    const long double toWalls
        = shares.floor * transfer.fromFloor + shares.walls * transfer.fromWalls + shares.ceiling * transfer.fromCeiling;
    const Room& size = kRoomSizes[room];
    const long double wallArea = 2 * kMountingHeight * (size.x + size.y) * kMountingHeight;
    const long double illuminance = kLuminaireFlux * count / wallArea;
    return illuminance * toWalls / kPi;
}

} // namespace ugr
