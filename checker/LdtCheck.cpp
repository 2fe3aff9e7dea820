// The EULUMDAT check: the file read by the viewer's own reader, its refusal or the facts of the read turned into
// diagnostics on the lines they concern, then the table and the figures its intensities give (LdtTableCheck.cpp).
#include "Checker.h"
#include "IesChecks.h"
#include "LdtChecks.h"
#include "LdtReader.h"
#include "LineText.h"
#include "Report.h"
#include "TextEncoding.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace {

// A message of the reader as a diagnostic's text: valid UTF-8, and cut where a long field made it long.
std::string MessageText(std::string_view message)
{
    constexpr std::size_t kLongest = 200;
    std::string text = DisplayUtf8(message);
    if (text.size() <= kLongest)
        return text;
    std::size_t cut = kLongest;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut; // not inside a character
    return text.substr(0, cut) + "...";
}

// The number of C-planes against the symmetry, before the read: a number the symmetry cannot split is what the
// reader refuses on line 4. Returns whether that was found.
bool CheckPlaneCount(const tTextLines& lines, Report& report)
{
    long double symmetry = 0, planes = 0;
    if (lines.Count() < 4 || !ConvertLdtField(lines.Line(2), symmetry) || !ConvertLdtField(lines.Line(3), planes))
        return false;
    const int divisor = symmetry == 2 ? 2 : (symmetry == 3 || symmetry == 4) ? 4 : 1;
    if (divisor == 1 || planes < 1 || planes > 65535 || planes != std::floor(planes)
        || std::fmod(planes, static_cast<long double>(divisor)) == 0)
        return false;
    report.Add(Severity::Error, "ldt-symmetry", 4, 0,
        "symmetry " + RealText(symmetry) + " stores " + (divisor == 2 ? "half" : "a quarter")
            + " of the C-planes, but their number " + RealText(planes) + " is not divisible by "
            + std::to_string(divisor) + "; the viewer does not load the file");
    return true;
}

// The stored planes must run where the symmetry says, or the planes shown by mirroring them are not the planes
// the file means.
void CheckPlaneRange(const tLdtFacts& facts, const tIES& record, Report& report)
{
    long double from = 0, to = 0;
    std::size_t first = 0, last = 0; // 0-based indices of the C angles that should be from and to
    const std::size_t mc = static_cast<std::size_t>(facts.cPlanes);
    if (facts.symmetry == 2) {
        to = 180, last = mc / 2;
    } else if (facts.symmetry == 4) {
        to = 90, last = mc / 4;
    } else if (facts.symmetry == 3) {
        from = 90, to = 270, first = mc / 4, last = 3 * mc / 4;
    } else {
        return;
    }
    const auto check = [&](long double angle, long double expected, std::size_t index) {
        if (angle != expected)
            report.Add(Severity::Warning, "ldt-symmetry", facts.firstCAngleLine + index, 0,
                "symmetry " + std::to_string(facts.symmetry) + " stores the planes C" + RealText(from) + " to C"
                    + RealText(to) + ", but C angle " + std::to_string(index + 1) + " is " + RealText(angle)
                    + " instead of " + RealText(expected) + "; the viewer mirrors the stored planes as if it were "
                    + RealText(expected));
    };
    check(record.HorizAngles.front(), from, first);
    check(record.HorizAngles.back(), to, last);
}

void CheckFailures(const tLdtFacts& facts, Report& report)
{
    bool first = true;
    for (const tLdtFieldFailure& failure : facts.failures) {
        report.Add(Severity::Error, "ldt-field", failure.line, 0,
            "the " + failure.field + " " + Quoted(failure.text) + " is not a number; the viewer reads 0 for it"
                + (first ? " and reports this line" : ""));
        first = false;
    }
}

void CheckTrailingLines(const tLdtFacts& facts, Report& report)
{
    if (facts.trailingLines == 0)
        return;
    const bool one = facts.trailingLines == 1;
    report.Add(Severity::Note, "ldt-trailing", facts.firstTrailingLine, 0,
        std::to_string(facts.trailingLines) + (one ? " line" : " lines") + " after the table "
            + (one ? "holds" : "hold") + " text; the viewer ignores " + (one ? "it" : "them"));
}

} // namespace

Diagnostics CheckLdtText(std::string_view bytes)
{
    Report report;
    // The lines without a string each: a file of millions of empty lines costs little more than its bytes.
    const tTextLines lines(bytes);
    CheckLdtNulByte(bytes, report);
    const bool planeCount = CheckPlaneCount(lines, report);
    tIES record;
    TStringList headerLines;
    tPhotometricHeader header;
    tLdtFacts facts;
    try {
        ReadLDT(lines, headerLines, record, header, nullptr, &facts);
    } catch (const std::runtime_error& refusal) {
        // "EULUMDAT line N: what"
        const std::string_view message(refusal.what());
        constexpr std::string_view kPrefix = "EULUMDAT line ";
        std::size_t line = 0, at = kPrefix.size();
        while (message.starts_with(kPrefix) && at < message.size() && message[at] >= '0' && message[at] <= '9')
            line = line * 10 + static_cast<std::size_t>(message[at++] - '0');
        const std::string_view what = line == 0 ? message : message.substr(std::min(at + 2, message.size()));
        if (!(planeCount && line == 4))
            report.Add(Severity::Error, "ldt-refused", std::max<std::size_t>(line, 1), 0,
                MessageText(what) + "; the viewer does not load the file");
        return report.Take();
    }
    CheckFailures(facts, report);
    CheckPlaneRange(facts, record, report);
    CheckLdtTable(lines, facts, record, report);
    CheckLdtFigures(lines, facts, record, header, report);
    CheckTrailingLines(facts, report);
    return report.Take();
}
