#include "Checker.h"
#include "IesChecks.h"
#include "IesHeader.h"
#include "IesReader.h"
#include "LineText.h"
#include "Report.h"
#include "TextEncoding.h"
#include "TextLines.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <iterator>

namespace {

// The formats the checker knows, by extension (lower case). A further format plugs in here.
struct Format {
    const char* extension;
    Diagnostics (*check)(std::string_view bytes);
};
Diagnostics CheckIes(std::string_view bytes) { return CheckIesText(bytes); }
constexpr std::array<Format, 2> kFormats = { { { ".ies", CheckIes }, { ".ldt", CheckLdtText } } };

const Format* FormatOf(std::string_view name)
{
    const std::size_t dot = name.rfind('.');
    const std::size_t slash = name.rfind('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return nullptr;
    std::string extension(name.substr(dot));
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    for (const Format& format : kFormats)
        if (extension == format.extension)
            return &format;
    return nullptr;
}

} // namespace

std::string Quoted(std::string_view token)
{
    constexpr std::size_t kLongest = 40;
    const bool cut = token.size() > kLongest;
    std::string text;
    for (const char c : DisplayUtf8(token.substr(0, kLongest))) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\t') {
            text += "\\t";
        } else if (byte < 0x20 || byte == 0x7f) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            text += escape;
        } else {
            text += c;
        }
    }
    return "'" + text + (cut ? "...'" : "'");
}

std::string RealText(long double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.15Lg", value);
    return text;
}

Diagnostics CheckIesText(std::string_view bytes, tIES* record)
{
    Report report;
    // The lines are read from the bytes in place: a string per line would cost many times a file of short lines.
    const tTextLines lines(bytes);
    std::size_t tilt = 0;
    while (tilt < lines.Count() && !IsTiltLine(lines.Line(tilt)))
        ++tilt;
    CheckIesLayout(bytes, lines, tilt, report);
    const bool found = tilt != lines.Count();
    if (found && tilt >= kMaxHeaderLines) { // the viewer refuses the file: nothing after the header is read
        report.Add(Severity::Error, "header-lines", tilt + 1, 0,
            "the TILT line is line " + std::to_string(tilt + 1) + ", beyond the " + std::to_string(kMaxHeaderLines)
                + " lines a header may have; the viewer does not load the file");
        return report.Take();
    }
    if (!found)
        report.Add(Severity::Error, "no-tilt", 1, 0, "no TILT line; the viewer reads the whole file as numbers");
    const bool included = found && TiltDataIncluded(lines.Line(tilt));
    CheckIesNumbers(lines, found ? tilt + 1 : 0, included, report, record);
    return report.Take();
}

bool IsCheckableName(std::string_view name) { return FormatOf(name) != nullptr; }

Diagnostics CheckText(std::string_view name, std::string_view bytes)
{
    const Format* format = FormatOf(name);
    return format ? format->check(bytes) : CheckIes(bytes);
}

Diagnostics CheckFile(const std::string& path)
{
    std::string bytes;
    LoadFileBytes(path, bytes);
    return CheckText(path, bytes);
}
