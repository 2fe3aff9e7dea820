#pragma once
// Compares two program outputs where the numbers may be written with different digits by machines whose extended
// reals differ in width (x86's 80-bit format against a 128-bit one): the numbers must agree within one unit in the
// last place of a given binary format, everything else byte for byte.

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <string>

// A binary floating-point format: significand bits and the exponent of its smallest normal number (as ilogb
// reports it).
struct BinaryFormat {
    int digits;
    int minExponent;
};

constexpr BinaryFormat kDoubleFormat { DBL_MANT_DIG, DBL_MIN_EXP - 1 };
constexpr BinaryFormat kX87ExtendedFormat { 64, -16382 };
constexpr BinaryFormat kLongDoubleFormat { LDBL_MANT_DIG, LDBL_MIN_EXP - 1 };

constexpr BinaryFormat Narrower(BinaryFormat a, BinaryFormat b) { return a.digits <= b.digits ? a : b; }

// One unit in the last place of format at magnitude, never less than the format's smallest subnormal step.
inline long double UnitInLastPlace(long double magnitude, BinaryFormat format)
{
    const int exponent = magnitude == 0 ? format.minExponent : std::max(std::ilogb(magnitude), format.minExponent);
    return std::ldexp(1.0L, exponent - (format.digits - 1));
}

// Whether two reals agree within one unit in the last place of format, taken at the larger magnitude.
inline bool WithinOneUnit(long double a, long double b, BinaryFormat format)
{
    if (a == b)
        return true;
    if (!std::isfinite(a) || !std::isfinite(b))
        return false;
    return std::fabs(a - b) <= UnitInLastPlace(std::max(std::fabs(a), std::fabs(b)), format);
}

namespace numeric_text_detail {

// A number starts at a digit, or at a minus sign before one, that does not continue a word or another number
// ("LED-60" and "x2" hold no number).
inline bool NumberStartsAt(const std::string& text, std::size_t at)
{
    const auto digit
        = [&](std::size_t i) { return i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); };
    if (!digit(at) && !(text[at] == '-' && digit(at + 1)))
        return false;
    if (at == 0)
        return true;
    const unsigned char before = static_cast<unsigned char>(text[at - 1]);
    return !std::isalnum(before) && before != '_' && before != '.' && before != '-';
}

inline std::size_t LineOf(const std::string& text, std::size_t at)
{
    return 1 + static_cast<std::size_t>(std::count(text.begin(), text.begin() + static_cast<long>(at), '\n'));
}

inline std::string LineAt(const std::string& text, std::size_t at)
{
    const std::size_t from = text.rfind('\n', at == 0 ? 0 : at - 1);
    const std::size_t begin = from == std::string::npos || at == 0 ? 0 : from + 1;
    return text.substr(begin, text.find('\n', begin) - begin);
}

} // namespace numeric_text_detail

// "" when expected and actual agree: numbers within one unit in the last place of format, all other bytes equal.
// Otherwise the first place where they part, with both lines.
inline std::string NumericTextDifference(const std::string& expected, const std::string& actual, BinaryFormat format)
{
    using namespace numeric_text_detail;
    std::size_t e = 0, a = 0;
    while (e < expected.size() && a < actual.size()) {
        if (NumberStartsAt(expected, e) && NumberStartsAt(actual, a)) {
            char* eEnd = nullptr;
            char* aEnd = nullptr;
            const long double eValue = std::strtold(expected.c_str() + e, &eEnd);
            const long double aValue = std::strtold(actual.c_str() + a, &aEnd);
            if (!WithinOneUnit(eValue, aValue, format))
                break;
            e = static_cast<std::size_t>(eEnd - expected.c_str());
            a = static_cast<std::size_t>(aEnd - actual.c_str());
            continue;
        }
        if (expected[e] != actual[a])
            break;
        ++e;
        ++a;
    }
    if (e == expected.size() && a == actual.size())
        return "";
    return "line " + std::to_string(LineOf(expected, e)) + ": expected \"" + LineAt(expected, e) + "\", got \""
        + LineAt(actual, a) + "\"";
}
