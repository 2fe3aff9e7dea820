#include "IesWriter.h"
#include "IesHeader.h"
#include "OrderedChunks.h"
#include "ShortestText.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

namespace {

constexpr std::string_view kIdentifier = "IESNA:LM-63-2002";
constexpr std::string_view kEnd = "\r\n";
// Number lists wrap well inside the longest line, so that the file stays easy to read.
constexpr std::size_t kNumberLineWidth = 120;
// From this many intensities on, the table is put together on two threads: a table of hundreds of thousands of
// values then takes less time, and a small one does not pay for starting a thread.
constexpr std::size_t kValuesForTwoThreads = 50000;
// A large table goes out in chunks of about this size, so that it is never held whole.
constexpr std::size_t kPieceBytes = std::size_t { 1 } << 18;
// Room set aside per number: most measured values and their blank take fewer.
constexpr std::size_t kBytesPerValue = 9;

constexpr std::array<std::string_view, 4> kIdentifiers
    = { "IESNA91", "IESNA:LM-63-1995", "IESNA:LM-63-2002", "IES:LM-63-2019" };

std::string_view TrimmedLeft(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    return text;
}

bool IsIdentifier(std::string_view line)
{
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t'))
        line.remove_suffix(1);
    for (const std::string_view identifier : kIdentifiers)
        if (line == identifier)
            return true;
    return false;
}

// Adds line, continued on "[MORE] " lines when it is longer than the format allows.
void AddWrapped(TStringList& lines, const std::string& line)
{
    static constexpr std::string_view more = "[MORE] ";
    if (line.size() <= kIesLongestLine) {
        lines.push_back(line);
        return;
    }
    lines.push_back(line.substr(0, kIesLongestLine));
    for (std::size_t at = kIesLongestLine; at < line.size();) {
        const std::size_t part = std::min(line.size() - at, kIesLongestLine - more.size());
        lines.push_back(std::string(more) + line.substr(at, part));
        at += part;
    }
}

// Appends numbers separated by blanks, starting a new line before one that would go past kNumberLineWidth. A line
// is put together in a buffer of its own and appended whole.
class NumberLines {
public:
    explicit NumberLines(std::string& out)
        : m_out(out)
    {
    }

    void Add(const long double& value)
    {
        // The number is written after a blank; when that makes the line too long, the line before it is ended and
        // the number starts the next.
        char* const start = m_line + m_length + (m_length > 0 ? 1 : 0);
        char* const end = WriteShortest(start, value);
        if (m_length == 0) {
            m_length = static_cast<std::size_t>(end - start);
            return;
        }
        m_line[m_length] = ' ';
        if (static_cast<std::size_t>(end - m_line) <= kNumberLineWidth) {
            m_length = static_cast<std::size_t>(end - m_line);
            return;
        }
        const std::size_t length = static_cast<std::size_t>(end - start);
        EndLine();
        std::memmove(m_line, start, length);
        m_length = length;
    }

    void AddAll(const tArrEx& values)
    {
        for (const long double& value : values)
            Add(value);
        EndLine();
    }

