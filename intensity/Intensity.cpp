#include "Intensity.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace intensity {

namespace {

    // The positions of angles in ascending order, equal angles in the order they were given.
    std::vector<std::size_t> StableOrder(const tArrEx& angles)
    {
        std::vector<std::size_t> order(angles.size());
        std::iota(order.begin(), order.end(), std::size_t { 0 });
        std::stable_sort(
            order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return angles[a] < angles[b]; });
        return order;
    }

} // namespace

Symmetry SymmetryOf(const tArrEx& h)
{
    if (h.empty())
        return Symmetry::None;
    if (h.size() == 1)
        return Symmetry::OnePlane;
    const long double first = h.front(), last = h.back();
    if (first == 0 && last == 90)
        return Symmetry::Quadrant;
    if (first == 0 && last == 180)
        return Symmetry::Bilateral0;
    if (first == 90 && last == 270)
        return Symmetry::Bilateral90;
    if (first == 0 && last == 360)
        return Symmetry::Full;
    if (first == 0 && last > 180 && last < 360)
        return Symmetry::Circle;
    return Symmetry::Other;
}

Table::Table(const tIES& ies, long double multiplier)
    : ies_(&ies)
    , multiplier_(multiplier)
    , planeOrder_(StableOrder(ies.HorizAngles))
    , angleOrder_(StableOrder(ies.VertAngles))
{
    for (std::size_t k : planeOrder_)
        horizontal_.push_back(ies.HorizAngles[k]);
    for (std::size_t i : angleOrder_)
        vertical_.push_back(ies.VertAngles[i]);
}

long double Table::Maximum() const
{
    long double best = 0;
    bool any = false;
    for (std::size_t k = 0; k < horizontal_.size(); ++k)
        for (std::size_t i = 0; i < vertical_.size(); ++i) {
            const long double value = Value(k, i);
            best = any ? std::max(best, value) : value;
            any = true;
        }
    return best;
}

long double Table::AlongPlane(std::size_t plane, long double v) const
{
    const std::size_t n = vertical_.size();
    const std::size_t upper
        = static_cast<std::size_t>(std::upper_bound(vertical_.begin(), vertical_.end(), v) - vertical_.begin());
    if (upper > 0 && vertical_[upper - 1] == v)
        return Value(plane, upper - 1);
    if (upper == 0 || upper == n)
        return 0;
    const long double low = vertical_[upper - 1], high = vertical_[upper];
    const long double t = (v - low) / (high - low);
    const long double a = Value(plane, upper - 1);
    return a + (Value(plane, upper) - a) * t;
}

long double Table::Between(long double h, long double v, bool wrap) const
{
    const std::size_t n = horizontal_.size();
    if (n == 0 || vertical_.empty())
        return 0;
    const std::size_t upper
        = static_cast<std::size_t>(std::upper_bound(horizontal_.begin(), horizontal_.end(), h) - horizontal_.begin());
    if (upper > 0 && horizontal_[upper - 1] == h)
        return AlongPlane(upper - 1, v);
    std::size_t low = 0, high = 0;
    long double lowAngle = 0, highAngle = 0;
    if (upper == 0 || upper == n) {
        if (!wrap)
            return 0;
        // Across 360/0: from the last plane to the first one a full turn on.
        low = n - 1;
        high = 0;
        lowAngle = horizontal_.back() - (upper == 0 ? 360 : 0);
        highAngle = horizontal_.front() + (upper == 0 ? 0 : 360);
    } else {
        low = upper - 1;
        high = upper;
        lowAngle = horizontal_[low];
        highAngle = horizontal_[high];
    }
    const long double t = (h - lowAngle) / (highAngle - lowAngle);
    const long double a = AlongPlane(low, v);
    return a + (AlongPlane(high, v) - a) * t;
}

TypeC::TypeC(const tIES& ies, long double multiplier)
    : table_(ies, multiplier)
    , symmetry_(SymmetryOf(table_.Horizontal()))
{
}

long double TypeC::operator()(long double c, long double gamma) const
{
    if (table_.Empty() || !std::isfinite(c))
        return 0;
    c = std::fmod(c, 360.0L);
    if (c < 0)
        c += 360;
    switch (symmetry_) {
    case Symmetry::None:
        return 0;
    case Symmetry::OnePlane:
        return table_.AlongPlane(0, gamma);
    case Symmetry::Quadrant:
        if (c > 270)
            c = 360 - c;
        else if (c > 180)
            c = c - 180;
        else if (c > 90)
            c = 180 - c;
        break;
    case Symmetry::Bilateral0:
        if (c > 180)
            c = 360 - c;
        break;
    case Symmetry::Bilateral90:
        if (c > 270)
            c = 540 - c;
        else if (c < 90)
            c = 180 - c;
        break;
    case Symmetry::Full:
    case Symmetry::Circle:
    case Symmetry::Other:
        break;
    }
    return table_.Between(c, gamma, symmetry_ == Symmetry::Circle);
}

TypeAB::TypeAB(const tIES& ies, long double multiplier)
    : table_(ies, multiplier)
{
    mirrorHorizontal_ = !table_.Horizontal().empty() && table_.Horizontal().front() == 0;
    mirrorVertical_ = !table_.Vertical().empty() && table_.Vertical().front() == 0;
}

long double TypeAB::operator()(long double horizontal, long double vertical) const
{
    if (mirrorHorizontal_ && horizontal < 0)
        horizontal = -horizontal;
    if (mirrorVertical_ && vertical < 0)
        vertical = -vertical;
    return table_.Between(horizontal, vertical, false);
}

} // namespace intensity
