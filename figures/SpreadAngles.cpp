#include "SpreadAngles.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

// Where the line from inside (at or above the threshold) to outside (below it) meets the threshold.
long double Crossing(const tProfilePoint& inside, const tProfilePoint& outside, long double threshold)
{
    return inside.Angle + (inside.Value - threshold) / (inside.Value - outside.Value) * (outside.Angle - inside.Angle);
}

std::size_t FirstMaximum(const tProfile& profile)
{
    std::size_t best = 0;
    for (std::size_t j = 1; j < profile.size(); ++j)
        if (profile[j].Value > profile[best].Value)
            best = j;
    return best;
}

tArrEx Scaled(const tArrEx& row, long double multiplier)
{
    tArrEx values(row.size());
    for (std::size_t i = 0; i < row.size(); ++i)
        values[i] = row[i] * multiplier;
    return values;
}

std::optional<std::size_t> IndexOf(const tArrEx& angles, long double angle)
{
    const auto at = std::find(angles.begin(), angles.end(), angle);
    if (at == angles.end())
        return std::nullopt;
    return static_cast<std::size_t>(at - angles.begin());
}

// The row of plane k, cut to the vertical angles the record has (a damaged record may hold short rows).
std::size_t RowLength(const tIES& ies, std::size_t k) { return std::min(ies.Candela[k].size(), ies.VertAngles.size()); }

bool CoversCircle(PlaneLayout layout) { return layout == PlaneLayout::Full360 || layout == PlaneLayout::FullCircle; }

std::optional<tArrEx> Interpolated(const tIES& ies, PlaneLayout layout, long double c)
{
    const tArrEx& h = ies.HorizAngles;
    const std::size_t count = std::min(h.size(), ies.Candela.size());
    if (count == 0)
        return std::nullopt;
    const auto end = h.begin() + static_cast<std::ptrdiff_t>(count);
    const auto above = std::upper_bound(h.begin(), end, c);
    if ((above == end || above == h.begin()) && !CoversCircle(layout))
        return std::nullopt;
    const std::size_t upper = above == end ? 0 : static_cast<std::size_t>(above - h.begin());
    const long double upperAngle = above == end ? h.front() + 360 : h[upper];
    const std::size_t lower = above == h.begin() ? count - 1 : static_cast<std::size_t>(above - h.begin()) - 1;
    const long double lowerAngle = above == h.begin() ? h[count - 1] - 360 : h[lower];
    const long double t = upperAngle == lowerAngle ? 0 : (c - lowerAngle) / (upperAngle - lowerAngle);
    const std::size_t length = std::min(RowLength(ies, lower), RowLength(ies, upper));
    tArrEx plane(length);
    for (std::size_t i = 0; i < length; ++i)
        plane[i] = ies.Candela[lower][i] + (ies.Candela[upper][i] - ies.Candela[lower][i]) * t;
    return plane;
}

std::optional<tArrEx> PlaneOf(const tIES& ies, PlaneLayout layout, long double c)
{
    const std::size_t count = std::min(ies.HorizAngles.size(), ies.Candela.size());
    for (std::size_t k = 0; k < count; ++k)
        if (ies.HorizAngles[k] == c)
            return tArrEx(
                ies.Candela[k].begin(), ies.Candela[k].begin() + static_cast<std::ptrdiff_t>(RowLength(ies, k)));
    switch (layout) {
    case PlaneLayout::OnePlane:
        return PlaneOf(ies, PlaneLayout::Other, ies.HorizAngles.front());
    case PlaneLayout::Quadrant:
        if (c == 180 || c == 270)
            return PlaneOf(ies, layout, c - 180);
        break;
    case PlaneLayout::Bilateral0:
        if (c == 270)
            return PlaneOf(ies, layout, 90);
        break;
    case PlaneLayout::Bilateral90:
        if (c == 0)
            return PlaneOf(ies, layout, 180);
        break;
    case PlaneLayout::Full360:
        if (c == 360)
            return PlaneOf(ies, layout, 0);
        break;
    default:
        break;
    }
    return Interpolated(ies, layout, c);
}

// Points (+x, a) and (-x, b) for x = angle(gamma), the point at 0 once (from a), in ascending angle order.
template <typename AngleOf>
tProfile SectionProfile(const tArrEx& gamma, const tArrEx& a, const tArrEx& b, AngleOf angleOf)
{
    tProfile profile;
    profile.reserve(2 * gamma.size());
    for (std::size_t i = 0; i < gamma.size(); ++i) {
        const long double x = angleOf(gamma[i]);
        profile.push_back({ x, a[i] });
        if (x != 0)
            profile.push_back({ -x, b[i] });
    }
    std::stable_sort(profile.begin(), profile.end(),
        [](const tProfilePoint& p, const tProfilePoint& q) { return p.Angle < q.Angle; });
    return profile;
}

} // namespace

