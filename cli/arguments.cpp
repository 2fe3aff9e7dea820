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
