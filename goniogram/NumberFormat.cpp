#include "NumberFormat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int Precision = 15;

// The value rounded to Precision significant digits: its digits without trailing zeros and the decimal
// exponent of the first digit (value = d.ddd x 10^exponent).
struct Decimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

Decimal ToDecimal(long double value)
{
    // "%.14Le" rounds to 15 significant digits and moves the exponent when rounding carries (9.99.. -> 1.00..).
    char text[64];
    std::snprintf(text, sizeof text, "%.*Le", Precision - 1, value);
    Decimal d;
    const char* c = text;
    if (*c == '-') {
        d.negative = true;
        ++c;
    }
    for (; *c != 'e' && *c != '\0'; ++c) {
        if (*c >= '0' && *c <= '9')
            d.digits.push_back(*c);
    }
    if (*c == 'e')
        d.exponent = std::atoi(c + 1);
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

} // namespace

std::string FormatGeneral(long double value, std::string_view decimalSeparator)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";

    const Decimal d = ToDecimal(value);
    std::string out = d.negative ? "-" : "";
    if (d.exponent < -4 || d.exponent >= Precision) {
        out += d.digits[0];
        if (d.digits.size() > 1) {
            out += decimalSeparator;
            out.append(d.digits, 1);
        }
        out += 'E';
        out += std::to_string(d.exponent); // "-5", "15": a sign only for negative exponents, no leading zeros
        return out;
    }
    if (d.exponent < 0) {
        out += '0';
        out += decimalSeparator;
        out.append(static_cast<size_t>(-d.exponent - 1), '0');
        out += d.digits;
        return out;
    }
    const size_t integerDigits = static_cast<size_t>(d.exponent) + 1;
    if (d.digits.size() <= integerDigits) {
        out += d.digits;
        out.append(integerDigits - d.digits.size(), '0');
    } else {
        out.append(d.digits, 0, integerDigits);
        out += decimalSeparator;
        out.append(d.digits, integerDigits);
    }
    return out;
}
