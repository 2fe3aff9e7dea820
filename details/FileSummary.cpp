#include "FileSummary.h"

#include "LdtReader.h"
#include "PhotometricFile.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::size_t kFirstLampSetLine = 27;
constexpr std::size_t kLampSetsLine = 26;
constexpr std::size_t kLampSetLines = 6;
constexpr int kMostLampSets = 100; // a larger count is a damaged file: what follows would not be lamp sets

std::string_view Trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The 1-based line's text, without the byte-order mark of the first line; empty beyond the end.
std::string_view LineText(const TStringList& lines, std::size_t line)
{
    if (line == 0 || line > lines.size())
        return {};
    std::string_view text = lines[line - 1];
    if (line == 1 && text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    return Trimmed(text);
}

class LdtLines {
public:
    LdtLines(const TStringList& lines, const tNumberStyle& style)
        : lines_(lines)
        , style_(style)
    {
    }

    std::optional<long double> Number(std::size_t line) const
    {
        long double value = 0;
        if (!ConvertLdtField(LineText(lines_, line), value) || !std::isfinite(value))
            return std::nullopt;
        return value;
    }

    // The number rounded for reading with its unit, or the text as written in quotes.
    std::string Shown(std::size_t line, const char* unit, bool tenths = false) const
    {
        if (const auto value = Number(line))
            return (tenths ? Tenths(*value, style_) : Reading(*value, style_)) + unit;
        return "\"" + std::string(LineText(lines_, line)) + "\"";
    }

    const tNumberStyle& Style() const { return style_; }
    std::string Text(std::size_t line) const { return std::string(LineText(lines_, line)); }
    bool Zero(std::size_t line) const { return Number(line) == 0.0L; }

private:
    const TStringList& lines_;
    const tNumberStyle& style_;
};

std::string LampSet(const LdtLines& ldt, std::size_t base)
{
    const std::string count = ldt.Shown(base, "");
    std::string text = count + (ldt.Number(base) == 1.0L ? " lamp" : " lamps");
    if (!ldt.Text(base + 1).empty())
        text += " " + ldt.Text(base + 1);
    text += ", " + ldt.Shown(base + 2, " lm");
    // Colour data are often written as text ("3000K", "1B"): a number gets its unit, text stays as written.
    // A colour temperature reads as a name ("3000 K"): not grouped.
    const auto kelvin = ldt.Number(base + 3);
    const std::string temperature
        = kelvin ? Reading(*kelvin, tNumberStyle(ldt.Style().Decimal)) + " K" : ldt.Text(base + 3);
    text += ", colour temperature " + (temperature.empty() ? std::string("not stated") : temperature);
    const std::string rendering = ldt.Text(base + 4);
    text += ", colour rendering " + (rendering.empty() ? std::string("not stated") : rendering);
    text += ", " + ldt.Shown(base + 5, " W");
    return text;
}

bool IsSynthesisedKey(const tSummaryEntry& entry)
{
    return entry.first == "TILT" || (entry.first.starts_with("_LDT_"));
}

} // namespace

std::string FormatName(const std::string& path, const TStringList& headerLines)
{
    if (IsLdtPath(path))
        return "EULUMDAT";
    const std::string_view first = headerLines.empty() ? std::string_view() : LineText(headerLines, 1);
    const struct {
        const char* identifier;
        const char* name;
    } editions[] = { { "IESNA:LM-63-2002", "IES LM-63-2002" }, { "IESNA:LM-63-1995", "IES LM-63-1995" },
        { "IES:LM-63-2019", "IES LM-63-2019" }, { "IESNA91", "IES LM-63-1991" } };
    for (const auto& edition : editions)
        if (first.starts_with(edition.identifier))
            return edition.name;
    return "IES LM-63-1986";
}

