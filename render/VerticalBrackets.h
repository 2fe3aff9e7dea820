#pragma once
// The bracket search of the intensity lookup, done for many directions at once.

#include "tIES.h"

#include <cstdint>
#include <vector>

// For every g of `ascending` (sorted ascending, no NaN), the bracket the linear search of the lookup gives: the
// first index k < last whose angle is not below g (an angle that is NaN counts as not below), else last; then at
// least 1, the bracket covering angles k-1 and k. The angles may come in any order, with repeats.
// One pass over the angles and the g values together: O(last + ascending.size()).
// The result goes into brackets, whose memory is reused.
void BracketsFor(
    const tArrEx& angles, int32_t last, const std::vector<long double>& ascending, std::vector<int32_t>& brackets);
