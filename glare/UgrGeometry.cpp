#include "UgrGeometry.h"

#include "PositionIndex.h"

#include <cmath>
#include <map>
#include <mutex>
#include <numbers>

namespace {

using namespace ugr;

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
    geometry.seen.reserve(static_cast<std::size_t>(across) * static_cast<std::size_t>(along));
    for (int j = 0; j < along; ++j) {
        const long double r = (j + 0.5L) * s;
        for (int i = 0; i < across; ++i) {
            const long double t = (i - (across - 1) / 2.0L) * s;
            const long double tOverR = std::fabs(t) / r;
            if (tOverR > kMaxTOverR)
                continue;
            const long double horizontal = std::sqrt(r * r + t * t);
            const long double gamma = std::atan2(horizontal, h) * kDegreesPerRadian;
            if (gamma > kMaxGamma)
                continue;
            const std::optional<long double> p = PositionIndex(tOverR, h / r);
            if (!p)
                continue;
            // The sines and cosines follow from the sides of the triangles, without trigonometric functions.
            const long double sight = std::atan(t / r) * kDegreesPerRadian;
            const long double distance = std::sqrt(horizontal * horizontal + h * h);
            const long double cosSight = r / horizontal, sinSight = t / horizontal;
            const long double cosGamma = h / distance, sinGamma = horizontal / distance;
            const ViewDirection crosswise { sight, gamma, cosSight, sinSight, cosGamma, sinGamma };
            const ViewDirection endwise { 90 - sight, gamma, sinSight, cosSight, cosGamma, sinGamma };
            geometry.seen.push_back({ crosswise, endwise, 1 / (distance * distance * *p * *p) });
        }
    }
    return geometry;
}

} // namespace

std::optional<ugr::Geometry> ugr::StandardGeometry(long double spacing)
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

std::shared_ptr<const ugr::Geometry> ugr::SharedGeometry(long double spacing)
{
    static std::mutex guard;
    static std::map<long double, std::shared_ptr<const Geometry>> laidOut;
    const std::lock_guard lock(guard);
    if (const auto found = laidOut.find(spacing); found != laidOut.end())
        return found->second;
    std::optional<Geometry> built = StandardGeometry(spacing);
    if (!built)
        return nullptr;
    auto geometry = std::make_shared<const Geometry>(std::move(*built));
    laidOut.emplace(spacing, geometry);
    return geometry;
}
