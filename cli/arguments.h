#pragma once
// The argument checks every subcommand shares.

#include <optional>
#include <string>

// A whole decimal integer with an optional sign that fits an int; anything else (blanks, a fraction, trailing
// characters) is refused.
std::optional<int> ParseInt(const char* text);

// "WxH" (or "WXH") with both sides whole numbers from 1 to maxSide.
bool ParseSize(const std::string& text, int maxSide, int& width, int& height);

// Whether text ends in suffix, letter case aside; suffix is given in lower case.
bool EndsWith(const std::string& text, const char* suffix);
