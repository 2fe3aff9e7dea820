#pragma once
// The ticks of a chart's value axis: 0 and steps of 1, 2 or 5 times a power of ten up to the first at or above
// the largest value.

#include <vector>

// At most `most` steps (at least 1); only 0 when largest is not above 0 or not finite.
std::vector<double> AxisTicks(double largest, int most);
