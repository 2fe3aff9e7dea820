#include "IesReader.h"
#include "IesHeader.h"
#include "NumberText.h"
#include "NumericText.h"
#include "TableRead.h"
#include "TextLines.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

std::string FormatReal(long double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.15Lg", value);
    return text;
}

// Moves the lines up to and including the TILT line from fileLines into headerLines.
// Returns whether the TILT line announces tilt data that follow it.
bool SplitOffHeader(TStringList& fileLines, TStringList& headerLines)
{
    const std::size_t tilt = FindTiltLine(fileLines);
    if (tilt != fileLines.size() && tilt >= kMaxHeaderLines)
        throw std::runtime_error(TooManyHeaderLinesMessage(tilt + 1));
    headerLines.clear();
    if (tilt == fileLines.size())
        return false;
    headerLines.assign(
        std::make_move_iterator(fileLines.begin()), std::make_move_iterator(fileLines.begin() + tilt + 1));
    fileLines.erase(fileLines.begin(), fileLines.begin() + tilt + 1);
    return TiltDataIncluded(headerLines.back());
}

// Takes the numbers of the header part and remembers where the first one that failed stands.
class HeaderNumbers {
public:
    explicit HeaderNumbers(NumericCursor& cursor)
        : m_cursor(cursor)
    {
    }

    long double Next()
    {
        bool failed = false;
        const long double value = m_cursor.NextNumber(failed);
        if (failed)
            MarkFailed();
        return value;
    }

    // Marks the number just taken as failed (a value that converts but cannot be stored).
    void MarkFailed()
    {
        if (!m_failed)
            m_firstFailure = m_cursor.TokenStart();
        m_failed = true;
    }

    bool Failed() const { return m_failed; }
    std::size_t FirstFailure() const { return m_firstFailure; }

private:
    NumericCursor& m_cursor;
    bool m_failed = false;
    std::size_t m_firstFailure = 0;
};

// A count of the numeric block, rounded to the nearest whole number (halves to even). A count that does not fit
// its 16-bit field refuses the file.
uint16_t RoundedCount(long double value, const char* what)
{
    const long double rounded = std::nearbyint(value);
    if (!(rounded >= 0 && rounded <= 65535))
        throw std::runtime_error("The number of " + std::string(what) + " in this file (" + FormatReal(rounded)
            + ") is outside 0 to 65535; the file is not loaded.");
    return static_cast<uint16_t>(rounded);
}

// Takes the tilt data that follow TILT=INCLUDE: the lamp-to-luminaire geometry, the number of tilt angles, the
// angles and then their multiplying factors. They describe the lamp's output when tilted; they are kept, not applied.
void ReadTiltData(HeaderNumbers& numbers, tTiltData& tilt)
{
    tilt.Included = true;
    tilt.LampToLuminaireGeometry = numbers.Next();
    const uint16_t count = RoundedCount(numbers.Next(), "tilt angles");
    tilt.Angles.resize(count);
    for (long double& angle : tilt.Angles)
        angle = numbers.Next();
    tilt.MultiplyingFactors.resize(count);
    for (long double& factor : tilt.MultiplyingFactors)
        factor = numbers.Next();
}

// 1-based line of the file on which the token at offset stands; the line after the last when the text was used up.
std::size_t FileLineOf(
    std::size_t offset, std::size_t textSize, std::size_t headerLineCount, const std::vector<std::size_t>& lineStarts)
{
    if (offset >= textSize)
        return headerLineCount + lineStarts.size() + 1;
    const auto after = std::upper_bound(lineStarts.begin(), lineStarts.end(), offset);
    return headerLineCount + static_cast<std::size_t>(after - lineStarts.begin());
}

// The read once the header lines are split off: the numbers of numeric into the record and the header.
// lineOf gives the 1-based file line of an offset in numeric.
template <typename LineOf>
void ReadNumbers(std::string_view numeric, bool tiltData, const LineOf& lineOf, tIES& ies, tPhotometricHeader& header,
    const HeaderErrorSink& onHeaderError)
{
    NumericCursor cursor(numeric);
    HeaderNumbers numbers(cursor);
    tPhotometricHeader readHeader;
    if (tiltData)
        ReadTiltData(numbers, readHeader.Tilt);

    // The thirteen numbers of the photometric block: the record keeps some, the header all of them as read.
    tIES read;
    readHeader.NumberOfLamps = numbers.Next();
    read.LumensPerLamp = readHeader.LumensPerLamp = numbers.Next();
    read.CandelaMultiplier = readHeader.CandelaMultiplier = numbers.Next();
    read.NumVertAngles = RoundedCount(numbers.Next(), "vertical angles");
    read.NumHorizAngles = RoundedCount(numbers.Next(), "horizontal angles");
    readHeader.PhotometricType = numbers.Next();
    readHeader.UnitsType = numbers.Next();
    const long double units = std::nearbyint(readHeader.UnitsType);
    if (units >= 0 && units <= 65535) {
        read.UnitsType = static_cast<uint16_t>(units);
    } else {
        numbers.MarkFailed(); // an impossible units type is reported like a number that failed to convert
    }
    readHeader.Width = numbers.Next();
    readHeader.Length = numbers.Next();
    readHeader.Height = numbers.Next();
    readHeader.BallastFactor = numbers.Next();
    readHeader.FutureUse = numbers.Next();
    readHeader.InputWatts = numbers.Next();

    const std::uint64_t values = std::uint64_t { read.NumVertAngles } * read.NumHorizAngles;
    if (values > kMaxCandelaValues)
        throw std::runtime_error("The file declares " + std::to_string(read.NumVertAngles) + " vertical by "
            + std::to_string(read.NumHorizAngles) + " horizontal angles, " + std::to_string(values)
            + " candela values; a real file has at most " + std::to_string(kMaxCandelaValues)
            + ", so the file is not loaded.");

    if (numbers.Failed() && onHeaderError)
        onHeaderError("Error!\r\rLine " + std::to_string(lineOf(numbers.FirstFailure())));

    FillValues(read.VertAngles, read.NumVertAngles, cursor);
    FillValues(read.HorizAngles, read.NumHorizAngles, cursor);
    FillTable(read.Candela, read.NumHorizAngles, read.NumVertAngles, cursor);
    // Numbers after the last candela value are not read.

    ies = std::move(read);
    header = std::move(readHeader);
}

} // namespace

