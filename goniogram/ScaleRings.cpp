#include "ScaleRings.h"

#include <cmath>
#include <limits>

namespace {

// nearest(M / (base x k)) <= 8, rounding halves to even as everywhere else.
bool FewEnoughRings(long double maximum, long double base, long double k)
{
    return std::nearbyint(maximum / (base * k)) <= 8;
}

// The next and previous whole numbers; beyond 2^64 every long double is whole and k + 1 == k, so the
// neighbour is the next representable value.
long double NextWhole(long double k)
{
    const long double next = k + 1;
    return next > k ? next : std::nextafter(k, std::numeric_limits<long double>::infinity());
}

long double PreviousWhole(long double k)
{
    const long double previous = k - 1;
    return previous < k ? previous : std::nextafter(k, 0.0L);
}

} // namespace

RingSpacing ComputeRingSpacing(long double maximum)
{
    RingSpacing rings;
    if (!(maximum > 0) || !std::isfinite(maximum))
        return rings;

    // Repeated division, not a power of ten computed at once, so that step carries the same rounding as the
    // decimal steps the labels are built from. At most some 4950 rounds, down to the smallest long double.
    long double step = 1;
    while (maximum < 20 * step)
        step = step / 10;
    const long double base = 10 * step;
    if (!(base > 0) || !std::isfinite(maximum / base))
        return rings; // a maximum so close to zero that step underflowed

    // nearest(M / (base x k)) never grows with k, so the first k that gives at most 8 rings is found from an
    // estimate by walking down while the previous k still qualifies and up while k does not.
    long double k = 1;
    if (!FewEnoughRings(maximum, base, k)) {
        k = std::ceil(maximum / (base * 8.5L));
        if (k < 2)
            k = 2;
        while (k > 2 && FewEnoughRings(maximum, base, PreviousWhole(k)))
            k = PreviousWhole(k);
        while (!FewEnoughRings(maximum, base, k))
            k = NextWhole(k);
    }
    rings.valid = true;
    rings.step = step;
    rings.k = k;
    rings.unit = base * k;
    rings.n = static_cast<int>(std::nearbyint(maximum / rings.unit));
    return rings;
}
