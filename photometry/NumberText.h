#pragma once
// Numbers of the IES numeric block: the conversion of one token and a cursor that takes them in turn.

#include <cstddef>
#include <string_view>

// Converts one token. Accepted, with nothing before or after: an optional sign, decimal digits with at most
// one "." among them (at least one digit in all), and an optional exponent "E"/"e" with an optional sign
// and at least one digit. The decimal separator is always ".", whatever the process locale.
// On success value is the correctly rounded extended real (as strtold gives in the C locale).
// On failure value is the mantissa digits read before the first character that breaks the form, taken as one
// whole number (sign, point and exponent disregarded: "-2.5x" gives 25, "7e" gives 7, "" gives 0).
// A token whose value lies beyond the extended range fails and gives 0, so no infinity or NaN comes out.
bool ConvertToken(std::string_view token, long double& value);

// Reads the numbers of a numeric text (numbers separated by spaces) from front to back in linear time. Line breaks
// (CR, LF) and commas separate numbers as spaces do, so a file's own text reads as its numeric text would.
// The text is not copied; it must outlive the cursor.
class NumericCursor {
public:
    explicit NumericCursor(std::string_view text)
        : m_text(text)
    {
    }

    // The next number. Leading spaces are skipped; the token runs to the next space (or the end of the text).
    // A token that fails to convert sets readError (which is never cleared here) and yields its failure value;
    // once the text is used up every further number is the empty token: 0 with readError set.
    long double NextNumber(bool& readError);

    // Offset in the text of the token taken by the last NextNumber; the text's length when it was empty.
    std::size_t TokenStart() const { return m_tokenStart; }

    // True when no further token remains.
    bool AtEnd();

    // Passes over count tokens without converting them, as count calls of NextNumber would (fewer when the text
    // ends first).
    void SkipTokens(std::size_t count);

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
    std::size_t m_tokenStart = 0;
};
