#include "AxisTicks.h"

#include <algorithm>
#include <cmath>

std::vector<double> AxisTicks(double largest, int most)
{
    if (!(largest > 0) || !std::isfinite(largest))
        return { 0 };
    most = std::max(most, 1);
    double power = std::pow(10.0, std::floor(std::log10(largest / most)));
    double step = power;
    // The smallest step of 1, 2 or 5 times a power of ten that covers the largest value in `most` steps.
    for (int guard = 0; guard < 8 && std::ceil(largest / step - 1e-9) > most; ++guard) {
        const double mantissa = step / power;
        if (mantissa < 1.5) {
            step = 2 * power;
        } else if (mantissa < 3.5) {
            step = 5 * power;
        } else {
            power *= 10;
            step = power;
        }
    }
    const int count = static_cast<int>(std::ceil(largest / step - 1e-9));
    std::vector<double> ticks;
    for (int i = 0; i <= count; ++i)
        ticks.push_back(i * step);
    return ticks;
}
