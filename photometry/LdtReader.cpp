#include "LdtReader.h"
#include "NumberText.h"
#include "TextLines.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace {

constexpr std::size_t kLampSetLines = 6;
constexpr std::size_t kDirectRatioLines = 10;
constexpr std::size_t kLampSetsLine = 26;
constexpr int kMaxCount = 65535; // the record's angle counts are 16-bit

const char* const kFixedFields[kLampSetsLine] = { "company identification", "type indicator", "symmetry indicator",
    "number of C-planes", "distance between C-planes", "number of intensities per C-plane",
    "distance between intensities", "measurement report number", "luminaire name", "luminaire number", "file name",
    "date and user", "luminaire length", "luminaire width", "luminaire height", "luminous area length",
    "luminous area width", "luminous area height at C0", "luminous area height at C90", "luminous area height at C180",
    "luminous area height at C270", "downward flux fraction", "light output ratio", "conversion factor",
    "tilt during measurement", "number of lamp sets" };

const char* const kLampSetFields[kLampSetLines]
    = { "number of lamps", "lamp type", "luminous flux", "colour temperature", "colour rendering", "wattage" };

std::string_view Trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Field text quoted in a message: a field of megabytes would otherwise be copied whole into it.
std::string Quote(std::string_view text)
{
    constexpr std::size_t kLongest = 200;
    if (text.size() <= kLongest)
        return "\"" + std::string(text) + "\"";
    std::size_t cut = kLongest;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut; // not inside a character
    return "\"" + std::string(text.substr(0, cut)) + "...\"";
}

// The lines of the file with 1-based access; a missing line or a field that cannot be used refuses the file.
// The lines come from a string list or from a line store over the file's text.
class Fields {
public:
    explicit Fields(const TStringList& lines)
        : m_list(&lines)
        , m_count(lines.size())
    {
        First();
    }

    explicit Fields(const tTextLines& lines)
        : m_store(&lines)
        , m_count(lines.Count())
    {
        First();
    }

    [[noreturn]] static void Refuse(std::size_t line, const std::string& what)
    {
        throw std::runtime_error("EULUMDAT line " + std::to_string(line) + ": " + what);
    }

    std::size_t Count() const { return m_count; }

    std::string_view Text(std::size_t line, const std::string& field) const
    {
        if (line > m_count)
            Refuse(m_count + 1, "the file ends before the " + field);
        return line == 1 ? m_first : Raw(line);
    }

    // Line as it stands (1-based, at most Count()).
    std::string_view Raw(std::size_t line) const
    {
        return m_list ? std::string_view((*m_list)[line - 1]) : m_store->Line(line - 1);
    }

    long double Needed(std::size_t line, const std::string& field) const
    {
        const std::string_view text = Text(line, field);
        long double value = 0;
        if (!ConvertLdtField(text, value))
            Refuse(line, "the " + field + " " + Quote(text) + " is not a number");
        return value;
    }

    // A field not needed for the record: a failure is noted and its failure value taken.
    long double Optional(std::size_t line, const std::string& field, std::vector<tLdtFieldFailure>& failures) const
    {
        const std::string_view text = Text(line, field);
        long double value = 0;
        if (!ConvertLdtField(text, value))
            failures.push_back({ line, field, std::string(text) });
        return value;
    }

    // A whole number from low to kMaxCount.
    int Whole(std::size_t line, const std::string& field, int low, const char* rule) const
    {
        const std::string_view text = Text(line, field);
        long double value = 0;
        if (!ConvertLdtField(text, value) || value != std::floor(value) || value < low)
            Refuse(line, "the " + field + " " + Quote(text) + " is not " + rule);
        if (value > kMaxCount)
            Refuse(line, "the " + field + " " + Quote(text) + " is more than " + std::to_string(kMaxCount));
        return static_cast<int>(value);
    }

private:
    void First()
    {
        if (m_count == 0)
            return;
        m_first = Raw(1);
        if (m_first.substr(0, 3) == "\xEF\xBB\xBF")
            m_first.remove_prefix(3);
    }

    const TStringList* m_list = nullptr;
    const tTextLines* m_store = nullptr;
    std::size_t m_count = 0;
    std::string_view m_first;
};