std::string LuminousOpening(const tPhotometricHeader& header, const tNumberStyle& style)
{
    const long double w = header.Width;
    const long double l = header.Length;
    const long double h = header.Height;
    const std::string unit = header.UnitsType == 1 ? " ft" : header.UnitsType == 2 ? " m" : " (unknown units)";
    const auto n = [&style](long double value) { return Reading(std::fabs(value), style); };
    if (w == 0 && l == 0 && h == 0)
        return "point (no dimensions)";
    if (w > 0 && l > 0 && h == 0)
        return "rectangular, width " + n(w) + " x length " + n(l) + unit;
    if (w > 0 && l > 0 && h > 0)
        return "rectangular with luminous sides, width " + n(w) + " x length " + n(l) + " x height " + n(h) + unit;
    if (w < 0 && l < 0 && h == 0)
        return w == l ? "circular, diameter " + n(w) + unit : "elliptical, width " + n(w) + " x length " + n(l) + unit;
    if (w < 0 && l < 0 && h < 0)
        return w == l && l == h ? "spherical, diameter " + n(w) + unit
                                : "ellipsoidal, width " + n(w) + " x length " + n(l) + " x height " + n(h) + unit;
    if (w < 0 && l < 0 && h > 0)
        return w == l
            ? "vertical cylinder, diameter " + n(w) + " x height " + n(h) + unit
            : "vertical elliptical cylinder, width " + n(w) + " x length " + n(l) + " x height " + n(h) + unit;
    if (w < 0 && l > 0 && h < 0)
        return "horizontal cylinder along the length, diameter " + n(w) + " x length " + n(l) + unit;
    if (w > 0 && l < 0 && h < 0)
        return "horizontal cylinder along the width, diameter " + n(l) + " x width " + n(w) + unit;
    return "unusual shape, width " + Reading(w, style) + " x length " + Reading(l, style) + " x height "
        + Reading(h, style) + unit;
}

std::vector<tSummaryEntry> EulumdatEntries(const TStringList& lines, const tNumberStyle& style)
{
    if (lines.empty())
        return {};
    const LdtLines ldt(lines, style);
    std::vector<tSummaryEntry> entries;
    if (ldt.Zero(14))
        entries.emplace_back("Luminaire (diameter x height)", ldt.Shown(13, "") + " x " + ldt.Shown(15, " mm"));
    else
        entries.emplace_back("Luminaire (length x width x height)",
            ldt.Shown(13, "") + " x " + ldt.Shown(14, "") + " x " + ldt.Shown(15, " mm"));
    if (ldt.Zero(17))
        entries.emplace_back("Luminous area (diameter)", ldt.Shown(16, " mm"));
    else
        entries.emplace_back("Luminous area (length x width)", ldt.Shown(16, "") + " x " + ldt.Shown(17, " mm"));
    entries.emplace_back("Luminous area height (C0, C90, C180, C270)",
        ldt.Shown(18, "") + ", " + ldt.Shown(19, "") + ", " + ldt.Shown(20, "") + ", " + ldt.Shown(21, " mm"));
    const auto sets = ldt.Number(kLampSetsLine);
    const int count = sets && *sets >= 1 && *sets <= kMostLampSets ? static_cast<int>(*sets) : 0;
    for (int set = 0; set < count; ++set) {
        const std::size_t base = kFirstLampSetLine + kLampSetLines * static_cast<std::size_t>(set);
        if (base + kLampSetLines - 1 > lines.size())
            break;
        entries.emplace_back("Lamp set " + std::to_string(set + 1), LampSet(ldt, base));
    }
    return entries;
}

std::vector<tSummaryEntry> EulumdatStatedEntries(const TStringList& lines, const tNumberStyle& style)
{
    if (lines.empty())
        return {};
    const LdtLines ldt(lines, style);
    return { { "Light output ratio (stated)", ldt.Shown(23, " %", true) },
        { "Downward flux (stated)", ldt.Shown(22, " %", true) } };
}

std::vector<tSummaryEntry> SummaryEntries(
    const tDetailsFile& file, const PhotometricFigures& figures, const tNumberStyle& style)
{
    const bool ldt = IsLdtPath(file.Path);
    std::vector<tSummaryEntry> entries { { "File", file.Path }, { "Format", FormatName(file.Path, file.HeaderLines) } };
    for (tSummaryEntry& entry : HeaderEntries(file.HeaderLines))
        if (entry.first != "Format" && !(ldt && IsSynthesisedKey(entry)))
            entries.push_back(std::move(entry));
    if (ldt) {
        for (tSummaryEntry& entry : EulumdatEntries(file.FileLines, style))
            entries.push_back(std::move(entry));
    } else {
        entries.emplace_back("Luminous opening", LuminousOpening(file.Header, style));
    }
    const std::vector<tSummaryEntry> stated
        = ldt ? EulumdatStatedEntries(file.FileLines, style) : std::vector<tSummaryEntry> {};
    for (tSummaryEntry& entry : FigureEntries(figures, style)) {
        const std::string name = entry.first;
        entries.push_back(std::move(entry));
        for (const tSummaryEntry& own : stated)
            if (own.first == name + " (stated)")
                entries.push_back(own);
    }
    return entries;
}
