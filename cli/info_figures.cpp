#include "info_figures.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

namespace {

// For people: six significant digits are plenty for figures computed from a table of measurements.
std::string Rounded(double value, const char* unit)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.6g%s", value, unit);
    return text;
}

std::string Shown(const std::optional<double>& value, const char* unit = "")
{
    return value ? Rounded(*value, unit) : "not defined";
}

void Line(std::FILE* out, const char* label, const std::string& value)
{
    std::fprintf(out, "  %s: %s\n", label, value.c_str());
}

void SpreadLine(std::FILE* out, const char* label, const tSectionAngles& angles)
{
    std::fprintf(out, "  %s: %s %s, %s %s\n", label, angles.FirstLabel, Shown(angles.First, " degrees").c_str(),
        angles.SecondLabel, Shown(angles.Second, " degrees").c_str());
}

void ZonalTable(std::FILE* out, const PhotometricFigures& figures)
{
    if (!figures.ZonalFlux)
        return;
    std::fputs("  Zonal flux:\n", out);
    for (int z = 0; z < kZoneCount; ++z)
        std::fprintf(
            out, "    %3d-%-3d degrees  %s\n", 10 * z, 10 * (z + 1), Rounded((*figures.ZonalFlux)[z], " lm").c_str());
}

void JsonString(std::FILE* out, std::string_view text)
{
    std::fputc('"', out);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\')
            std::fprintf(out, "\\%c", c);
        else if (byte < 0x20 || byte >= 0x7f)
            std::fprintf(out, "\\u%04x", byte);
        else
            std::fputc(c, out);
    }
    std::fputc('"', out);
}

void JsonMember(std::FILE* out, const char* key, const std::optional<double>& value)
{
    std::fprintf(out, "    \"%s\": %s,\n", key, JsonNumber(value).c_str());
}

void JsonPair(std::FILE* out, const char* key, const char* firstKey, const std::optional<double>& first,
    const char* secondKey, const std::optional<double>& second)
{
    std::fprintf(out, "    \"%s\": {\"%s\": %s, \"%s\": %s},\n", key, firstKey, JsonNumber(first).c_str(), secondKey,
        JsonNumber(second).c_str());
}

} // namespace

std::string JsonNumber(const std::optional<double>& value)
{
    if (!value || !std::isfinite(*value))
        return "null";
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, *value);
    return std::string(text, result.ptr);
}

void PrintFiguresSummary(std::FILE* out, const PhotometricFigures& figures)
{
    std::fputs("Photometry:\n", out);
    Line(out, "Photometric type", Shown(figures.PhotometricType));
    Line(out, "Luminous flux", Shown(figures.Flux, " lm"));
    Line(out, "Lamp flux", Shown(figures.LampFlux, " lm"));
    Line(out, "Number of lamps", Shown(figures.NumberOfLamps));
    Line(out, "Light output ratio", Shown(figures.LightOutputRatio, " %"));
    Line(out, "Input watts", Shown(figures.InputWatts, " W"));
    Line(out, "Efficacy", Shown(figures.Efficacy, " lm/W"));
    Line(out, "Ballast factor", Shown(figures.BallastFactor) + " (not applied)");
    if (figures.MaxIntensity && figures.MaxHorizontal && figures.MaxVertical)
        std::fprintf(out, "  Maximum: %s at horizontal %s, vertical %s\n",
            Rounded(*figures.MaxIntensity, " cd").c_str(), Rounded(*figures.MaxHorizontal, "").c_str(),
            Rounded(*figures.MaxVertical, " degrees").c_str());
    else
        Line(out, "Maximum", "not defined");
    SpreadLine(out, "Beam angle (50 %)", figures.Beam);
    SpreadLine(out, "Field angle (10 %)", figures.Field);
    Line(out, "Downward", Shown(figures.DownwardPercent, " %"));
    Line(out, "Upward", Shown(figures.UpwardPercent, " %"));
    ZonalTable(out, figures);
    if (!figures.Note.empty())
        Line(out, "Not computed", figures.Note);
}

void PrintFiguresJson(std::FILE* out, const PhotometricFigures& figures)
{
    std::fputs("  \"figures\": {\n", out);
    JsonMember(out, "photometric_type", figures.PhotometricType);
    JsonMember(out, "flux_lm", figures.Flux);
    JsonMember(out, "lamp_flux_lm", figures.LampFlux);
    JsonMember(out, "lor_percent", figures.LightOutputRatio);
    JsonMember(out, "efficacy_lm_per_w", figures.Efficacy);
    JsonMember(out, "input_watts", figures.InputWatts);
    JsonMember(out, "ballast_factor", figures.BallastFactor);
    JsonMember(out, "number_of_lamps", figures.NumberOfLamps);
    JsonMember(out, "max_cd", figures.MaxIntensity);
    JsonPair(out, "max_at", "h", figures.MaxHorizontal, "v", figures.MaxVertical);
    JsonPair(out, "beam_deg", figures.Beam.FirstKey, figures.Beam.First, figures.Beam.SecondKey, figures.Beam.Second);
    JsonPair(
        out, "field_deg", figures.Field.FirstKey, figures.Field.First, figures.Field.SecondKey, figures.Field.Second);
    std::fputs("    \"zonal_lm\": ", out);
    if (figures.ZonalFlux) {
        for (int z = 0; z < kZoneCount; ++z)
            std::fprintf(out, "%s%s", z ? ", " : "[", JsonNumber((*figures.ZonalFlux)[z]).c_str());
        std::fputs("],\n", out);
    } else {
        std::fputs("null,\n", out);
    }
    JsonMember(out, "downward_percent", figures.DownwardPercent);
    JsonMember(out, "upward_percent", figures.UpwardPercent);
    std::fputs("    \"note\": ", out);
    JsonString(out, figures.Note);
    std::fputs("\n  }", out);
}
