// The numbers after the TILT line: tilt data, the photometric block and the tables, taken in the reader's order
// with the reader's cursor, so that every value a diagnostic names is the value the record holds.
#include "FigureChecks.h"
#include "IesChecks.h"
#include "IesReader.h"
#include "NumberWalk.h"
#include "TableChecks.h"

#include <cmath>
#include <string>
#include <utility>

namespace {

class NumberCheck {
public:
    NumberCheck(const tTextLines& lines, std::size_t first, Report& report)
        : m_walk(lines, first, report)
    {
    }

    // False when the reader refuses the file. Candela rows are kept only with keepCandela.
    bool Run(bool tiltIncluded, bool keepCandela, tIES& read);

private:
    Token Header(const std::string& what, const char* endCode = "header-number");
    bool Count(const Token& token, const char* what, uint16_t& count);
    bool SkipTiltData();
    void CheckFields(const Token (&fields)[13]);
    bool EmptyData(tIES& read);
    void ReadTables(tIES& read, bool keepCandela, long double photometricType);
    void CheckLightOutput(const Token (&fields)[13], const tIES& read);

    NumberWalk m_walk;
    bool m_endReported = false;
};

// A number of the header part. A failure is an error (the viewer reports its line); the end of the text is
// reported once, at the first number it takes away.
Token NumberCheck::Header(const std::string& what, const char* endCode)
{
    const Token token = m_walk.Next();
    if (token.converted)
        return token;
    if (m_walk.PastEnd(token)) {
        if (!m_endReported)
            m_walk.Add(Severity::Error, endCode, token,
                "the file ends before " + what + "; the viewer reads 0 for it and for every number after it");
        m_endReported = true;
        return token;
    }
    const std::string_view text = m_walk.Text(token);
    const bool tab = text.find('\t') != std::string_view::npos;
    m_walk.Add(Severity::Error, "header-number", token,
        what + " " + Quoted(text) + (tab ? " holds a tab, which does not separate numbers, and" : "")
            + " is not a number; the viewer reads " + RealText(token.value) + " and reports this line");
    return token;
}

// A count rounded as the reader rounds it; false (an error given) when it does not fit 0 to 65535.
bool NumberCheck::Count(const Token& token, const char* what, uint16_t& count)
{
    const long double rounded = std::nearbyint(token.value);
    if (!(rounded >= 0 && rounded <= 65535)) {
        m_walk.Add(Severity::Error, "count-range", token,
            std::string("the number of ") + what + " (" + RealText(rounded)
                + ") is outside 0 to 65535; the viewer does not load the file");
        return false;
    }
    count = static_cast<uint16_t>(rounded);
    return true;
}

bool NumberCheck::SkipTiltData()
{
    Header("the lamp-to-luminaire geometry", "tilt-data");
    const Token countToken = Header("the number of tilt angles", "tilt-data");
    uint16_t count = 0;
    if (!Count(countToken, "tilt angles", count))
        return false;
    if (countToken.converted && countToken.value != count)
        m_walk.Add(Severity::Error, "tilt-data", countToken,
            "the number of tilt angles " + Quoted(m_walk.Text(countToken)) + " is not a whole number; the viewer takes "
                + std::to_string(count));
    for (unsigned i = 0; i < 2u * count; ++i) {
        const bool angle = i < count;
        const unsigned index = (angle ? i : i - count) + 1;
        Header((angle ? "tilt angle " : "tilt multiplying factor ") + std::to_string(index) + " of "
                + std::to_string(count),
            "tilt-data");
    }
    return true;
}

void NumberCheck::CheckFields(const Token (&f)[13])
{
    const auto check = [this](const Token& token, bool sound, const char* code, const char* what) {
        if (token.converted && !sound)
            m_walk.Add(Severity::Warning, code, token, std::string(what) + " " + RealText(token.value));
    };
    check(f[0], f[0].value >= 1, "lamps-field", "the number of lamps is below 1:");
    check(f[1], f[1].value > 0 || f[1].value == -1, "lumens-field",
        "lumens per lamp should be above 0, or -1 for absolute photometry:");
    check(f[2], f[2].value > 0, "multiplier-field", "the candela multiplier is not above 0:");
    check(f[5], f[5].value == 1 || f[5].value == 2 || f[5].value == 3, "type-field",
        "the photometric type is not 1 (C), 2 (B) or 3 (A):");
    check(f[6], f[6].value == 1 || f[6].value == 2, "units-field", "the units type is not 1 (feet) or 2 (metres):");
    check(f[10], f[10].value > 0, "ballast-field", "the ballast factor is not above 0:");
    check(f[12], f[12].value > 0, "watts-field", "the input watts are not above 0:");
}

// Nothing, or only blanks, after the TILT line. Returns whether the file is then done with; read is set when the
// reader still loads it (all zeros).
bool NumberCheck::EmptyData(tIES& read)
{
    if (m_walk.NoText()) {
        m_walk.Add(Severity::Error, "empty-data", m_walk.Next(),
            "no numbers follow the header; the viewer does not load the file");
        return true;
    }
    if (!m_walk.AtEnd())
        return false;
    m_walk.Add(Severity::Error, "empty-data", m_walk.Next(),
        "only blank lines follow the header; the viewer reads every number as 0 and shows an empty table");
    read = tIES {};
    return true;
}

bool NumberCheck::Run(bool tiltIncluded, bool keepCandela, tIES& read)
{
    if (EmptyData(read))
        return !m_walk.NoText();
    if (tiltIncluded && !SkipTiltData())
        return false;
    static const char* const kNames[13] = { "the number of lamps", "the lumens per lamp", "the candela multiplier",
        "the number of vertical angles", "the number of horizontal angles", "the photometric type", "the units type",
        "the width", "the length", "the height", "the ballast factor", "the future-use field", "the input watts" };
    Token fields[13];
    for (int i = 0; i < 13; ++i)
        fields[i] = Header(kNames[i]);
    read.LumensPerLamp = fields[1].value;
    read.CandelaMultiplier = fields[2].value;
    if (!Count(fields[3], "vertical angles", read.NumVertAngles)
        || !Count(fields[4], "horizontal angles", read.NumHorizAngles))
        return false;
    const long double units = std::nearbyint(fields[6].value);
    if (units >= 0 && units <= 65535)
        read.UnitsType = static_cast<uint16_t>(units);
    else
        m_walk.Add(Severity::Error, "header-number", fields[6],
            "the units type " + RealText(units) + " cannot be stored; the viewer reports it like a failed number");
    CheckFields(fields);

    const std::uint64_t values = std::uint64_t { read.NumVertAngles } * read.NumHorizAngles;
    if (values > kMaxCandelaValues) {
        m_walk.Add(Severity::Error, "count-range", fields[4],
            "the file declares " + std::to_string(read.NumVertAngles) + " by " + std::to_string(read.NumHorizAngles)
                + " angles, " + std::to_string(values) + " candela values, more than the "
                + std::to_string(kMaxCandelaValues) + " the viewer accepts; the file is not loaded");
        return false;
    }
    // Relative photometry keeps the table for the light output ratio; absolute photometry has no lamp flux.
    const bool relative = fields[1].value > 0;
    ReadTables(read, keepCandela || relative, fields[5].converted ? fields[5].value : 0);
    if (relative)
        CheckLightOutput(fields, read);
    if (!keepCandela)
        read.Candela.clear();
    return true;
}

// The light output ratio the figures give, from the header numbers the reader takes.
void NumberCheck::CheckLightOutput(const Token (&f)[13], const tIES& read)
{
    tPhotometricHeader header;
    header.NumberOfLamps = f[0].value;
    header.LumensPerLamp = f[1].value;
    header.CandelaMultiplier = f[2].value;
    header.PhotometricType = f[5].value;
    header.UnitsType = f[6].value;
    header.Width = f[7].value;
    header.Length = f[8].value;
    header.Height = f[9].value;
    header.BallastFactor = f[10].value;
    header.FutureUse = f[11].value;
    header.InputWatts = f[12].value;
    const std::string over = LightOutputOver100(ComputeFigures(read, header),
        "the number of lamps, the lumens per lamp (" + RealText(f[1].value) + ") and the candela multiplier");
    if (!over.empty())
        m_walk.Add(Severity::Warning, "lor-over-100", f[1], over);
}

void NumberCheck::ReadTables(tIES& read, bool keepCandela, long double photometricType)
{
    TableChecks tables(m_walk);
    tables.ReadAngles(read.NumVertAngles, read.VertAngles, true);
    tables.ReadAngles(read.NumHorizAngles, read.HorizAngles, false);
    if (keepCandela) {
        read.Candela.resize(read.NumHorizAngles);
        for (tArrEx& row : read.Candela)
            tables.ReadCandela(read.NumVertAngles, row);
    } else {
        tArrEx row; // one row at a time: a check holds no table
        for (unsigned h = 0; h < read.NumHorizAngles; ++h)
            tables.ReadCandela(read.NumVertAngles, row);
    }
    tables.Finish(photometricType);
}

} // namespace

void CheckIesNumbers(const tTextLines& lines, std::size_t first, bool tiltIncluded, Report& report, tIES* record)
{
    NumberCheck check(lines, first, report);
    tIES read;
    if (!check.Run(tiltIncluded, record != nullptr, read))
        return;
    if (record)
        *record = std::move(read);
}
