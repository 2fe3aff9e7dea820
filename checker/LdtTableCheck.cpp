#include "FigureChecks.h"
#include "IesChecks.h"
#include "LdtChecks.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

// The intensities as the file states them (cd/klm), walked once.
struct IntensityScan {
    std::size_t negative = 0;
    std::size_t firstNegativeLine = 0;
    long double firstNegative = 0;
    std::size_t largestLine = 0; // the line of the largest magnitude
};

IntensityScan ScanIntensities(const tTextLines& lines, const tLdtFacts& facts)
{
    IntensityScan scan;
    long double largest = -1;
    for (std::size_t line = facts.firstIntensityLine; line <= facts.lastTableLine && line <= lines.Count(); ++line) {
        long double value = 0;
        if (!ConvertLdtField(lines.Line(line - 1), value))
            continue; // the reader refuses such a file; nothing here to add
        if (value < 0 && scan.negative++ == 0) {
            scan.firstNegative = value;
            scan.firstNegativeLine = line;
        }
        if (std::fabs(value) > largest) {
            largest = std::fabs(value);
            scan.largestLine = line;
        }
    }
    return scan;
}

} // namespace

void CheckLdtNulByte(std::string_view bytes, Report& report)
{
    const std::size_t nul = bytes.find('\0');
    if (nul == std::string_view::npos)
        return;
    // Lines end at CR LF, LF or a lone CR, as the reader splits them.
    std::size_t line = 1, lineStart = 0;
    for (std::size_t i = 0; i < nul; ++i) {
        if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 >= nul || bytes[i + 1] != '\n'))) {
            ++line;
            lineStart = i + 1;
        }
    }
    report.Add(Severity::Warning, "nul-byte", line, nul - lineStart + 1,
        "a NUL byte; the viewer reads the file only up to here");
}

void CheckLdtTable(const tTextLines& lines, const tLdtFacts& facts, const tIES& record, Report& report)
{
    const tArrEx& gamma = record.VertAngles; // as read from the lines from firstGammaLine on
    for (std::size_t i = 1; i < gamma.size(); ++i) {
        if (!(gamma[i] > gamma[i - 1])) {
            report.Add(Severity::Warning, "vertical-order", facts.firstGammaLine + i, 0,
                "gamma angles are not strictly ascending: angle " + std::to_string(i + 1) + " (" + RealText(gamma[i])
                    + ") follows " + RealText(gamma[i - 1]));
            break;
        }
    }
    const IntensityScan scan = ScanIntensities(lines, facts);
    if (scan.negative > 0)
        report.Add(Severity::Warning, "negative-candela", scan.firstNegativeLine, 0,
            std::to_string(scan.negative) + (scan.negative == 1 ? " negative intensity" : " negative intensities")
                + ", the first " + RealText(scan.firstNegative) + " cd/klm; the viewer uses them as they stand");
}

void CheckLdtFigures(const tTextLines& lines, const tLdtFacts& facts, const tIES& record,
    const tPhotometricHeader& header, Report& report)
{
    const PhotometricFigures figures = ComputeFigures(record, header);
    if (figures.Note == kFluxNotFiniteNote) {
        report.Add(Severity::Error, "flux-range", ScanIntensities(lines, facts).largestLine, 0,
            "the intensities times the lamp flux give a flux too large to be a number; the viewer shows no flux, "
            "light output ratio or zonal flux");
        return;
    }
    // In EULUMDAT the intensities are per 1000 lm of lamp flux: the ratio depends on them and the conversion factor.
    const std::string over
        = LightOutputOver100(figures, "the intensities (cd/klm) and the conversion factor on line 24");
    if (!over.empty())
        report.Add(Severity::Warning, "lor-over-100", facts.firstIntensityLine, 0, over);

    long double stated = 0;
    if (lines.Count() >= 22 && ConvertLdtField(lines.Line(21), stated)) {
        const std::string text
            = RatioDisagreement("the downward flux fraction", stated, figures.DownwardPercent, "the intensities give");
        if (!text.empty())
            report.Add(Severity::Warning, "ldt-dff", 22, 0, text);
    }
    // Only relative photometry states a lamp flux to compare with.
    if (!facts.absolute && facts.lightOutputRatioRead && figures.Flux && figures.LampFlux) {
        char flux[96];
        std::snprintf(flux, sizeof flux, "(%.0f lm of the lamps' %.0f lm)", *figures.Flux, *figures.LampFlux);
        const std::string text = RatioDisagreement("the light output ratio", facts.lightOutputRatio,
            figures.LightOutputRatio, std::string(flux) + " the intensities give");
        if (!text.empty())
            report.Add(Severity::Warning, "ldt-lorl", 23, 0, text);
    }
}