// Planes the table stores for a symmetry; refuses a number of C-planes the symmetry cannot split.
int StoredPlanes(int symmetry, int cPlanes)
{
    const int divisor = symmetry == 2 ? 2 : (symmetry == 3 || symmetry == 4) ? 4 : 1;
    if (cPlanes % divisor != 0)
        Fields::Refuse(4,
            "the number of C-planes \"" + std::to_string(cPlanes) + "\" is not divisible by " + std::to_string(divisor)
                + " as symmetry " + std::to_string(symmetry) + " needs");
    switch (symmetry) {
    case 0:
        return cPlanes;
    case 1:
        return 1;
    case 2:
    case 3:
        return cPlanes / 2 + 1;
    default:
        return cPlanes / 4 + 1;
    }
}

void ReadAngles(const Fields& fields, std::size_t first, int count, const char* what, tArrEx& angles)
{
    angles.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        angles[static_cast<std::size_t>(i)]
            = fields.Needed(first + static_cast<std::size_t>(i), std::string(what) + " " + std::to_string(i + 1));
}

// The stored intensities, plane after plane, scaled to candela.
std::vector<tArrEx> ReadTable(const Fields& fields, const tLdtFacts& facts, long double scale)
{
    std::vector<tArrEx> rows(static_cast<std::size_t>(facts.storedPlanes));
    std::size_t line = facts.firstIntensityLine;
    for (std::size_t p = 0; p < rows.size(); ++p) {
        const std::string field = "intensities of stored plane " + std::to_string(p + 1);
        // Checked before the row is sized, so a short file never makes the table grow beyond what it holds.
        fields.Text(line + static_cast<std::size_t>(facts.gammaAngles) - 1, field);
        rows[p].resize(static_cast<std::size_t>(facts.gammaAngles));
        for (long double& value : rows[p]) {
            const std::string_view text = fields.Text(line, field);
            long double stored = 0;
            if (!ConvertLdtField(text, stored))
                Fields::Refuse(line, "the intensity " + Quote(text) + " is not a number");
            value = stored * scale;
            if (!std::isfinite(value))
                Fields::Refuse(line, "the intensity " + Quote(text) + " is beyond range once scaled");
            ++line;
        }
    }
    return rows;
}

// Horizontal angles and candela rows as an IES file of the same symmetry holds them.
void ArrangePlanes(int symmetry, const tArrEx& cAngles, std::vector<tArrEx> stored, tIES& read)
{
    const std::size_t mc = cAngles.size();
    if (symmetry == 1) {
        read.HorizAngles = { 0 };
        read.Candela = std::move(stored);
    } else if (symmetry == 3) {
        // Stored C270 .. C360=C0 .. C90; the record holds C90 .. C270, where I(C) = I(180 - C).
        const std::size_t half = mc / 2;
        read.HorizAngles.assign(cAngles.begin() + static_cast<std::ptrdiff_t>(mc / 4),
            cAngles.begin() + static_cast<std::ptrdiff_t>(mc / 4 + half + 1));
        read.Candela.resize(half + 1);
        for (std::size_t k = 0; k <= half; ++k)
            read.Candela[k] = std::move(stored[half - k]);
    } else {
        read.HorizAngles.assign(cAngles.begin(), cAngles.begin() + static_cast<std::ptrdiff_t>(stored.size()));
        read.Candela = std::move(stored);
    }
}

void FindTrailingLines(const Fields& fields, tLdtFacts& facts)
{
    for (std::size_t line = facts.lastTableLine + 1; line <= fields.Count(); ++line)
        if (!Trimmed(fields.Raw(line)).empty()) {
            if (facts.trailingLines++ == 0)
                facts.firstTrailingLine = line;
        }
}

TStringList HeaderLinesOf(const Fields& fields, std::string_view lampType)
{
    const auto text = [&fields](std::size_t line) { return std::string(fields.Text(line, kFixedFields[line - 1])); };
    return { "[TEST] " + text(8), "[MANUFAC] " + text(1), "[LUMINAIRE] " + text(9), "[LUMCAT] " + text(10),
        "[LAMP] " + std::string(lampType), "[ISSUEDATE] " + text(12), "[_LDT_LORL] " + text(23), "TILT=NONE" };
}

} // namespace

