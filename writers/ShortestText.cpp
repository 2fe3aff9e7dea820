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

// The whole number m (0 <= m < 2^63) as an integer. On x86 the x87 unit stores it as an integer itself (m is whole,
// so the rounding mode does not matter), sparing a conversion that changes the rounding mode and a stall on
// reading back part of a stored extended real. Elsewhere a plain conversion does it.
std::uint64_t WholeBits(long double m)
{
#if defined(__x86_64__) || defined(__i386__)
    std::int64_t whole = 0;
    asm("fistpll %0" : "=m"(whole) : "t"(m) : "st");
    return static_cast<std::uint64_t>(whole);
#else
    return static_cast<std::uint64_t>(m);
#endif
}

// "00" to "99", for writing two digits at a time.
constexpr char kDigitPairs[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                               "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                               "8081828384858687888990919293949596979899";

// Writes the whole number whole with decimals digits after the point at at, a "-" first when negative, and
// returns the end of the text. The digits are put together back to front, two at a time where no point falls
// between them, and copied on in one fixed-size move: at has room for it.
char* WriteScaled(char* at, std::uint64_t whole, int decimals, bool negative)
{
    static_assert(kShortestTextRoom >= 32);
    char text[64];
    char* const end = text + 32; // the longest text (sign, 18 digits, point, leading "0") is shorter
    char* p = end;
    int n = 0;
    while (n + 2 <= decimals || (n >= decimals && whole >= 100)) {
        const unsigned pair = static_cast<unsigned>(whole % 100) * 2;
        whole /= 100;
        p -= 2;
        p[0] = kDigitPairs[pair];
        p[1] = kDigitPairs[pair + 1];
        n += 2;
        if (n == decimals)
            *--p = '.';
    }
    do {
        *--p = static_cast<char>('0' + whole % 10);
        whole /= 10;
        if (++n == decimals)
            *--p = '.';
    } while (whole != 0 || n <= decimals);
    if (negative)
        *--p = '-';
    std::memcpy(at, p, 32);
    return at + (end - p);
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
char* WriteFewDecimals(char* at, long double value)
{
    if (!(std::fabs(value) < kLargestMantissa))
        return nullptr;
    for (int k = 0; k <= kMostDecimals; ++k) {
        const long double scaled = value * kPow10[k];
        const long double m = RoundedWhole(scaled);
        if (std::fabs(m) >= kLargestMantissa)
            return nullptr;
        if (std::fabs(scaled - m) > std::fabs(scaled) * 0x1p-60L)
            continue;
        if (m / kPow10[k] == value)
            return WriteScaled(at, WholeBits(std::fabs(m)), k, std::signbit(value));
    }
    return nullptr;
}

#if defined(__SIZEOF_INT128__)
// 10^k as whole numbers, k = 0 to 17.
constexpr std::uint64_t kWholePow10[] = { 1ULL, 10ULL, 100ULL, 1000ULL, 10000ULL, 100000ULL, 1000000ULL, 10000000ULL,
    100000000ULL, 1000000000ULL, 10000000000ULL, 100000000000ULL, 1000000000000ULL, 10000000000000ULL,
    100000000000000ULL, 1000000000000000ULL, 10000000000000000ULL, 100000000000000000ULL };

// The same answer as WriteFewDecimals in whole numbers only, for x87 extended reals (value = S * 2^-s, S of 64
// bits): the candidate m = S * 10^d / 2^s rounded, with d the most decimals for which a value read from m' / 10^k'
// (k' <= d) gives m' * 10^(d - k') exactly, loses its trailing zeros; the reader's rounding of m / 10^k is then
// checked exactly. Gives up (nullptr) where WriteFewDecimals decides otherwise: zero, huge or tiny values, and
// values that are no such quotient.
char* WriteFewDecimalsExactly(char* at, const long double& value)
{
    using Wide = unsigned __int128;
    std::uint64_t significand = 0;
    std::uint16_t top = 0;
    std::memcpy(&significand, &value, sizeof significand);
    std::memcpy(&top, reinterpret_cast<const char*>(&value) + 8, sizeof top);
    const int shift = 16446 - (top & 0x7fff); // value = significand * 2^-shift
    if (significand >> 63 == 0 || shift < 1 || shift > 120)
        return nullptr;
    // 10^d <= 2^(shift - 1): a read value is within half a unit of m' * 10^(d - k').
    const int d = shift - 1 >= 57 ? kMostDecimals : ((shift - 1) * 78913) >> 18;
    const Wide product = Wide { significand } * kWholePow10[d];
    const Wide half = Wide { 1 } << (shift - 1);
    const Wide rest = product & ((half << 1) - 1);
    std::uint64_t whole = static_cast<std::uint64_t>(product >> shift);
    if (rest > half || (rest == half && (whole & 1) != 0))
        ++whole;
    int k = d;
    while (k >= 8 && whole % 100000000 == 0) { // trailing zeros go eight, four, two and one at a time
        whole /= 100000000;
        k -= 8;
    }
    if (k >= 4 && whole % 10000 == 0) {
        whole /= 10000;
        k -= 4;
    }
    if (k >= 2 && whole % 100 == 0) {
        whole /= 100;
        k -= 2;
    }
    if (k >= 1 && whole % 10 == 0) {
        whole /= 10;
        k -= 1;
    }
    if (whole == 0 || whole >= 1000000000000000000ULL)
        return nullptr;
    // The reader gives value back from whole / 10^k when it lies within half a unit of value (a quarter below a
    // power of two, where the unit below halves), ties going to the even significand.
    const Wide scaledWhole = Wide { whole } << shift, scaledValue = Wide { significand } * kWholePow10[k];
    const Wide distance = scaledWhole > scaledValue ? scaledWhole - scaledValue : scaledValue - scaledWhole;
    const Wide limit = scaledWhole < scaledValue && significand == (std::uint64_t { 1 } << 63)
        ? Wide { kWholePow10[k] }
        : Wide { kWholePow10[k] } * 2;
    const bool even = (significand & 1) == 0;
    if (distance * 4 > limit || (distance * 4 == limit && !even))
        return nullptr;
    return WriteScaled(at, whole, k, (top & 0x8000) != 0);
}
#endif

} // namespace

char* WriteShortest(char* at, const long double& value)
{
#if defined(__SIZEOF_INT128__)
    if constexpr (std::numeric_limits<long double>::digits == 64)
        if (char* const end = WriteFewDecimalsExactly(at, value))
            return end;
#endif
    if (char* const end = WriteFewDecimals(at, value))
        return end;
    return std::to_chars(at, at + kShortestTextRoom, value).ptr;
}

void AppendShortest(std::string& out, long double value)
{
    char text[kShortestTextRoom];
    out.append(text, WriteShortest(text, value));
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