    void EndLine()
    {
        if (m_length > 0) {
            m_out.append(m_line, m_length);
            m_out.append(kEnd);
        }
        m_length = 0;
    }

private:
    std::string& m_out;
    // The line being put together; a number that goes past the width still fits before it is moved on.
    char m_line[kNumberLineWidth + 1 + kShortestTextRoom];
    std::size_t m_length = 0;
};

std::size_t CandelaValues(const tIES& ies)
{
    std::size_t values = 0;
    for (const tArrEx& row : ies.Candela)
        values += row.size();
    return values;
}

// Room for the whole text in most files: the header lines aside, the numbers.
std::size_t RoomForText(const tIES& ies, std::size_t candelaValues)
{
    return 1024 + kBytesPerValue * (candelaValues + ies.VertAngles.size() + ies.HorizAngles.size());
}

// Hands on out, then every row of the table in chunks of about kPieceBytes, each row starting on a line of its own.
// A large table is put together on two threads at once, chunk by chunk, and goes out in order.
void AddCandelaRows(std::string& out, const std::vector<tArrEx>& rows, std::size_t values, const IesPieceSink& piece)
{
    piece(out);
    if (rows.empty())
        return;
    const std::size_t perRow = std::max<std::size_t>(1, values / rows.size());
    const std::size_t rowsPerChunk = std::max<std::size_t>(1, kPieceBytes / (kBytesPerValue * perRow));
    const std::size_t chunks = (rows.size() + rowsPerChunk - 1) / rowsPerChunk;
    HandOnChunksInOrder(
        chunks, values >= kValuesForTwoThreads,
        [&rows, rowsPerChunk](std::size_t chunk, std::string& text) {
            const std::size_t first = chunk * rowsPerChunk;
            const std::size_t last = std::min(rows.size(), first + rowsPerChunk);
            text.reserve(kBytesPerValue * rowsPerChunk * (rows[first].size() + 1));
            NumberLines numbers(text);
            for (std::size_t row = first; row < last; ++row)
                numbers.AddAll(rows[row]);
        },
        piece);
}

} // namespace

TStringList IesHeaderLines(const TStringList& sourceHeaderLines)
{
    const std::size_t tilt = FindTiltLine(sourceHeaderLines);
    TStringList lines { std::string(kIdentifier) };
    bool test = false, manufacturer = false;
    for (std::size_t i = 0; i < tilt; ++i) {
        const std::string& line = sourceHeaderLines[i];
        if (i == 0 && IsIdentifier(line))
            continue;
        const std::string_view text = TrimmedLeft(line);
        test = test || text.starts_with("[TEST]");
        manufacturer = manufacturer || text.starts_with("[MANUFAC]");
        AddWrapped(lines, text.starts_with("[") ? line : (line.empty() ? "[OTHER]" : "[OTHER] " + line));
    }
    // The format requires both entries; they go first, where a reader looks for them.
    if (!manufacturer)
        lines.insert(lines.begin() + 1, "[MANUFAC]");
    if (!test)
        lines.insert(lines.begin() + 1, "[TEST]");
    lines.push_back(tilt < sourceHeaderLines.size() ? sourceHeaderLines[tilt] : "TILT=NONE");
    return lines;
}

void IesFilePieces(
    const TStringList& sourceHeaderLines, const tIES& ies, const tPhotometricHeader& header, const IesPieceSink& piece)
{
    std::string out;
    const std::size_t values = CandelaValues(ies);
    out.reserve(RoomForText(ies, 0)); // the text before the table

    const TStringList lines = IesHeaderLines(sourceHeaderLines);
    for (const std::string& line : lines) {
        out += line;
        out += kEnd;
    }
    NumberLines numbers(out);
    const tTiltData& tilt = header.Tilt;
    if (TiltDataIncluded(lines.back())) {
        numbers.Add(tilt.LampToLuminaireGeometry);
        numbers.EndLine();
        numbers.Add(static_cast<long double>(tilt.Angles.size()));
        numbers.EndLine();
        numbers.AddAll(tilt.Angles);
        numbers.AddAll(tilt.MultiplyingFactors);
    }
    for (const long double value : { header.NumberOfLamps, header.LumensPerLamp, header.CandelaMultiplier,
             static_cast<long double>(ies.NumVertAngles), static_cast<long double>(ies.NumHorizAngles),
             header.PhotometricType, header.UnitsType, header.Width, header.Length, header.Height })
        numbers.Add(value);
    numbers.EndLine();
    for (const long double value : { header.BallastFactor, header.FutureUse, header.InputWatts })
        numbers.Add(value);
    numbers.EndLine();
    numbers.AddAll(ies.VertAngles);
    numbers.AddAll(ies.HorizAngles);
    AddCandelaRows(out, ies.Candela, values, piece);
}

std::string IesFileText(const TStringList& sourceHeaderLines, const tIES& ies, const tPhotometricHeader& header)
{
    std::string text;
    text.reserve(RoomForText(ies, CandelaValues(ies)));
    IesFilePieces(sourceHeaderLines, ies, header, [&text](std::string_view piece) { text += piece; });
    return text;
}
