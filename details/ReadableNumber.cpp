#include "ReadableNumber.h"

#include "NumberFormat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// "-1234.5" in C notation into the style: the integer digits grouped, the point replaced.
std::string Styled(const std::string& plain, const tNumberStyle& style)
{
    const std::size_t digits = plain[0] == '-' ? 1 : 0;
    const std::size_t point = plain.find('.');
    const std::size_t end = point == std::string::npos ? plain.size() : point;
    std::string text = plain.substr(0, digits);
    const std::size_t count = end - digits;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0 && (count - i) % 3 == 0 && count > 3)
            text += style.Group;
        text += plain[digits + i];
    }
    if (point != std::string::npos)
        text += style.Decimal + plain.substr(point + 1);
    return text;
}

std::string Printed(long double value, int decimals)
{
    char text[128];
    std::snprintf(text, sizeof text, "%.*Lf", decimals, value);
    std::string plain(text);
    if (plain[0] == '-' && plain.find_first_not_of("-0.") == std::string::npos)
        plain.erase(0, 1);
    return plain;
}

std::string WithoutTrailingZeros(std::string plain)
{
    if (plain.find('.') == std::string::npos)
        return plain;
    while (plain.back() == '0')
        plain.pop_back();
    if (plain.back() == '.')
        plain.pop_back();
    return plain;
}

} // namespace

std::string Significant(long double value, int digits, const tNumberStyle& style)
{
    if (!std::isfinite(value))
        return FormatGeneral(value, style.Decimal);
    if (value == 0)
        return "0";
    const long double magnitude = std::fabs(value);
    if (magnitude < 1e-4L || magnitude >= 1e15L) {
        char text[64];
        std::snprintf(text, sizeof text, "%.*Le", digits - 1, value);
        return FormatGeneral(std::strtold(text, nullptr), style.Decimal);
    }
    int exponent = static_cast<int>(std::floor(std::log10(magnitude)));
    std::string plain;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int decimals = digits - 1 - exponent;
        if (decimals >= 0) {
            plain = Printed(value, decimals);
        } else {
            const long double unit = std::pow(10.0L, -decimals);
            plain = Printed(std::nearbyint(value / unit) * unit, 0);
        }
        // 9.99996 to four digits is 10.000: one decimal fewer.
        if (std::fabs(std::strtold(plain.c_str(), nullptr)) < std::pow(10.0L, exponent + 1))
            break;
        ++exponent;
    }
    return Styled(WithoutTrailingZeros(plain), style);
}

std::string Fixed(long double value, int decimals, const tNumberStyle& style)
{
    if (!std::isfinite(value))
        return FormatGeneral(value, style.Decimal);
    return Styled(Printed(value, decimals), style);
}
