#include "ShortestText.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace {

// Powers of ten an extended real holds exactly, as the reader divides by them.
constexpr long double kPow10[] = { 1e0L, 1e1L, 1e2L, 1e3L, 1e4L, 1e5L, 1e6L };
constexpr int kMostDecimals = 6;
constexpr long double kLargestMantissa = 1e15L;

// Writes the whole number m (below 1e15 in magnitude) with decimals digits after the point.
void AppendScaled(std::string& out, long double m, int decimals)
{
    if (m < 0) {
        out.push_back('-');
        m = -m;
    }
    char digits[24];
    auto whole = static_cast<std::uint64_t>(m);
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + whole % 10);
        whole /= 10;
    } while (whole != 0 || n <= decimals);
    for (int i = n - 1; i >= 0; --i) {
        out.push_back(digits[i]);
        if (i == decimals && decimals > 0)
            out.push_back('.');
    }
}

// Most measured values carry a few decimals: try m / 10^k for k = 0, 1, ... the way the reader converts such a
// text (an exact whole number divided by an exact power of ten, rounded once), and take the first that gives value
// back. The fewest decimals give the shortest text.
bool AppendFewDecimals(std::string& out, long double value)
{
    if (!(std::fabs(value) < kLargestMantissa))
        return false;
    for (int k = 0; k <= kMostDecimals; ++k) {
        const long double m = std::nearbyint(value * kPow10[k]);
        if (std::fabs(m) >= kLargestMantissa)
            return false;
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