std::string TooManyHeaderLinesMessage(std::size_t tiltLine)
{
    return "The TILT line of this file is line " + std::to_string(tiltLine) + ", beyond the "
        + std::to_string(kMaxHeaderLines) + " lines a header may have; the file is not loaded.";
}

void ReadIES(TStringList& fileLines, TStringList& headerLines, tIES& ies, const HeaderErrorSink& onHeaderError)
{
    tPhotometricHeader unused;
    ReadIES(fileLines, headerLines, ies, unused, onHeaderError);
}

void ReadIES(TStringList& fileLines, TStringList& headerLines, tIES& ies, tPhotometricHeader& header,
    const HeaderErrorSink& onHeaderError)
{
    const bool tiltData = SplitOffHeader(fileLines, headerLines);

    std::vector<std::size_t> lineStarts;
    std::string text = BuildNumericText(fileLines, lineStarts);
    fileLines.clear();
    if (text.empty())
        throw std::runtime_error("List index out of bounds (0)");
    // The lines are consumed: what remains is the numeric text as the only line.
    fileLines.push_back(std::move(text));
    const std::string& numeric = fileLines.front();
    const auto lineOf
        = [&](std::size_t offset) { return FileLineOf(offset, numeric.size(), headerLines.size(), lineStarts); };
    ReadNumbers(numeric, tiltData, lineOf, ies, header, onHeaderError);
}

namespace {

// Copies the lines up to and including the TILT line into headerLines; returns the first line of numbers (the
// first line when there is no TILT line). Throws when the TILT line lies beyond kMaxHeaderLines.
std::size_t TakeHeaderLines(const tTextLines& lines, TStringList& headerLines)
{
    std::size_t tilt = 0;
    while (tilt < lines.Count() && !IsTiltLine(lines.Line(tilt)))
        ++tilt;
    if (tilt < lines.Count() && tilt >= kMaxHeaderLines)
        throw std::runtime_error(TooManyHeaderLinesMessage(tilt + 1));
    headerLines.clear();
    if (tilt == lines.Count())
        return 0;
    headerLines.reserve(tilt + 1);
    for (std::size_t i = 0; i <= tilt; ++i)
        headerLines.emplace_back(lines.Line(i));
    return tilt + 1;
}

bool TiltDataFollow(const TStringList& headerLines)
{
    return !headerLines.empty() && TiltDataIncluded(headerLines.back());
}

} // namespace

void ReadIESText(std::string_view text, TStringList& headerLines, std::string& numeric, tIES& ies,
    tPhotometricHeader& header, const HeaderErrorSink& onHeaderError)
{
    const tTextLines lines(text);
    const std::size_t first = TakeHeaderLines(lines, headerLines);
    numeric = BuildNumericText(lines, first);
    if (numeric.empty())
        throw std::runtime_error("List index out of bounds (0)");
    const auto lineOf = [&](std::size_t offset) {
        const std::size_t after
            = offset >= numeric.size() ? lines.Count() - first + 1 : NumericLineOf(lines, first, offset) + 1;
        return headerLines.size() + after;
    };
    ReadNumbers(numeric, TiltDataFollow(headerLines), lineOf, ies, header, onHeaderError);
}

void ReadIESText(std::string_view text, TStringList& headerLines, tIES& ies, tPhotometricHeader& header,
    const HeaderErrorSink& onHeaderError)
{
    const tTextLines lines(text);
    const std::size_t first = TakeHeaderLines(lines, headerLines);
    if (first >= lines.Count())
        throw std::runtime_error("List index out of bounds (0)");
    // The numbers are read from the file's own text: its line breaks and commas separate them as the numeric
    // text's spaces do, and an offset finds its line among the file's lines.
    const std::string_view numbers = lines.From(first);
    const auto start = static_cast<std::size_t>(numbers.data() - text.data());
    const auto lineOf = [&](std::size_t offset) {
        const std::size_t after
            = offset >= numbers.size() ? lines.Count() - first + 1 : lines.LineOf(start + offset) - first + 1;
        return headerLines.size() + after;
    };
    ReadNumbers(numbers, TiltDataFollow(headerLines), lineOf, ies, header, onHeaderError);
}
