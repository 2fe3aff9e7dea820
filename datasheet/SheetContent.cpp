#include "SheetContent.h"

#include "FileSummary.h"
#include "GoniluxVersion.h"
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
    // The zonal flux rows as the details write them, under short headings; a zone with less than a millionth of
    // the flux (what is left of rounding an empty zone's integral) shows none.
    tTextRows ShortZonalRows(PhotometricFigures figures, const tNumberStyle& style)
    {
        if (figures.ZonalFlux && figures.Flux)
            for (double& flux : *figures.ZonalFlux)
                if (std::fabs(flux) < 1e-6 * std::fabs(*figures.Flux))
                    flux = 0;
        tTextRows rows = ZonalRows(figures, style);
        rows.front() = { "Zone", "lm", "%" };
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

SheetContent BuildContent(const tDetailsFile& file, const PhotometricFigures& figures, const tNumberStyle& style)
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
    sheet.Head.emplace_back("Format", DisplayUtf8(FormatName(file.Path, file.HeaderLines)));

    for (auto& entry : FigureEntries(figures, style))
        if (!Omitted(entry.first))
            sheet.Figures.push_back(std::move(entry));
    sheet.Zonal = ShortZonalRows(figures, style);

    const bool relative = figures.LampFlux && *figures.LampFlux > 0;
    sheet.Unit = relative ? "cd/klm" : "cd";
    const long double scale = file.Header.CandelaMultiplier * (relative ? 1000.0L / *figures.LampFlux : 1.0L);
    const int type = figures.PhotometricType ? static_cast<int>(*figures.PhotometricType) : 1;
    sheet.Sections = PolarSections(file.Record, type, scale);
    sheet.Ugr = UgrPageText(file.Record, file.Header, { 0.25L, true }, style.Decimal);

    sheet.MadeWith = std::string("Made with Gonilux ") + GONILUX_VERSION;
    sheet.Verdict = "Check: " + CheckVerdict(file.Checks);
    return sheet;
}

} // namespace datasheet