bool ConvertLdtField(std::string_view text, long double& value)
{
    text = Trimmed(text);
    if (text.find(',') == std::string_view::npos)
        return ConvertToken(text, value);
    std::string copy(text);
    for (char& c : copy)
        if (c == ',')
            c = '.';
    return ConvertToken(copy, value);
}

namespace {

// Reads the fields; lines is the list they come from (a string list or a line store), for collecting the fields
// again when fieldsOut asks for them.
template <class LineList>
void ReadFields(const Fields& fields, const LineList& lines, TStringList& headerLines, tIES& ies,
    tPhotometricHeader& header, const HeaderErrorSink& onHeaderError, tLdtFacts* factsOut, tLdtFields* fieldsOut)
{
    tLdtFacts facts;
    auto& failures = facts.failures;
    const auto optional = [&](std::size_t line) { return fields.Optional(line, kFixedFields[line - 1], failures); };

    fields.Text(1, kFixedFields[0]);
    optional(2);
    const long double symmetry = fields.Needed(3, kFixedFields[2]);
    if (symmetry != 0 && symmetry != 1 && symmetry != 2 && symmetry != 3 && symmetry != 4)
        Fields::Refuse(3, "the symmetry indicator " + Quote(fields.Text(3, "")) + " is not 0, 1, 2, 3 or 4");
    facts.symmetry = static_cast<int>(symmetry);
    facts.cPlanes = fields.Whole(4, kFixedFields[3], 1, "a positive whole number");
    facts.storedPlanes = StoredPlanes(facts.symmetry, facts.cPlanes);
    optional(5);
    facts.gammaAngles = fields.Whole(6, kFixedFields[5], 1, "a positive whole number");
    optional(7);
    for (std::size_t line = 8; line <= 12; ++line)
        fields.Text(line, kFixedFields[line - 1]);
    long double mm[9]; // lines 13 to 21, millimetres
    for (std::size_t line = 13; line <= 21; ++line)
        mm[line - 13] = optional(line);
    optional(22);
    facts.lightOutputRatio = optional(23);
    facts.lightOutputRatioRead = failures.empty() || failures.back().line != 23;
    facts.conversionFactor = fields.Needed(24, kFixedFields[23]);
    optional(25);
    facts.lampSets = fields.Whole(kLampSetsLine, kFixedFields[kLampSetsLine - 1], 1, "a positive whole number");

    // Lamp sets: set 1 describes the measured lamping, further sets are alternatives.
    const std::size_t first = facts.firstLampSetLine;
    const long double lamps = fields.Needed(first, std::string(kLampSetFields[0]) + " of set 1");
    if (lamps == 0 || lamps != std::floor(lamps))
        Fields::Refuse(first,
            "the number of lamps of set 1 " + Quote(fields.Text(first, "")) + " is not a whole number other than 0");
    facts.absolute = lamps < 0;
    facts.lampFlux = fields.Needed(first + 2, std::string(kLampSetFields[2]) + " of set 1");
    long double watts = 0;
    for (int set = 0; set < facts.lampSets; ++set) {
        const std::size_t base = first + kLampSetLines * static_cast<std::size_t>(set);
        const std::string of = " of set " + std::to_string(set + 1);
        for (std::size_t f = 0; f < kLampSetLines; ++f) {
            const std::string field = kLampSetFields[f] + of;
            if (f == 1 || f == 3 || f == 4) {
                fields.Text(base + f, field); // text fields (colour data are often written as text)
            } else if (set > 0 || f == 5) {
                const long double value = fields.Optional(base + f, field, failures);
                if (set == 0)
                    watts = value;
            } // set 1's number of lamps and flux were taken above
        }
    }
    facts.firstDirectRatioLine = first + kLampSetLines * static_cast<std::size_t>(facts.lampSets);
    for (std::size_t i = 0; i < kDirectRatioLines; ++i)
        fields.Optional(facts.firstDirectRatioLine + i, "direct ratio " + std::to_string(i + 1), failures);

    facts.firstCAngleLine = facts.firstDirectRatioLine + kDirectRatioLines;
    facts.firstGammaLine = facts.firstCAngleLine + static_cast<std::size_t>(facts.cPlanes);
    facts.firstIntensityLine = facts.firstGammaLine + static_cast<std::size_t>(facts.gammaAngles);
    const std::uint64_t values = std::uint64_t(facts.storedPlanes) * std::uint64_t(facts.gammaAngles);
    facts.lastTableLine = facts.firstIntensityLine + values - 1;
    if (values > kMaxCandelaValues)
        Fields::Refuse(6,
            "the table of " + std::to_string(facts.storedPlanes) + " planes by " + std::to_string(facts.gammaAngles)
                + " intensities holds more than " + std::to_string(kMaxCandelaValues) + " values");

    tArrEx cAngles;
    tIES read;
    ReadAngles(fields, facts.firstCAngleLine, facts.cPlanes, "C angle", cAngles);
    ReadAngles(fields, facts.firstGammaLine, facts.gammaAngles, "gamma angle", read.VertAngles);
    // Stored values are per 1000 lm of set 1's flux; one factor, computed once, scales them all.
    const long double scale = facts.lampFlux * facts.conversionFactor / 1000;
    if (!std::isfinite(scale))
        Fields::Refuse(24, "the conversion factor times the luminous flux of set 1 is beyond range");
    ArrangePlanes(facts.symmetry, cAngles, ReadTable(fields, facts, scale), read);
    FindTrailingLines(fields, facts);

    read.NumVertAngles = static_cast<uint16_t>(read.VertAngles.size());
    read.NumHorizAngles = static_cast<uint16_t>(read.HorizAngles.size());
    read.UnitsType = 2;
    read.CandelaMultiplier = 1;
    read.LumensPerLamp = facts.absolute ? -1 : facts.lampFlux / lamps;

    tPhotometricHeader numbers;
    numbers.NumberOfLamps = std::fabs(lamps);
    numbers.LumensPerLamp = read.LumensPerLamp;
    numbers.CandelaMultiplier = 1;
    numbers.PhotometricType = 1;
    numbers.UnitsType = 2;
    // The luminous area is the IES luminous opening, its axes taken as converted IES files take them: the area's
    // length/diameter is the opening's width, the area's width its length. The height is the mean of the four.
    numbers.Width = mm[3] / 1000;
    numbers.Length = mm[4] / 1000;
    numbers.Height = (mm[5] + mm[6] + mm[7] + mm[8]) / 4 / 1000;
    numbers.SideHeights = std::array<long double, 4> { mm[5] / 1000, mm[6] / 1000, mm[7] / 1000, mm[8] / 1000 };
    if (facts.lightOutputRatioRead)
        numbers.StatedLightOutputRatio = facts.lightOutputRatio;
    numbers.BallastFactor = 1;
    numbers.FutureUse = 1;
    numbers.InputWatts = watts;
    facts.luminaireLength = mm[0] / 1000;
    facts.luminaireWidth = mm[1] / 1000;
    facts.luminaireHeight = mm[2] / 1000;

    TStringList newHeaderLines = HeaderLinesOf(fields, fields.Text(first + 1, ""));
    const std::size_t firstFailure = failures.empty() ? 0 : failures.front().line;
    tLdtFields collected;
    if (fieldsOut)
        collected = CollectLdtFields(lines, facts);
    ies = std::move(read);
    header = std::move(numbers);
    headerLines = std::move(newHeaderLines);
    if (fieldsOut)
        *fieldsOut = std::move(collected);
    if (factsOut)
        *factsOut = std::move(facts);
    if (firstFailure != 0 && onHeaderError)
        onHeaderError("Error!\r\rLine " + std::to_string(firstFailure));
}

} // namespace

void ReadLDT(const TStringList& fileLines, TStringList& headerLines, tIES& ies, tPhotometricHeader& header,
    const HeaderErrorSink& onHeaderError, tLdtFacts* facts, tLdtFields* fields)
{
    ReadFields(Fields(fileLines), fileLines, headerLines, ies, header, onHeaderError, facts, fields);
}

void ReadLDT(const tTextLines& fileLines, TStringList& headerLines, tIES& ies, tPhotometricHeader& header,
    const HeaderErrorSink& onHeaderError, tLdtFacts* facts, tLdtFields* fields)
{
    ReadFields(Fields(fileLines), fileLines, headerLines, ies, header, onHeaderError, facts, fields);
}
