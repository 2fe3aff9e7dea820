#include "ShortestText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

// Powers of ten an extended real holds exactly, as the reader divides by them.
constexpr long double kPow10[] = { 1e0L, 1e1L, 1e2L, 1e3L, 1e4L, 1e5L, 1e6L, 1e7L, 1e8L, 1e9L, 1e10L, 1e11L, 1e12L,
    1e13L, 1e14L, 1e15L, 1e16L, 1e17L };
constexpr int kMostDecimals = 17;
// Up to 18 digits: the reader converts them exactly, and the rounding below is exact far beyond.
constexpr long double kLargestMantissa = 1e18L;

// The whole number m (0 <= m < 2^63) as an integer, read from the significand of m + 2^63 rather than through a
// conversion that changes the x87 rounding mode.
// Where extended reals are not x87's 80-bit format (arm64's 128-bit ones), a plain conversion does it.
std::uint64_t WholeBits(long double m)
{
    if constexpr (std::numeric_limits<long double>::digits == 64) {
        const long double biased = m + 0x1p63L; // exact: the significand holds 2^63 + m
        std::uint64_t bits = 0;
        std::memcpy(&bits, &biased, sizeof bits);
        return bits - (std::uint64_t { 1 } << 63);
    } else {
        return static_cast<std::uint64_t>(m);
    }
}

// Writes the whole number m (below 1e18 in magnitude) with decimals digits after the point.
void AppendScaled(std::string& out, long double m, int decimals)
{
    char text[32];
    char* p = text + sizeof text;
    std::uint64_t whole = WholeBits(std::fabs(m));
    int n = 0;
    do {
        if (n == decimals && n > 0)
            *--p = '.';
        *--p = static_cast<char>('0' + whole % 10);
        whole /= 10;
        ++n;
    } while (whole != 0 || n <= decimals);
    if (m < 0)
        *--p = '-';
    out.append(p, text + sizeof text);
}

// Rounds to a whole number (halves to even) by adding and taking away 1.5 * 2^63, whose unit in the last place
// is 1: exact for magnitudes below 2^62, and without the cost of a rounding-mode change.
// Elsewhere the library's rounding to nearest (the default mode) does it.
long double RoundedWhole(long double value)
{
    if constexpr (std::numeric_limits<long double>::digits == 64) {
        constexpr long double shift = 0x1.8p63L;
        const long double sum = value + shift; // rounded to the 64-bit mantissa: to a whole number
        return sum - shift;
    } else {
        return std::nearbyint(value);
    }
}

// Most measured values carry a few decimals: try m / 10^k for k = 0, 1, ... the way the reader converts such a
// text (an exact whole number divided by an exact power of ten, rounded once), and take the first that gives value
// back. The fewest decimals give the shortest text. A cheap nearness test spares the division for most k.
bool AppendFewDecimals(std::string& out, long double value)
{
    if (!(std::fabs(value) < kLargestMantissa))
        return false;
    for (int k = 0; k <= kMostDecimals; ++k) {
        const long double scaled = value * kPow10[k];
        const long double m = RoundedWhole(scaled);
        if (std::fabs(m) >= kLargestMantissa)
            return false;
        if (std::fabs(scaled - m) > std::fabs(scaled) * 0x1p-60L)
            continue;
        if (m / kPow10[k] == value) {
            if (m == 0 && std::signbit(value))
                out.push_back('-');
            AppendScaled(out, m, k);
            return true;
        }
    }
    return false;
}

} // namespace

void AppendShortest(std::string& out, long double value)
{
    if (AppendFewDecimals(out, value))
        return;
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    out.append(text, result.ptr);
}

void AppendShortest(std::string& out, double value)
{
    char text[40];
    const auto result = std::to_chars(text, text + sizeof text, value);
    out.append(text, result.ptr);
}

std::string ShortestText(long double value)
{
    std::string text;
    AppendShortest(text, value);
    return text;
}
