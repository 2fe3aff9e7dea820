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

bool CoversCircle(PlaneLayout layout) { return layout == PlaneLayout::Full360 || layout == PlaneLayout::FullCircle; }

// Linear interpolation in C between the nearest planes on either side, around the circle for a full-circle file.
std::optional<tArrEx> InterpolatedPlane(const tIES& ies, PlaneLayout layout, long double c)
{
    const tArrEx& h = ies.HorizAngles;
    const auto above = std::upper_bound(h.begin(), h.end(), c);
    std::size_t upper = static_cast<std::size_t>(above - h.begin());
    long double upperAngle = 0;
    std::size_t lower = 0;
    long double lowerAngle = 0;
    if (above == h.end()) {
        if (!CoversCircle(layout))
            return std::nullopt;
        upper = 0;
        upperAngle = h.front() + 360;
    } else {
        upperAngle = h[upper];
    }
    if (above == h.begin()) {
        if (!CoversCircle(layout))
            return std::nullopt;
        lower = h.size() - 1;
        lowerAngle = h.back() - 360;
    } else {
        lower = static_cast<std::size_t>(above - h.begin()) - 1;
        lowerAngle = h[lower];
    }
    const long double t = (c - lowerAngle) / (upperAngle - lowerAngle);
    const tArrEx& a = ies.Candela[lower];
    const tArrEx& b = ies.Candela[upper];
    tArrEx plane(a.size());
    for (std::size_t i = 0; i < plane.size(); ++i)
        plane[i] = a[i] + (b[i] - a[i]) * t;
    return plane;
}

// The candela values of plane C = c: the file's own, a copy by symmetry, or an interpolation.
std::optional<tArrEx> Plane(const tIES& ies, PlaneLayout layout, long double c)
{
    if (const auto k = IndexOf(ies.HorizAngles, c))
        return ies.Candela[*k];
    switch (layout) {
    case PlaneLayout::OnePlane:
        return ies.Candela.front();
    case PlaneLayout::Quadrant:
        if (c == 180)
            return Plane(ies, layout, 0);
        if (c == 270)
            return Plane(ies, layout, 90);
        break;
    case PlaneLayout::Bilateral0:
        if (c == 270)
            return Plane(ies, layout, 90);
        break;
    case PlaneLayout::Bilateral90:
        if (c == 0)
            return Plane(ies, layout, 180);
        break;
    case PlaneLayout::Full360:
        if (c == 360)
            return Plane(ies, layout, 0);
        break;
    default:
        break;
    }
    return InterpolatedPlane(ies, layout, c);
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
    const auto a = Plane(ies, layout, ca);
    const auto b = Plane(ies, layout, ca + 180);
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
