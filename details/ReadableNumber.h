#pragma once
// Numbers for people: rounded for reading, fixed notation, the integer part grouped by thousands, in the user's
// separators. Machine output keeps full precision elsewhere; these are for the screen and its copies.

#include <string>
#include <string_view>
#include <utility>

struct tNumberStyle {
    tNumberStyle() = default;
    // A decimal separator alone (or given as text) is a style without grouping.
    tNumberStyle(const char* decimal)
        : Decimal(decimal)
    {
    }
    tNumberStyle(std::string decimal, std::string group = {})
        : Decimal(std::move(decimal))
        , Group(std::move(group))
    {
    }

    std::string Decimal = "."; // the user's decimal separator
    std::string Group; // the user's thousands separator; empty: not grouped
};

// Rounded to `digits` significant digits (halves to even), never to fewer than 0 decimals shown, trailing zeros
// of the fraction dropped: 10578 -> "10,580", 337.18 -> "337.2", 0.5 -> "0.5". Magnitudes below 0.0001 or from
// 10^15 on take the exponent form ("1.235E-5"); NaN and infinities are written NAN, INF and -INF.
std::string Significant(long double value, int digits, const tNumberStyle& style);

// Rounded to `decimals` decimals, all shown: 83.81 -> "83.8", 100 -> "100.0". A result that rounds to zero has
// no sign.
std::string Fixed(long double value, int decimals, const tNumberStyle& style);

// Flux, intensity, power and the like: four significant digits.
inline std::string Reading(long double value, const tNumberStyle& style) { return Significant(value, 4, style); }
// Percentages and angles: one decimal.
inline std::string Tenths(long double value, const tNumberStyle& style) { return Fixed(value, 1, style); }
