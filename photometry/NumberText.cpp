#include "NumberText.h"
#include "ByteMasks.h"
#include "SeparatorBytes.h"

#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <string>

namespace {

// Powers of ten that an 80-bit real holds exactly: 10^k = 5^k * 2^k and 5^27 < 2^64.
constexpr int kExactPowers = 27;
constexpr long double kPow10[kExactPowers + 1]
    = { 1e0L, 1e1L, 1e2L, 1e3L, 1e4L, 1e5L, 1e6L, 1e7L, 1e8L, 1e9L, 1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L,
          1e17L, 1e18L, 1e19L, 1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L };

// A uint64 holds any 19 decimal digits; the 64-bit mantissa of the extended real holds any uint64 exactly.
constexpr int kFastDigits = 19;

// The C locale, so that conversions never follow the process locale (which may use a decimal comma).
locale_t CLocale()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

// Correctly rounded conversion of text the caller has checked against the number form.
// Returns false when the value lies beyond the extended range.
bool SlowConvert(const char* begin, const char* end, long double& value)
{
    const std::string copy(begin, end);
    char* stop = nullptr;
    errno = 0;
    const long double v = strtold_l(copy.c_str(), &stop, CLocale());
    if (stop != copy.c_str() + copy.size() || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

// The failure value: the mantissa digits seen so far as one whole number.
long double DigitsAsWholeNumber(const char* begin, const char* end, std::uint64_t mantissa, std::ptrdiff_t digits)
{
    if (digits <= kFastDigits)
        return static_cast<long double>(mantissa);
    std::string whole;
    for (const char* p = begin; p != end; ++p)
        if (*p >= '0' && *p <= '9')
            whole.push_back(*p);
    long double value = 0;
    if (!SlowConvert(whole.data(), whole.data() + whole.size(), value))
        return 0; // the digits alone overflow: no infinity enters the record
    return value;
}

} // namespace

bool ConvertToken(std::string_view token, long double& value)
{
    const char* p = token.data();
    const char* const end = p + token.size();
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }

    // Mantissa: all its digits accumulate into one whole number, exact while there are at most 19 of them;
    // exponent10 counts the digits after the point. Two tight loops, as this runs for every number of a file.
    const char* const mantissaBegin = p;
    std::uint64_t mantissa = 0;
    const auto isDigit = [](char c) { return static_cast<unsigned char>(c - '0') <= 9; };
    for (; p != end && isDigit(*p); ++p)
        mantissa = mantissa * 10 + static_cast<unsigned char>(*p - '0');
    std::ptrdiff_t digits = p - mantissaBegin;
    long exponent10 = 0;
    if (p != end && *p == '.') {
        const char* const fractionBegin = ++p;
        for (; p != end && isDigit(*p); ++p)
            mantissa = mantissa * 10 + static_cast<unsigned char>(*p - '0');
        exponent10 = -(p - fractionBegin);
        digits += p - fractionBegin;
    }
    const char* const mantissaEnd = p;

    bool ok = digits > 0;
    if (ok && p != end && (*p == 'e' || *p == 'E')) {
        ++p;
        bool negativeExponent = false;
        if (p != end && (*p == '+' || *p == '-')) {
            negativeExponent = *p == '-';
            ++p;
        }
        long exponent = 0;
        const char* const exponentBegin = p;
        for (; p != end && *p >= '0' && *p <= '9'; ++p)
            if (exponent < 1000000) // far beyond any extended real; saturate instead of overflowing
                exponent = exponent * 10 + (*p - '0');
        ok = p != exponentBegin;
        exponent10 += negativeExponent ? -exponent : exponent;
    }
    if (!ok || p != end) {
        value = DigitsAsWholeNumber(mantissaBegin, mantissaEnd, mantissa, digits);
        return false;
    }

    if (digits <= kFastDigits && exponent10 >= -kExactPowers && exponent10 <= kExactPowers) {
        // Both operands are exact, so one multiplication or division rounds once: correctly rounded.
        long double v = static_cast<long double>(mantissa);
        v = exponent10 < 0 ? v / kPow10[-exponent10] : v * kPow10[exponent10];
        value = negative ? -v : v;
        return true;
    }
    if (!SlowConvert(token.data(), end, value)) {
        value = 0; // beyond the extended range: a failed conversion that yields 0
        return false;
    }
    return true;
}

namespace {

// What separates the numbers: a space, and the line breaks and commas a numeric text has turned into spaces.
bool IsSeparator(char c)
{
    constexpr std::uint64_t separatorSet = (1ULL << ' ') | (1ULL << '\r') | (1ULL << '\n') | (1ULL << ',');
    const auto code = static_cast<unsigned char>(c);
    return code < 64 && ((separatorSet >> code) & 1) != 0;
}

// The first separator at or after from, or the text's end: most tokens end within the first word.
std::size_t SeparatorFrom(std::string_view text, std::size_t from)
{
    if constexpr (separators::kWordAtATime) {
        for (; from + 8 <= text.size(); from += 8) {
            std::uint64_t word;
            std::memcpy(&word, text.data() + from, 8);
            if (const std::uint64_t hits = separators::SeparatorBytes(word))
                return from + static_cast<std::size_t>(std::countr_zero(hits)) / 8;
        }
    }
    while (from < text.size() && !IsSeparator(text[from]))
        ++from;
    return from;
}

} // namespace

long double NumericCursor::NextNumber(bool& readError)
{
    const std::size_t size = m_text.size();
    while (m_pos < size && IsSeparator(m_text[m_pos]))
        ++m_pos;
    m_tokenStart = m_pos;
    if (m_pos == size) {
        readError = true;
        return 0;
    }
    const std::size_t tokenEnd = SeparatorFrom(m_text, m_pos + 1);
    long double value = 0;
    if (!ConvertToken(m_text.substr(m_pos, tokenEnd - m_pos), value))
        readError = true;
    m_pos = tokenEnd;
    return value;
}

void NumericCursor::SkipTokens(std::size_t count)
{
    const std::size_t size = m_text.size();
    bool afterSeparator = true; // whether the byte before m_pos ends no token still being passed over
    // A token starts at a byte that is no separator where the byte before is one: counted 64 bytes at a time, the
    // last few bytes one by one.
    for (; count > 0 && m_pos + bytemasks::kBlock <= size; m_pos += bytemasks::kBlock) {
        const std::uint64_t separatorBits = bytemasks::SeparatorMask(m_text.data() + m_pos);
        std::uint64_t starts = ~separatorBits & ((separatorBits << 1) | (afterSeparator ? 1 : 0));
        const std::size_t found = bytemasks::CountBits(starts);
        if (found >= count) {
            for (; count > 1; --count)
                starts &= starts - 1;
            m_pos = SeparatorFrom(m_text, m_pos + static_cast<std::size_t>(std::countr_zero(starts)));
            return;
        }
        count -= found;
        afterSeparator = (separatorBits >> 63) != 0;
    }
    if (!afterSeparator) // the token the blocks ended in is counted already
        m_pos = SeparatorFrom(m_text, m_pos);
    for (; count > 0; --count) {
        while (m_pos < size && IsSeparator(m_text[m_pos]))
            ++m_pos;
        if (m_pos == size)
            return;
        m_pos = SeparatorFrom(m_text, m_pos);
    }
}

bool NumericCursor::AtEnd()
{
    while (m_pos < m_text.size() && IsSeparator(m_text[m_pos]))
        ++m_pos;
    return m_pos == m_text.size();
}
