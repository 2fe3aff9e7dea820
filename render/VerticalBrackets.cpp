#include "VerticalBrackets.h"

#include <algorithm>

// The search stops at the first k whose angle is not below g. For a larger g every angle before that k is below
// it too, so its search would pass them all and may go on from k: one index serves the ascending g values from
// the first to the last, whatever the order of the angles.
void BracketsFor(
    const tArrEx& angles, int32_t last, const std::vector<long double>& ascending, std::vector<int32_t>& brackets)
{
    brackets.resize(ascending.size());
    int32_t k = 0;
    for (size_t i = 0; i < ascending.size(); ++i) {
        while (k < last && angles[k] < ascending[i])
            ++k;
        brackets[i] = std::max<int32_t>(k, 1);
    }
}
