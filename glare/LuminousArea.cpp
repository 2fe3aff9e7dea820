#include "LuminousArea.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr long double kRadiansPerDegree = std::numbers::pi_v<long double> / 180;
constexpr long double kMetresPerFoot = 0.3048L;

bool Finite(long double value) { return std::isfinite(value); }

} // namespace

long double ProjectedArea(const tLuminousArea& area, long double c, long double gamma)
{
    const long double cRadians = c * kRadiansPerDegree;
    const long double gammaRadians = gamma * kRadiansPerDegree;
    return ProjectedArea(area, std::cos(cRadians), std::sin(cRadians), std::cos(gammaRadians), std::sin(gammaRadians));
}

long double ProjectedArea(
    const tLuminousArea& area, long double cosC, long double sinC, long double cosGamma, long double sinGamma)
{
    if (area.circular) {
        const long double bottom = std::numbers::pi_v<long double> * area.length * area.length / 4;
        return bottom * cosGamma + area.length * area.heights[0] * sinGamma;
    }
    const long double acrossC0 = cosC >= 0 ? area.heights[0] : area.heights[2];
    const long double acrossC90 = sinC >= 0 ? area.heights[1] : area.heights[3];
    const long double side = area.length * std::fabs(cosC) * acrossC0 + area.width * std::fabs(sinC) * acrossC90;
    return area.length * area.width * cosGamma + side * sinGamma;
}

std::optional<tLuminousArea> LuminousAreaOf(const tPhotometricHeader& header, std::string& reason)
{
    tLuminousArea area;
    if (header.SideHeights) {
        area.length = header.Width;
        area.width = header.Length;
        area.heights = *header.SideHeights;
        area.circular = area.width == 0;
    } else {
        const long double unit = header.UnitsType == 1 ? kMetresPerFoot : 1;
        if (header.UnitsType != 1 && header.UnitsType != 2) {
            reason = "the file's units are neither feet nor metres, so its luminous opening has no size";
            return std::nullopt;
        }
        // A disc is a negative width with the same negative length or none (older files give the length as 0).
        const long double w = header.Width, l = header.Length;
        area.circular = (w < 0 && (l == w || l == 0)) || (l < 0 && w == 0);
        area.length = area.circular ? -std::min(w, l) * unit : w * unit;
        area.width = area.circular ? 0 : l * unit;
        area.heights.fill(header.Height * unit);
        if (!area.circular && (w < 0 || l < 0)) {
            reason = "the luminous opening is an ellipse or a horizontal cylinder, shapes the rating does not model";
            return std::nullopt;
        }
        if (header.Height < 0) {
            reason = "the luminous opening is a sphere or a cylinder lying on its side, shapes the rating does not "
                     "model";
            return std::nullopt;
        }
    }
    bool sides = false;
    for (const long double h : area.heights) {
        if (!Finite(h) || h < 0) {
            reason = "a height of the luminous area is negative or not a number";
            return std::nullopt;
        }
        sides = sides || h > 0;
    }
    if (!Finite(area.length) || !Finite(area.width) || area.length < 0 || area.width < 0) {
        reason = "the luminous area's length or width is negative or not a number";
        return std::nullopt;
    }
    const bool bottom = area.length > 0 && (area.circular || area.width > 0);
    const bool seen = bottom || (sides && area.length + area.width > 0);
    if (!seen) {
        reason = "the file gives no luminous area (EULUMDAT luminous-area lines, IES luminous opening)";
        return std::nullopt;
    }
    return area;
}
