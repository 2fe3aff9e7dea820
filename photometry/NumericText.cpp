#include "NumericText.h"
#include "SeparatorBytes.h"

#include <cstdint>
#include <cstring>

namespace {

// Turns every CR, LF and comma into a space, eight bytes at a time: this pass touches every byte of the file.
void SpacesForBreaksAndCommas(char* text, std::size_t size)
{
    using separators::kOnes;
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text + i, 8);
        const std::uint64_t hits = separators::BreakOrCommaBytes(word);
        if (hits == 0)
            continue;
        const std::uint64_t mask = (hits >> 7) * 0xff; // 0xff in every byte to replace
        word = (word & ~mask) | ((kOnes * ' ') & mask);
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
    lines.ForEachLine(first, [&size](std::string_view line) { size += line.size() + 2; });
    std::string text;
    text.reserve(size);
    lines.ForEachLine(first, [&text](std::string_view line) {
        text += line;
        text += "  ";
    });
    SpacesForBreaksAndCommas(text.data(), text.size());
    return text;
}

std::size_t NumericLineOf(const tTextLines& lines, std::size_t first, std::size_t offset)
{
    std::size_t start = 0, line = 0;
    bool found = false;
    lines.ForEachLine(first, [&](std::string_view text) {
        if (found)
            return;
        start += text.size() + 2;
        if (start > offset)
            found = true;
        else
            ++line;
    });
    return found ? line : lines.Count() - first;
}
