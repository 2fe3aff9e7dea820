#pragma once
// The argument checks every subcommand shares.

#include <optional>
#include <string>

// A whole decimal integer with an optional sign that fits an int; anything else (blanks, a fraction, trailing
// characters) is refused.
std::optional<int> ParseInt(const char* text);

// "WxH" (or "WXH") with both sides whole numbers from 1 to maxSide.
bool ParseSize(const std::string& text, int maxSide, int& width, int& height);

// ParseSize with the reason for a usage error: "" when text is usable ("--size needs WxH ...", "size must be at
// least 1x1", "size must be at most 10000x10000").
std::string SizeProblem(const std::string& text, int maxSide, int& width, int& height);

// A whole number for option from low to high into target; "" when usable, else what is wrong
// ("--zoom must be from 1 to 10000, not 0").
std::string NumberProblem(const std::string& option, const char* text, int low, int high, int& target);

// Whether text ends in suffix, letter case aside; suffix is given in lower case.
bool EndsWith(const std::string& text, const char* suffix);
