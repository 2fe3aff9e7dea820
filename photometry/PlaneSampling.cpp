#include "PlaneSampling.h"

#include <algorithm>

namespace {

int LastPlane(const tIES& ies) { return static_cast<int>(ies.HorizAngles.size()) - 1; }

// Running maximum over several planes: the first value seen starts it, later values replace it only
// when strictly greater. Keeps the order of visits that decides the result for NaN values.
class RunningMax {
public:
    void Visit(std::span<const long double> values)
    {
        for (const long double value : values) {
            if (!started_) {
                max_ = value;
                started_ = true;
            } else if (value > max_) {
                max_ = value;
            }
        }
    }
    long double Result() const { return started_ ? max_ : 0.0L; }

private:
    long double max_ = 0;
    bool started_ = false;
};

} // namespace

int OppositePlane(const tIES& ies, int p)
{
    const int last = LastPlane(ies);
    if (last <= 0)
        return 0;
    if (p < 0 || p > last)
        return p;
    const long double angle = ies.HorizAngles[p];
    // Exact comparisons: a full-circle file without the exact partner angle pairs with the last plane.
    int j = 0;
    while (j < last) {
        if (ies.HorizAngles[j] - 180 == angle || ies.HorizAngles[j] + 180 == angle)
            break;
        ++j;
    }
    // Planes ending at 90: symmetric in all four quadrants, the plane itself stands in for its partner.
    if (ies.HorizAngles[last] == 90)
        return p;
    // Planes ending at 180: symmetric about the 0-180 plane, the plane at 180 - C stands in for C + 180.
    if (ies.HorizAngles[last] == 180)
        return last - p;
    return j;
}

int OrthogonalPlane(const tIES& ies)
{
    const int last = LastPlane(ies);
    int o = 0;
    while (o < last && ies.HorizAngles[o] != 90)
        ++o;
    return o;
}

PlaneSet ChoosePlanes(const tIES& ies, int plane, bool orthoDown)
{
    PlaneSet set;
    set.plane = plane;
    set.opposite = OppositePlane(ies, plane);
    if (plane == 0 && orthoDown) {
        set.orthoShown = true;
        set.ortho = OrthogonalPlane(ies);
        set.orthoOpposite = OppositePlane(ies, set.ortho);
    }
    return set;
}

std::span<const long double> PlaneValues(const tIES& ies, int h)
{
    if (h < 0 || static_cast<size_t>(h) >= ies.Candela.size())
        return {};
    return ies.Candela[static_cast<size_t>(h)];
}

long double ScaleMaximum(const tIES& ies, const PlaneSet& planes, bool fitDown, long double maxIntensity)
{
    if (!fitDown)
        return maxIntensity;
    RunningMax max;
    max.Visit(PlaneValues(ies, planes.plane));
    max.Visit(PlaneValues(ies, planes.opposite));
    if (planes.orthoShown) {
        max.Visit(PlaneValues(ies, planes.ortho));
        max.Visit(PlaneValues(ies, planes.orthoOpposite));
    }
    return max.Result();
}

long double ComputeMaxIntensity(const tIES& ies, int a, int b)
{
    RunningMax max;
    for (int h = std::max(a, 0); h <= b; ++h) {
        if (static_cast<size_t>(h) >= ies.Candela.size())
            break;
        max.Visit(ies.Candela[static_cast<size_t>(h)]);
    }
    return max.Result();
}
