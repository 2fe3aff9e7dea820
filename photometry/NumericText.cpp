#include "NumericText.h"

#include <cstdint>
#include <cstring>

namespace {

// 0x80 in every byte of word that is zero, 0 elsewhere (exact: no borrow runs between bytes).
std::uint64_t ZeroBytes(std::uint64_t word)
{
    constexpr std::uint64_t low7 = 0x7f7f7f7f7f7f7f7fULL;
    return ~(((word & low7) + low7) | word | low7);
}

// Turns every CR, LF and comma into a space, eight bytes at a time: this pass touches every byte of the file.
void SpacesForBreaksAndCommas(char* text, std::size_t size)
{
    constexpr std::uint64_t ones = 0x0101010101010101ULL;
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text + i, 8);
        const std::uint64_t hits
            = ZeroBytes(word ^ (ones * '\r')) | ZeroBytes(word ^ (ones * '\n')) | ZeroBytes(word ^ (ones * ','));
        if (hits == 0)
            continue;
        const std::uint64_t mask = (hits >> 7) * 0xff; // 0xff in every byte to replace
        word = (word & ~mask) | ((ones * ' ') & mask);
        std::memcpy(text + i, &word, 8);
    }
    for (; i < size; ++i)
        if (text[i] == '\r' || text[i] == '\n' || text[i] == ',')
            text[i] = ' ';
}

} // namespace

std::string BuildNumericText(const TStringList& lines, std::vector<std::size_t>& lineStarts)
{
    std::size_t size = 0;
    for (const std::string& line : lines)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    lineStarts.clear();
    lineStarts.reserve(lines.size());
    for (const std::string& line : lines) {
        lineStarts.push_back(text.size());
        text += line;
        text += "  ";
    }
    SpacesForBreaksAndCommas(text.data(), text.size());
    return text;
}

std::string BuildNumericText(const tTextLines& lines, std::size_t first)
{
    std::size_t size = 0;
    for (std::size_t i = first; i < lines.Count(); ++i)
        size += lines.Line(i).size() + 2;
    std::string text;
    text.reserve(size);
    for (std::size_t i = first; i < lines.Count(); ++i) {
        text += lines.Line(i);
        text += "  ";
    }
    SpacesForBreaksAndCommas(text.data(), text.size());
    return text;
}

std::size_t NumericLineOf(const tTextLines& lines, std::size_t first, std::size_t offset)
{
    std::size_t start = 0;
    for (std::size_t i = first; i < lines.Count(); ++i) {
        start += lines.Line(i).size() + 2;
        if (start > offset)
            return i - first;
    }
    return lines.Count() - first;
}
