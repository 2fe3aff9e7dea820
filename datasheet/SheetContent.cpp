#include "SheetContent.h"

#include "GoniluxVersion.h"
#include "NumberFormat.h"
#include "PhotometricFile.h"
#include "TextEncoding.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <utility>

namespace datasheet {
namespace {

    // The header keywords the head shows, with their labels, in the head's order.
    constexpr std::array<std::pair<const char*, const char*>, 5> kHeadKeywords { {
        { "MANUFAC", "Manufacturer" },
        { "LUMCAT", "Catalogue number" },
        { "LAMP", "Lamp" },
        { "TEST", "Test" },
        { "ISSUEDATE", "Issue date" },
    } };

    // The summary's figures that the datasheet leaves out: the type is in the sections' names, the lamp count and the
    // ballast factor are inputs rather than results.
    // For people, as the summary rounds its figures: a number of significant digits.
    std::string Rounded(long double value, int digits, std::string_view separator)
    {
        char text[64];
        std::snprintf(text, sizeof text, "%.*Le", digits - 1, value);
        return FormatGeneral(std::strtold(text, nullptr), separator);
    }

    // The zonal flux rows with the flux to six significant digits and the share to three, under short headings; a
    // zone with less than a millionth of the flux shows none.
    tTextRows RoundedZonalRows(const PhotometricFigures& figures, std::string_view separator)
    {
        tTextRows rows = ZonalRows(figures, separator);
        rows.front() = { "Zone", "lm", "%" };
        if (!figures.ZonalFlux)
            return rows;
        for (std::size_t z = 0; z + 1 < rows.size() && z < kZoneCount; ++z) {
            // What is left of the rounding of an empty zone's integral is no flux.
            long double flux = (*figures.ZonalFlux)[z];
            if (figures.Flux && std::fabs(flux) < 1e-6L * std::fabs(*figures.Flux))
                flux = 0;
            rows[z + 1][1] = Rounded(flux, 6, separator);
            if (!rows[z + 1][2].empty())
                rows[z + 1][2] = Rounded(flux / *figures.Flux * 100, 3, separator);
        }
        return rows;
    }

    bool Omitted(const std::string& name) { return name == "Number of lamps" || name == "Ballast factor"; }

    std::string FirstValue(const std::vector<tSummaryEntry>& entries, std::string_view name)
    {
        for (const auto& [key, value] : entries)
            if (key == name && !value.empty())
                return value;
        return {};
    }

    std::string Plural(int count, const char* word)
    {
        return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
    }

    std::string FormatName(const std::string& path, const std::vector<tSummaryEntry>& entries)
    {
        if (IsLdtPath(path))
            return "EULUMDAT";
        const std::string format = FirstValue(entries, "Format");
        // A file without the identifier line is of the first edition, which had none.
        return format.empty() ? "IES LM-63-1986" : format;
    }

} // namespace

std::string CheckVerdict(const Diagnostics& checks)
{
    int warnings = 0, errors = 0;
    for (const Diagnostic& diagnostic : checks) {
        warnings += diagnostic.severity == Severity::Warning ? 1 : 0;
        errors += diagnostic.severity == Severity::Error ? 1 : 0;
    }
    if (warnings == 0 && errors == 0)
        return "no problems found";
    if (errors == 0)
        return Plural(warnings, "warning");
    if (warnings == 0)
        return Plural(errors, "error");
    return Plural(warnings, "warning") + ", " + Plural(errors, "error");
}

std::string RefusalReason(const tDetailsFile& file)
{
    if (IsEmpty(file.Record) && file.Path.empty())
        return "no file is loaded";
    if (IsEmpty(file.Record))
        return "the file holds no intensity table";
    for (const tArrEx& row : file.Record.Candela)
        if (!row.empty())
            return {};
    return "the file's intensity table has no values";
}

SheetContent BuildContent(
    const tDetailsFile& file, const PhotometricFigures& figures, std::string_view decimalSeparator)
{
    SheetContent sheet;
    const std::vector<tSummaryEntry> header = HeaderEntries(file.HeaderLines);
    const std::string fileName = DisplayUtf8(std::filesystem::path(file.Path).filename().string());
    const std::string luminaire = DisplayUtf8(FirstValue(header, "LUMINAIRE"));
    sheet.Title = luminaire.empty() ? fileName : luminaire;
    for (const auto& [keyword, label] : kHeadKeywords) {
        const std::string value = FirstValue(header, keyword);
        if (!value.empty())
            sheet.Head.emplace_back(label, DisplayUtf8(value));
    }
    if (!fileName.empty())
        sheet.Head.emplace_back("File", fileName);
    sheet.Head.emplace_back("Format", DisplayUtf8(FormatName(file.Path, header)));

    for (auto& entry : FigureEntries(figures, decimalSeparator))
        if (!Omitted(entry.first))
            sheet.Figures.push_back(std::move(entry));
    sheet.Zonal = RoundedZonalRows(figures, decimalSeparator);

    const bool relative = figures.LampFlux && *figures.LampFlux > 0;
    sheet.Unit = relative ? "cd/klm" : "cd";
    const long double scale = file.Header.CandelaMultiplier * (relative ? 1000.0L / *figures.LampFlux : 1.0L);
    const int type = figures.PhotometricType ? static_cast<int>(*figures.PhotometricType) : 1;
    sheet.Sections = PolarSections(file.Record, type, scale);

    sheet.MadeWith = std::string("Made with Gonilux ") + GONILUX_VERSION;
    sheet.Verdict = "Check: " + CheckVerdict(file.Checks);
    return sheet;
}

} // namespace datasheet