std::optional<tArrEx> TypeCPlane(const tIES& ies, PlaneLayout layout, long double c) { return PlaneOf(ies, layout, c); }

PlaneLayout TypeCLayout(const tArrEx& horizontal)
{
    if (horizontal.size() == 1)
        return PlaneLayout::OnePlane;
    if (horizontal.empty())
        return PlaneLayout::Other;
    const long double first = horizontal.front();
    const long double last = horizontal.back();
    if (first == 0 && last == 90)
        return PlaneLayout::Quadrant;
    if (first == 0 && last == 180)
        return PlaneLayout::Bilateral0;
    if (first == 90 && last == 270)
        return PlaneLayout::Bilateral90;
    if (first == 0 && last == 360)
        return PlaneLayout::Full360;
    if (first == 0 && last > 180 && last < 360)
        return PlaneLayout::FullCircle;
    return PlaneLayout::Other;
}

std::optional<long double> SpreadWidth(const tProfile& profile, long double fraction, long double reach)
{
    // The window: the points within reach of 0, one run of the ascending profile.
    std::size_t first = 0;
    while (first < profile.size() && std::fabs(profile[first].Angle) > reach)
        ++first;
    std::size_t last = first;
    while (last < profile.size() && std::fabs(profile[last].Angle) <= reach)
        ++last;
    if (first == last)
        return std::nullopt;
    const tProfile window(
        profile.begin() + static_cast<std::ptrdiff_t>(first), profile.begin() + static_cast<std::ptrdiff_t>(last));
    const std::size_t peak = FirstMaximum(window);
    const long double maximum = window[peak].Value;
    if (!(maximum > 0))
        return std::nullopt;
    const long double threshold = fraction * maximum;
    // From each end of the window towards the peak, the first point at or above the threshold; the peak itself
    // qualifies, so each walk ends. A window end that is at or above the threshold leaves the spread open.
    std::size_t right = window.size() - 1;
    while (right > peak && window[right].Value < threshold)
        --right;
    std::size_t left = 0;
    while (left < peak && window[left].Value < threshold)
        ++left;
    if (right == window.size() - 1 || left == 0)
        return std::nullopt;
    const long double width
        = Crossing(window[right], window[right + 1], threshold) - Crossing(window[left], window[left - 1], threshold);
    if (!std::isfinite(width))
        return std::nullopt;
    return width;
}

std::optional<long double> TypeCSpread(
    const tIES& ies, PlaneLayout layout, long double ca, long double multiplier, long double fraction)
{
    const auto a = TypeCPlane(ies, layout, ca);
    const auto b = TypeCPlane(ies, layout, ca + 180);
    if (!a || !b)
        return std::nullopt;
    const tArrEx first = Scaled(*a, multiplier);
    const tArrEx second = Scaled(*b, multiplier);
    const tProfile fromNadir = SectionProfile(ies.VertAngles, first, second, [](long double g) { return g; });
    if (fromNadir.empty())
        return std::nullopt;
    if (std::fabs(fromNadir[FirstMaximum(fromNadir)].Angle) <= 90)
        return SpreadWidth(fromNadir, fraction, kTypeCReach);
    // An upward beam: measured from the zenith.
    return SpreadWidth(
        SectionProfile(ies.VertAngles, first, second, [](long double g) { return 180 - g; }), fraction, kTypeCReach);
}

std::optional<long double> HorizontalSpread(const tIES& ies, long double multiplier, long double fraction)
{
    const auto row = IndexOf(ies.VertAngles, 0);
    if (!row)
        return std::nullopt;
    tProfile profile;
    const bool mirrored = !ies.HorizAngles.empty() && ies.HorizAngles.front() == 0;
    for (std::size_t k = 0; k < ies.HorizAngles.size(); ++k) {
        const long double value = ies.Candela[k][*row] * multiplier;
        profile.push_back({ ies.HorizAngles[k], value });
        if (mirrored && ies.HorizAngles[k] != 0)
            profile.push_back({ -ies.HorizAngles[k], value });
    }
    std::stable_sort(profile.begin(), profile.end(),
        [](const tProfilePoint& p, const tProfilePoint& q) { return p.Angle < q.Angle; });
    return SpreadWidth(profile, fraction);
}

std::optional<long double> VerticalSpread(const tIES& ies, long double multiplier, long double fraction)
{
    const auto column = IndexOf(ies.HorizAngles, 0);
    if (!column)
        return std::nullopt;
    tProfile profile;
    for (std::size_t i = 0; i < ies.VertAngles.size(); ++i)
        profile.push_back({ ies.VertAngles[i], ies.Candela[*column][i] * multiplier });
    return SpreadWidth(profile, fraction);
}
