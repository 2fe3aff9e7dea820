#include "arguments.h"

#include <cctype>
#include <charconv>
#include <cstring>

std::optional<int> ParseInt(const char* text)
{
    // from_chars takes a minus sign but no plus sign.
    const char* begin = text[0] == '+' && text[1] != '-' ? text + 1 : text;
    const char* end = text + std::strlen(text);
    int value = 0;
    const auto [rest, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || rest != end || rest == begin)
        return std::nullopt;
    return value;
}

bool ParseSize(const std::string& text, int maxSide, int& width, int& height)
{
    const size_t x = text.find_first_of("xX");
    if (x == std::string::npos)
        return false;
    const auto w = ParseInt(text.substr(0, x).c_str()), h = ParseInt(text.substr(x + 1).c_str());
    if (!w || !h || *w < 1 || *h < 1 || *w > maxSide || *h > maxSide)
        return false;
    width = *w;
    height = *h;
    return true;
}

bool EndsWith(const std::string& text, const char* suffix)
{
    const size_t length = std::strlen(suffix);
    if (text.size() < length)
        return false;
    for (size_t i = 0; i < length; ++i)
        if (std::tolower(static_cast<unsigned char>(text[text.size() - length + i])) != suffix[i])
            return false;
    return true;
}

std::string SizeProblem(const std::string& text, int maxSide, int& width, int& height)
{
    const size_t x = text.find_first_of("xX");
    const auto w = x == std::string::npos ? std::nullopt : ParseInt(text.substr(0, x).c_str());
    const auto h = x == std::string::npos ? std::nullopt : ParseInt(text.substr(x + 1).c_str());
    if (!w || !h)
        return "--size needs WxH in whole pixels, not \"" + text + "\"";
    if (*w < 1 || *h < 1)
        return "size must be at least 1x1";
    if (*w > maxSide || *h > maxSide)
        return "size must be at most " + std::to_string(maxSide) + "x" + std::to_string(maxSide);
    width = *w;
    height = *h;
    return {};
}

std::string NumberProblem(const std::string& option, const char* text, int low, int high, int& target)
{
    const std::optional<int> value = ParseInt(text);
    if (!value)
        return option + " needs a whole number, not \"" + text + "\"";
    if (*value < low || *value > high)
        return option + " must be from " + std::to_string(low) + " to " + std::to_string(high) + ", not " + text;
    target = *value;
    return {};
}
