#include "DetailsText.h"

#include "IesHeader.h"
#include "NumberFormat.h"

#include <algorithm>
#include <optional>

namespace {

std::string_view TrimmedLeft(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

std::string_view Trimmed(std::string_view text)
{
    text = TrimmedLeft(text);
    const std::size_t last = text.find_last_not_of(" \t");
    return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

// Tables are dense columns of numbers: their cells are not grouped by thousands.
tNumberStyle Ungrouped(const tNumberStyle& style) { return tNumberStyle(style.Decimal); }

class FigureWriter {
public:
    FigureWriter(std::vector<tSummaryEntry>& entries, const tNumberStyle& style)
        : entries_(entries)
        , style_(style)
    {
    }

    // Four significant digits and the unit.
    std::string Shown(const std::optional<double>& value, const char* unit = "") const
    {
        return value ? Reading(*value, style_) + unit : "not defined";
    }
    // One decimal and the unit.
    std::string Tenth(const std::optional<double>& value, const char* unit) const
    {
        return value ? Tenths(*value, style_) + unit : "not defined";
    }

    void Add(std::string name, std::string value) { entries_.emplace_back(std::move(name), std::move(value)); }
    void Add(std::string name, const std::optional<double>& value, const char* unit = "")
    {
        Add(std::move(name), Shown(value, unit));
    }
    void AddTenths(std::string name, const std::optional<double>& value, const char* unit)
    {
        Add(std::move(name), Tenth(value, unit));
    }
    void Spread(const char* name, const tSectionAngles& angles)
    {
        AddTenths(std::string(name) + " " + angles.FirstLabel, angles.First, " degrees");
        AddTenths(std::string(name) + " " + angles.SecondLabel, angles.Second, " degrees");
    }

private:
    std::vector<tSummaryEntry>& entries_;
    const tNumberStyle& style_;
};

std::string TypeName(const std::optional<double>& type)
{
    if (type == 1.0)
        return "C";
    if (type == 2.0)
        return "B";
    if (type == 3.0)
        return "A";
    return "not defined";
}

} // namespace

std::vector<tSummaryEntry> HeaderEntries(const TStringList& headerLines)
{
    std::vector<tSummaryEntry> entries;
    const std::size_t tiltLine = FindTiltLine(headerLines);
    for (std::size_t i = 0; i < headerLines.size(); ++i) {
        const std::string_view line = headerLines[i];
        const std::string_view text = TrimmedLeft(line);
        const std::size_t close = text.find(']');
        if (text.starts_with('[') && close != std::string_view::npos)
            entries.emplace_back(text.substr(1, close - 1), Trimmed(text.substr(close + 1)));
        else if (i == tiltLine)
            entries.emplace_back("TILT", Trimmed(line.substr(line.find('=') + 1)));
        else if (i == 0 && text.starts_with("IESNA"))
            entries.emplace_back("Format", Trimmed(text));
        else
            entries.emplace_back("Header", Trimmed(text));
    }
    return entries;
}

std::vector<tSummaryEntry> FigureEntries(const PhotometricFigures& figures, const tNumberStyle& style)
{
    std::vector<tSummaryEntry> entries;
    FigureWriter out(entries, style);
    out.Add("Photometric type", TypeName(figures.PhotometricType));
    out.Add("Luminous flux", figures.Flux, " lm");
    out.Add("Lamp flux", figures.LampFlux, " lm");
    out.Add("Number of lamps", figures.NumberOfLamps);
    out.AddTenths("Light output ratio", figures.LightOutputRatio, " %");
    out.Add("Input watts", figures.InputWatts, " W");
    out.Add("Efficacy", figures.Efficacy, " lm/W");
    out.Add("Ballast factor", out.Shown(figures.BallastFactor) + " (not applied)");
    out.Add("Maximum intensity", figures.MaxIntensity, " cd");
    if (figures.MaxHorizontal && figures.MaxVertical)
        out.Add("Maximum at",
            "horizontal " + out.Tenth(figures.MaxHorizontal, " degrees") + ", vertical "
                + out.Tenth(figures.MaxVertical, " degrees"));
    else
        out.Add("Maximum at", "not defined");
    out.Spread("Beam angle", figures.Beam);
    out.Spread("Field angle", figures.Field);
    out.AddTenths("Downward flux", figures.DownwardPercent, " %");
    out.AddTenths("Upward flux", figures.UpwardPercent, " %");
    if (!figures.Note.empty())
        out.Add("Not computed", figures.Note);
    return entries;
}

std::string SummaryText(const std::vector<tSummaryEntry>& entries)
{
    std::string text;
    for (const auto& [name, value] : entries)
        text += name + ": " + value + "\n";
    return text;
}

tTextRows ZonalRows(const PhotometricFigures& figures, const tNumberStyle& style)
{
    tTextRows rows { { "Zone (degrees)", "Flux (lm)", "Share (%)" } };
    if (!figures.ZonalFlux)
        return rows;
    const bool shares = figures.Flux && *figures.Flux != 0;
    for (int z = 0; z < kZoneCount; ++z) {
        const long double flux = (*figures.ZonalFlux)[z];
        rows.push_back({ std::to_string(10 * z) + "-" + std::to_string(10 * (z + 1)), Reading(flux, Ungrouped(style)),
            shares ? Tenths(flux / *figures.Flux * 100, style) : "" });
    }
    return rows;
}

tIntensityUnit CandelaUnit(const tPhotometricHeader& header)
{
    return { "cd", header.CandelaMultiplier != 0 ? header.CandelaMultiplier : 1 };
}

std::optional<tIntensityUnit> PerKilolumenUnit(const tPhotometricHeader& header, const PhotometricFigures& figures)
{
    if (!figures.LampFlux || !(*figures.LampFlux > 0))
        return std::nullopt;
    return tIntensityUnit { "cd/klm", CandelaUnit(header).Factor * 1000 / static_cast<long double>(*figures.LampFlux) };
}

std::string IntensityCorner(const tIntensityUnit& unit) { return "H \\ V (" + unit.Name + ")"; }

std::string IntensityText(long double value, const tNumberStyle& style, const tIntensityUnit& unit)
{
    return Reading(value * unit.Factor, Ungrouped(style));
}

tTextRows IntensityRows(const tIES& ies, const tNumberStyle& style, const tIntensityUnit& unit)
{
    tTextRows rows(1 + ies.Candela.size());
    rows[0].push_back(IntensityCorner(unit));
    for (const long double angle : ies.VertAngles)
        rows[0].push_back(FormatGeneral(angle, style.Decimal));
    for (std::size_t h = 0; h < ies.Candela.size(); ++h) {
        tTextRow& row = rows[h + 1];
        row.push_back(h < ies.HorizAngles.size() ? FormatGeneral(ies.HorizAngles[h], style.Decimal) : "");
        for (const long double value : ies.Candela[h])
            row.push_back(IntensityText(value, style, unit));
    }
    return rows;
}

tTextRows SelectedIntensityRows(
    const tIES& ies, const std::vector<tCell>& cells, const tNumberStyle& style, const tIntensityUnit& unit)
{
    std::vector<tCell> inside;
    for (const tCell& cell : cells)
        if (cell.Row < ies.Candela.size() && cell.Column < ies.Candela[cell.Row].size())
            inside.push_back(cell);
    if (inside.empty())
        return {};
    tCell low = inside.front();
    tCell high = inside.front();
    for (const tCell& cell : inside) {
        low = { std::min(low.Row, cell.Row), std::min(low.Column, cell.Column) };
        high = { std::max(high.Row, cell.Row), std::max(high.Column, cell.Column) };
    }
    tTextRows rows(high.Row - low.Row + 1, tTextRow(high.Column - low.Column + 1));
    for (const tCell& cell : inside)
        rows[cell.Row - low.Row][cell.Column - low.Column]
            = IntensityText(ies.Candela[cell.Row][cell.Column], style, unit);
    return rows;
}

std::string TabSeparated(const tTextRows& rows)
{
    std::string text;
    for (const tTextRow& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c)
                text += '\t';
            text += row[c];
        }
        text += '\n';
    }
    return text;
}
