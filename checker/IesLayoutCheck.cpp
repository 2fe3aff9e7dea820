// The layout of an IES file around its numbers: what the identifier line promises, the header lines, line
// lengths, encoding, line endings and NUL bytes.
#include "IesChecks.h"
#include "TextEncoding.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

// The line length the 2002 and 2019 editions allow.
constexpr std::size_t kLongestLine = 256;

struct Edition {
    const char* identifier;
    int year;
};
constexpr std::array<Edition, 4> kEditions = { { { "IESNA91", 1991 }, { "IESNA:LM-63-1995", 1995 },
    { "IESNA:LM-63-2002", 2002 }, { "IES:LM-63-2019", 2019 } } };

std::string_view TrimmedRight(std::string_view text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

std::string_view TrimmedLeft(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    return text;
}

// The edition's year from the first line; 1986 when it names none.
int CheckIdentifier(const tTextLines& lines, std::size_t tiltLine, Report& report)
{
    const std::string_view first
        = lines.Count() == 0 || tiltLine == 0 ? std::string_view() : TrimmedRight(lines.Line(0));
    for (const Edition& edition : kEditions)
        if (first == edition.identifier)
            return edition.year;
    report.Add(Severity::Note, "format-id", 1, lines.Count() == 0 ? 0 : 1,
        "the first line " + Quoted(first)
            + " is not a known LM-63 identifier (IESNA:LM-63-1995, IESNA:LM-63-2002, IES:LM-63-2019, IESNA91); the "
              "file is taken as LM-63-1986");
    return 1986;
}

void CheckKeywords(const tTextLines& lines, std::size_t tiltLine, int year, Report& report)
{
    if (year < 2002)
        return;
    std::vector<const char*> required = { "[TEST]", "[MANUFAC]" };
    if (year >= 2019)
        required.insert(required.end(), { "[TESTLAB]", "[ISSUEDATE]" });
    for (const char* keyword : required) {
        bool found = false;
        for (std::size_t i = 1; i < tiltLine && !found; ++i)
            found = TrimmedLeft(lines.Line(i)).starts_with(keyword);
        if (!found)
            report.Add(Severity::Warning, "missing-keyword", 1, 0,
                "an LM-63-" + std::to_string(year) + " file needs a " + keyword + " line; there is none");
    }
}

void CheckHeaderLines(const tTextLines& lines, std::size_t tiltLine, int year, Report& report)
{
    if (year < 1991)
        return;
    for (std::size_t i = 1; i < tiltLine; ++i) {
        const std::string_view text = TrimmedLeft(lines.Line(i));
        if (!text.empty() && text.front() != '[')
            report.Add(Severity::Warning, "header-line", i + 1, lines.Line(i).size() - text.size() + 1,
                "a header line that is not a [KEYWORD] line; the header entries show only keyword lines");
    }
}

// One note for the whole header, at its first byte that is not UTF-8.
void CheckEncoding(const tTextLines& lines, std::size_t tiltLine, Report& report)
{
    for (std::size_t i = 0; i <= tiltLine; ++i) {
        const std::size_t bad = FirstInvalidUtf8(lines.Line(i));
        if (bad == std::string_view::npos)
            continue;
        char byte[8];
        std::snprintf(byte, sizeof byte, "0x%02X", static_cast<unsigned char>(lines.Line(i)[bad]));
        report.Add(Severity::Note, "encoding", i + 1, bad + 1,
            std::string("the header is not valid UTF-8 (byte ") + byte
                + " here); it is shown as Latin-1 / Windows-1252");
        return;
    }
}

void CheckLineLengths(const tTextLines& lines, int year, Report& report)
{
    if (year < 2002)
        return;
    for (std::size_t i = 0; i < lines.Count(); ++i)
        if (lines.Line(i).size() > kLongestLine)
            report.Add(Severity::Warning, "long-line", i + 1, kLongestLine + 1,
                "a line of " + std::to_string(lines.Line(i).size()) + " characters; an LM-63-" + std::to_string(year)
                    + " line holds at most 256");
}

// Line endings and a NUL byte, from the file's bytes: the lines themselves no longer know how they ended. The
// breaks are found with memchr, as the line splitting does, since this runs over every byte of every file.
void CheckBytes(std::string_view bytes, Report& report)
{
    enum Ending { None, CrLf, Lf, Cr };
    const char* const names[] = { "", "CR LF", "LF", "CR" };
    const std::size_t nul = bytes.find('\0');
    const std::size_t end = std::min(nul, bytes.size()); // the reader stops at a NUL
    const auto next = [&bytes, end](std::size_t from, char c) {
        const void* at = std::memchr(bytes.data() + from, c, end - from);
        return at ? static_cast<std::size_t>(static_cast<const char*>(at) - bytes.data()) : end;
    };
    Ending first = None;
    bool mixedReported = false, loneCrReported = false;
    std::size_t line = 1, lineStart = 0, cr = next(0, '\r'), lf = next(0, '\n');
    while (lineStart < end) {
        if (cr < lineStart)
            cr = next(lineStart, '\r');
        if (lf < lineStart)
            lf = next(lineStart, '\n');
        const std::size_t at = std::min(cr, lf);
        if (at == end)
            break;
        const Ending ending = at == lf ? Lf : (at + 1 == lf && lf < end ? CrLf : Cr);
        if (ending == Cr && !loneCrReported) {
            report.Add(Severity::Note, "line-endings", line, 0,
                "this line ends in a lone CR; the viewer takes it as a line break");
            loneCrReported = true;
        } else if (first != None && ending != first && ending != Cr && first != Cr && !mixedReported) {
            report.Add(Severity::Note, "line-endings", line, 0,
                std::string("mixed line endings: this line ends in ") + names[ending] + ", the first one in "
                    + names[first]);
            mixedReported = true;
        }
        if (first == None)
            first = ending;
        lineStart = at + (ending == CrLf ? 2 : 1);
        ++line;
    }
    if (nul != std::string_view::npos)
        report.Add(Severity::Warning, "nul-byte", line, nul - lineStart + 1,
            "a NUL byte; the viewer reads the file only up to here");
}

} // namespace

void CheckIesLayout(std::string_view bytes, const tTextLines& lines, std::size_t tiltLine, Report& report)
{
    CheckBytes(bytes, report);
    if (tiltLine == lines.Count())
        return; // no header: the whole file is read as numbers
    const int year = CheckIdentifier(lines, tiltLine, report);
    CheckKeywords(lines, tiltLine, year, report);
    CheckHeaderLines(lines, tiltLine, year, report);
    CheckEncoding(lines, tiltLine, report);
    CheckLineLengths(lines, year, report);
}
