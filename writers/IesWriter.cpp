#include "IesWriter.h"
#include "IesHeader.h"
#include "ShortestText.h"

#include <array>
#include <string_view>

namespace {

constexpr std::string_view kIdentifier = "IESNA:LM-63-2002";
constexpr std::string_view kEnd = "\r\n";
// Number lists wrap well inside the longest line, so that the file stays easy to read.
constexpr std::size_t kNumberLineWidth = 120;

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

// Appends numbers separated by blanks, starting a new line before one that would go past kNumberLineWidth.
class NumberLines {
public:
    explicit NumberLines(std::string& out)
        : m_out(out)
    {
    }

    void Add(long double value)
    {
        m_token.clear();
        AppendShortest(m_token, value);
        if (m_lineLength > 0 && m_lineLength + 1 + m_token.size() > kNumberLineWidth) {
            m_out.append(kEnd);
            m_lineLength = 0;
        }
        if (m_lineLength > 0) {
            m_out.push_back(' ');
            ++m_lineLength;
        }
        m_out.append(m_token);
        m_lineLength += m_token.size();
    }

    void AddAll(const tArrEx& values)
    {
        for (const long double value : values)
            Add(value);
        EndLine();
    }

    void EndLine()
    {
        if (m_lineLength > 0)
            m_out.append(kEnd);
        m_lineLength = 0;
    }

private:
    std::string& m_out;
    std::string m_token; // the number being added
    std::size_t m_lineLength = 0;
};

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

std::string IesFileText(const TStringList& sourceHeaderLines, const tIES& ies, const tPhotometricHeader& header)
{
    std::string out;
    std::size_t values = 0;
    for (const tArrEx& row : ies.Candela)
        values += row.size();
    out.reserve(1024 + 12 * (values + ies.VertAngles.size() + ies.HorizAngles.size()));

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
    for (const tArrEx& row : ies.Candela)
        numbers.AddAll(row);
    return out;
}
