#include "info_summary.h"
#include "info_figures.h"
#include "messages.h"

#include "IesHeader.h"
#include "IesReader.h"
#include "TextEncoding.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string_view>

namespace {

// Labels of the six header entries, in the order of the header display.
constexpr std::array<const char*, 6> kEntryLabels
    = { "Test", "Manufacturer", "Luminaire", "Luminaire catalog", "Lamp", "Lamp catalog" };
constexpr std::array<const char*, 6> kEntryKeys
    = { "test", "manufacturer", "luminaire", "luminaire_catalog", "lamp", "lamp_catalog" };

std::string Real(long double value, int digits)
{
    char text[80];
    std::snprintf(text, sizeof text, "%.*Lg", digits, value);
    return text;
}

// Human form: at most 15 significant digits, so 0.1 reads 0.1 rather than its extended expansion.
std::string Human(long double value) { return Real(value, 15); }
std::string Exact(long double value) { return Real(value, 21); }

// Machine form: the shortest decimal that reads back to the same extended real; null for what JSON cannot hold.
std::string Shortest(long double value)
{
    if (!std::isfinite(value))
        return "null";
    char text[80];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string JoinedHeader(const TStringList& headerLines)
{
    std::string text;
    for (const std::string& line : headerLines)
        text += line + "\r\n";
    return text;
}

std::string Trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

std::array<std::string, 6> EntryValues(const TStringList& headerLines)
{
    const std::string header = JoinedHeader(headerLines);
    std::array<std::string, 6> values;
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = KeywordValue(kHeaderKeywords[i], header);
    return values;
}

bool MaxCandela(const tIES& ies, long double& maximum)
{
    bool any = false;
    for (const tArrEx& row : ies.Candela)
        for (const long double value : row)
            if (!any || value > maximum) {
                maximum = value;
                any = true;
            }
    return any;
}

std::string Range(const tArrEx& angles)
{
    if (angles.empty())
        return "none";
    if (angles.size() == 1)
        return Human(angles.front()) + " degrees";
    return Human(angles.front()) + " to " + Human(angles.back()) + " degrees";
}

std::string UnitsName(uint16_t units)
{
    switch (units) {
    case 1:
        return "feet";
    case 2:
        return "metres";
    default:
        return "unknown";
    }
}

// Text from the file or the file system as a JSON string: its UTF-8 as it stands, Latin-1 when it is not UTF-8.
void JsonString(std::FILE* out, std::string_view bytes)
{
    std::fputc('"', out);
    for (const char c : DisplayUtf8(bytes)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\')
            std::fprintf(out, "\\%c", c);
        else if (byte < 0x20 || byte == 0x7f)
            std::fprintf(out, "\\u%04x", byte);
        else
            std::fputc(c, out);
    }
    std::fputc('"', out);
}

void JsonAngles(std::FILE* out, const char* name, const tArrEx& angles)
{
    std::fprintf(out, "  \"%s\": [", name);
    for (std::size_t i = 0; i < angles.size(); ++i)
        std::fprintf(out, "%s%s", i ? ", " : "", Shortest(angles[i]).c_str());
    std::fputs("],\n", out);
}

} // namespace

std::string SymmetryName(const tIES& ies)
{
    const tArrEx& h = ies.HorizAngles;
    if (h.size() <= 1)
        return "axially symmetric";
    const long double first = h.front();
    const long double last = h.back();
    if (first == 0 && last == 90)
        return "quadrant symmetric (0 to 90)";
    if (first == 0 && last == 180)
        return "bilateral symmetric (0 to 180)";
    if (first == 90 && last == 270)
        return "bilateral symmetric (90 to 270)";
    if (last - first == 360)
        return "none (full " + Human(first) + " to " + Human(last) + ")";
    return "other (" + Human(first) + " to " + Human(last) + ")";
}

void PrintSummary(std::FILE* out, const InfoResult& info)
{
    const tIES& ies = info.ies;
    std::fprintf(out, "File: %s\n", EscapeControls(info.path).c_str());
    if (info.readError)
        std::fprintf(out, "Warning: %s; values read as shown\n", EscapeControls(info.verdict).c_str());
    std::fprintf(out, "Vertical angles: %u (%s)\n", ies.NumVertAngles, Range(ies.VertAngles).c_str());
    std::fprintf(out, "Horizontal angles: %u (%s)\n", ies.NumHorizAngles, Range(ies.HorizAngles).c_str());
    std::fprintf(out, "Symmetry: %s\n", SymmetryName(ies).c_str());
    long double maximum = 0;
    if (MaxCandela(ies, maximum))
        std::fprintf(out, "Maximum candela: %s\n", Human(maximum).c_str());
    else
        std::fputs("Maximum candela: none (empty table)\n", out);
    std::fprintf(out, "Lumens per lamp: %s\n", Human(ies.LumensPerLamp).c_str());
    std::fprintf(out, "Candela multiplier: %s (not applied)\n", Human(ies.CandelaMultiplier).c_str());
    std::fprintf(out, "Units: %u (%s)\n", ies.UnitsType, UnitsName(ies.UnitsType).c_str());
    const auto values = EntryValues(info.headerLines);
    for (std::size_t i = 0; i < values.size(); ++i)
        std::fprintf(out, "%s: %s\n", kEntryLabels[i], EscapeControls(DisplayUtf8(Trimmed(values[i]))).c_str());
    PrintFiguresSummary(out, ComputeFigures(ies, info.header));
}

void PrintJson(std::FILE* out, const InfoResult& info)
{
    const tIES& ies = info.ies;
    std::fputs("{\n  \"file\": ", out);
    JsonString(out, info.path);
    std::fprintf(out, ",\n  \"valid\": %s,\n", info.readError ? "false" : "true");
    if (info.readError) {
        std::fputs("  \"reason\": ", out);
        JsonString(out, info.verdict);
        std::fputs(",\n", out);
    }
    std::fprintf(out, "  \"read_error\": %s,\n", info.readError ? "true" : "false");
    std::fprintf(out, "  \"num_vert\": %u,\n  \"num_horiz\": %u,\n", ies.NumVertAngles, ies.NumHorizAngles);
    JsonAngles(out, "vertical_angles", ies.VertAngles);
    JsonAngles(out, "horizontal_angles", ies.HorizAngles);
    std::fputs("  \"symmetry\": ", out);
    JsonString(out, SymmetryName(ies));
    long double maximum = 0;
    if (MaxCandela(ies, maximum))
        std::fprintf(out, ",\n  \"max_candela\": %s,\n", Shortest(maximum).c_str());
    else
        std::fputs(",\n  \"max_candela\": null,\n", out);
    std::fprintf(out, "  \"lumens_per_lamp\": %s,\n", Shortest(ies.LumensPerLamp).c_str());
    std::fprintf(out, "  \"candela_multiplier\": %s,\n", Shortest(ies.CandelaMultiplier).c_str());
    std::fprintf(out, "  \"units_type\": %u,\n  \"header\": {", ies.UnitsType);
    const auto values = EntryValues(info.headerLines);
    for (std::size_t i = 0; i < values.size(); ++i) {
        std::fprintf(out, "%s\n    \"%s\": ", i ? "," : "", kEntryKeys[i]);
        JsonString(out, values[i]);
    }
    std::fputs("\n  },\n", out);
    PrintFiguresJson(out, ComputeFigures(ies, info.header));
    std::fputs("\n}\n", out);
}

void PrintJsonError(std::FILE* out, const std::string& path, const std::string& message)
{
    std::fputs("{\n  \"file\": ", out);
    JsonString(out, path);
    std::fputs(",\n  \"valid\": false,\n  \"error\": ", out);
    JsonString(out, message);
    std::fputs("\n}\n", out);
}

void PrintDump(std::FILE* out, const InfoResult& info)
{
    const tIES& ies = info.ies;
    std::fprintf(out, "read_error %d\n", info.readError ? 1 : 0);
    std::fprintf(out, "lumens_per_lamp %s\n", Exact(ies.LumensPerLamp).c_str());
    std::fprintf(out, "candela_multiplier %s\n", Exact(ies.CandelaMultiplier).c_str());
    std::fprintf(
        out, "num_vert %u\nnum_horiz %u\nunits_type %u\n", ies.NumVertAngles, ies.NumHorizAngles, ies.UnitsType);
    for (std::size_t i = 0; i < ies.VertAngles.size(); ++i)
        std::fprintf(out, "vert %zu %s\n", i, Exact(ies.VertAngles[i]).c_str());
    for (std::size_t i = 0; i < ies.HorizAngles.size(); ++i)
        std::fprintf(out, "horiz %zu %s\n", i, Exact(ies.HorizAngles[i]).c_str());
    for (std::size_t h = 0; h < ies.Candela.size(); ++h)
        for (std::size_t v = 0; v < ies.Candela[h].size(); ++v)
            std::fprintf(out, "candela %zu %zu %s\n", h, v, Exact(ies.Candela[h][v]).c_str());
    for (std::size_t i = 0; i < info.headerLines.size(); ++i) {
        std::fprintf(out, "header_line %zu ", i);
        const std::string line = EscapeControls(info.headerLines[i]);
        std::fwrite(line.data(), 1, line.size(), out);
        std::fputc('\n', out);
    }
    // The header display lines, each without its closing carriage return.
    const std::string display = HeaderDisplayText(info.headerLines);
    std::size_t from = 0;
    for (int k = 1; k <= 6; ++k) {
        const std::size_t cr = display.find('\r', from);
        std::fprintf(out, "entry %d ", k);
        const std::string entry = EscapeControls(std::string_view(display).substr(from, cr - from));
        std::fwrite(entry.data(), 1, entry.size(), out);
        std::fputc('\n', out);
        from = cr + 1;
    }
}
