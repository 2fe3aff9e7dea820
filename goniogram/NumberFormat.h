#pragma once
// The general number format of the diagram's labels: at most 15 significant digits, no trailing zeros,
// fixed notation for 0.0001 <= |value| < 10^15 and exponent notation (5E-5, 1E15) outside that range.

#include <string>
#include <string_view>

// decimalSeparator is the user's locale separator ("." or "," usually), passed in so the core stays
// locale-free. NaN and infinities are written NAN, INF and -INF.
std::string FormatGeneral(long double value, std::string_view decimalSeparator);
