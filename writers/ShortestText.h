#pragma once
// Numbers written into photometric files: the shortest decimal text that the readers take back to the very same
// value, with a "." whatever the process locale: the fewest significant digits, written plainly ("0.15", "-1",
// "0.0000001", "120000") while 17 decimals and 18 digits suffice, else with an exponent ("1e-30").

#include <cstddef>
#include <string>

// Room enough for any text WriteShortest writes.
constexpr std::size_t kShortestTextRoom = 64;

// Writes the text AppendShortest appends at at, which must have kShortestTextRoom bytes of room; returns its end.
// The value is taken where it is stored: its bits are read from there, not from the floating-point unit.
char* WriteShortest(char* at, const long double& value);

// Appends the shortest text that ConvertToken reads back to exactly value (value must be finite).
void AppendShortest(std::string& out, long double value);

// Appends the shortest text that reads back to exactly value as a double.
void AppendShortest(std::string& out, double value);

std::string ShortestText(long double value);
