#include "Checker.h"
#include "IesChecks.h"
#include "IesHeader.h"
#include "LineText.h"
#include "Report.h"
#include "TextEncoding.h"

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
    TStringList lines;
    SplitIntoLines(bytes, lines);
    const std::size_t tilt = FindTiltLine(lines);
    CheckIesLayout(bytes, lines, tilt, report);
    const bool found = tilt != lines.size();
    if (!found)
        report.Add(Severity::Error, "no-tilt", 1, 0, "no TILT line; the viewer reads the whole file as numbers");
    const bool included = found && TiltDataIncluded(lines[tilt]);
    const std::size_t firstNumeric = found ? tilt + 1 : 0;
    lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(firstNumeric));
    CheckIesNumbers(std::move(lines), firstNumeric + 1, included, report, record);
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
