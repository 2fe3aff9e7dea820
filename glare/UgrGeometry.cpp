#include "UgrGeometry.h"

#include "PositionIndex.h"

#include <cmath>
#include <numbers>

namespace ugr {
namespace {

    constexpr long double kDegreesPerRadian = 180 / std::numbers::pi_v<long double>;

    // The whole number of spacings in a room's side, or 0 when it is not whole.
    int Spacings(int side, long double spacing)
    {
        const long double count = side / spacing;
        const long double whole = std::nearbyint(count);
        return whole >= 1 && std::fabs(count - whole) < 1e-9L ? static_cast<int>(whole) : 0;
    }

    RoomGeometry Place(const Room& room, int across, int along, long double spacing)
    {
        const long double h = kMountingHeight;
        const long double s = spacing * h;
        RoomGeometry geometry { room, across * along, {} };
        for (int j = 0; j < along; ++j) {
            const long double r = (j + 0.5L) * s;
            for (int i = 0; i < across; ++i) {
                const long double t = (i - (across - 1) / 2.0L) * s;
                const long double horizontal = std::hypot(r, t);
                const long double gamma = std::atan2(horizontal, h) * kDegreesPerRadian;
                const long double tOverR = std::fabs(t) / r;
                if (tOverR > kMaxTOverR || gamma > kMaxGamma)
                    continue;
                const std::optional<long double> p = PositionIndex(tOverR, h / r);
                if (!p)
                    continue;
                const long double sight = std::atan(t / r) * kDegreesPerRadian;
                const long double distance2 = horizontal * horizontal + h * h;
                geometry.seen.push_back({ gamma, sight, 90 - sight, 1 / (distance2 * *p * *p) });
            }
        }
        return geometry;
    }

} // namespace

std::optional<Geometry> StandardGeometry(long double spacing)
{
    if (!(spacing > 0))
        return std::nullopt;
    Geometry geometry;
    geometry.spacing = spacing;
    for (int k = 0; k < kRooms; ++k) {
        const Room& room = kRoomSizes[k];
        const int across = Spacings(room.x, spacing);
        const int along = Spacings(room.y, spacing);
        if (across == 0 || along == 0)
            return std::nullopt;
        geometry.rooms[k] = Place(room, across, along, spacing);
    }
    return geometry;
}

} // namespace ugr
