#include "DetailsText.h"

#include "IesHeader.h"
#include "NumberFormat.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
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

// For people: six significant digits are plenty for figures computed from a table of measurements.
std::string Rounded(double value, std::string_view decimalSeparator)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.5e", value);
    return FormatGeneral(std::strtold(text, nullptr), decimalSeparator);
}

class FigureWriter {
public:
    FigureWriter(std::vector<tSummaryEntry>& entries, std::string_view decimalSeparator)
        : entries_(entries)
        , separator_(decimalSeparator)
    {
    }

    std::string Shown(const std::optional<double>& value, const char* unit = "") const
    {
        return value ? Rounded(*value, separator_) + unit : "not defined";
    }

    void Add(std::string name, std::string value) { entries_.emplace_back(std::move(name), std::move(value)); }
    void Add(std::string name, const std::optional<double>& value, const char* unit = "")
    {
        Add(std::move(name), Shown(value, unit));
    }
    void Spread(const char* name, const tSectionAngles& angles)
    {
        Add(std::string(name) + " " + angles.FirstLabel, angles.First, " degrees");
        Add(std::string(name) + " " + angles.SecondLabel, angles.Second, " degrees");
    }

private:
    std::vector<tSummaryEntry>& entries_;
    std::string_view separator_;
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

std::vector<tSummaryEntry> FigureEntries(const PhotometricFigures& figures, std::string_view decimalSeparator)
{
    std::vector<tSummaryEntry> entries;
    FigureWriter out(entries, decimalSeparator);
    out.Add("Photometric type", TypeName(figures.PhotometricType));
    out.Add("Luminous flux", figures.Flux, " lm");
    out.Add("Lamp flux", figures.LampFlux, " lm");
    out.Add("Number of lamps", figures.NumberOfLamps);
    out.Add("Light output ratio", figures.LightOutputRatio, " %");
    out.Add("Input watts", figures.InputWatts, " W");
    out.Add("Efficacy", figures.Efficacy, " lm/W");
    out.Add("Ballast factor", out.Shown(figures.BallastFactor) + " (not applied)");
    out.Add("Maximum intensity", figures.MaxIntensity, " cd");
    if (figures.MaxHorizontal && figures.MaxVertical)
        out.Add("Maximum at",
            "horizontal " + out.Shown(figures.MaxHorizontal) + ", vertical "
                + out.Shown(figures.MaxVertical, " degrees"));
    else
        out.Add("Maximum at", "not defined");
    out.Spread("Beam angle", figures.Beam);
    out.Spread("Field angle", figures.Field);
    out.Add("Downward flux", figures.DownwardPercent, " %");
    out.Add("Upward flux", figures.UpwardPercent, " %");
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

tTextRows ZonalRows(const PhotometricFigures& figures, std::string_view decimalSeparator)
{
    tTextRows rows { { "Zone", "Flux (lm)", "Share (%)" } };
    if (!figures.ZonalFlux)
        return rows;
    const bool shares = figures.Flux && *figures.Flux != 0;
    for (int z = 0; z < kZoneCount; ++z) {
        const long double flux = (*figures.ZonalFlux)[z];
        rows.push_back(
            { std::to_string(10 * z) + "-" + std::to_string(10 * (z + 1)), FormatGeneral(flux, decimalSeparator),
                shares ? FormatGeneral(flux / *figures.Flux * 100, decimalSeparator) : "" });
    }
    return rows;
}

tTextRows IntensityRows(const tIES& ies, std::string_view decimalSeparator)
{
    tTextRows rows(1 + ies.Candela.size());
    rows[0].push_back(kIntensityCorner);
    for (const long double angle : ies.VertAngles)
        rows[0].push_back(FormatGeneral(angle, decimalSeparator));
    for (std::size_t h = 0; h < ies.Candela.size(); ++h) {
        tTextRow& row = rows[h + 1];
        row.push_back(h < ies.HorizAngles.size() ? FormatGeneral(ies.HorizAngles[h], decimalSeparator) : "");
        for (const long double value : ies.Candela[h])
            row.push_back(FormatGeneral(value, decimalSeparator));
    }
    return rows;
}

tTextRows SelectedIntensityRows(const tIES& ies, const std::vector<tCell>& cells, std::string_view decimalSeparator)
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
            = FormatGeneral(ies.Candela[cell.Row][cell.Column], decimalSeparator);
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
