#include "IesHeader.h"
#include "IesReader.h"

#include <array>
#include <utility>

namespace {

bool EqualsIgnoringCase(std::string_view text, std::string_view upper)
{
    if (text.size() != upper.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char u = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
        if (u != upper[i])
            return false;
    }
    return true;
}

} // namespace

bool IsTiltLine(std::string_view line)
{
    const std::size_t equals = line.find('=');
    return equals != std::string_view::npos && EqualsIgnoringCase(line.substr(0, equals), "TILT");
}

std::size_t FindTiltLine(const TStringList& lines)
{
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (IsTiltLine(lines[i]))
            return i;
    return lines.size();
}

bool TiltDataIncluded(std::string_view tiltLine)
{
    std::string_view value = tiltLine.substr(tiltLine.find('=') + 1);
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!value.empty() && blank(value.front()))
        value.remove_prefix(1);
    while (!value.empty() && blank(value.back()))
        value.remove_suffix(1);
    return EqualsIgnoringCase(value, "INCLUDE");
}

std::string KeywordValue(const std::string& keyword, const std::string& headerText)
{
    const std::size_t at = headerText.find(keyword);
    if (keyword.empty() || at == std::string::npos)
        return {};
    std::string value = headerText.substr(at + keyword.size());
    // Cut before the first LF, then before the first CR, then before the first "[" (the next keyword).
    for (const char stop : { '\n', '\r', '[' }) {
        const std::size_t cut = value.find(stop);
        if (cut != std::string::npos)
            value.resize(cut);
    }
    return value;
}

std::string HeaderDisplayText(const TStringList& headerLines)
{
    std::string header;
    for (const std::string& line : headerLines) {
        header += line;
        header += "\r\n";
    }
    // "Lamp:" has no trailing blank: the entry keeps the blank written after its keyword in the file.
    static const std::array<const char*, kHeaderKeywords.size()> prefixes
        = { "Test: ", "Manufacturer: ", "", "Luminaire catalog: ", "Lamp:", "Lamp catalog: " };
    std::string text;
    for (std::size_t i = 0; i < prefixes.size(); ++i) {
        text += prefixes[i];
        text += KeywordValue(kHeaderKeywords[i], header);
        text += '\r';
    }
    return text;
}
