#include "PlaneSampling.h"

int OppositePlane(const tIES& ies, int p)
{
    const int last = static_cast<int>(ies.HorizAngles.size()) - 1;
    if (last <= 0)
        return 0;
    const long double angle = ies.HorizAngles[p];
    // Exact comparisons: a full-circle file without the exact partner angle pairs with the last plane.
    int j = 0;
    while (j < last) {
        if (ies.HorizAngles[j] - 180 == angle || ies.HorizAngles[j] + 180 == angle)
            break;
        ++j;
    }
    if (ies.HorizAngles[last] == 90)
        return p;
    if (ies.HorizAngles[last] == 180)
        return last - p;
    return j;
}
