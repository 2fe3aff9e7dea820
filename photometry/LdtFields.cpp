// The fields of an accepted EULUMDAT file, kept so that the file can be written again field for field.
#include "LdtReader.h"

#include <string_view>

namespace {

class Lines {
public:
    explicit Lines(const TStringList& lines)
        : m_list(&lines)
        , m_count(lines.size())
    {
    }
    explicit Lines(const tTextLines& lines)
        : m_store(&lines)
        , m_count(lines.Count())
    {
    }

    // The line's text; line 1 without a UTF-8 byte order mark. A line past the end (only the table's lines are
    // sure to exist) is empty.
    std::string_view Text(std::size_t line) const
    {
        if (line == 0 || line > m_count)
            return {};
        std::string_view text = m_list ? std::string_view((*m_list)[line - 1]) : m_store->Line(line - 1);
        if (line == 1 && text.compare(0, 3, "\xEF\xBB\xBF") == 0)
            text.remove_prefix(3);
        return text;
    }

    // The value the reader takes: the converted number, or the failure value of a field that did not convert.
    long double Number(std::size_t line) const
    {
        long double value = 0;
        ConvertLdtField(Text(line), value);
        return value;
    }

    void Numbers(std::size_t first, std::size_t count, tArrEx& values) const
    {
        values.resize(count);
        for (std::size_t i = 0; i < count; ++i)
            values[i] = Number(first + i);
    }

private:
    const TStringList* m_list = nullptr;
    const tTextLines* m_store = nullptr;
    std::size_t m_count = 0;
};

} // namespace

namespace {

tLdtFields Collect(const Lines& lines, const tLdtFacts& facts)
{
    tLdtFields f;
    f.company = lines.Text(1);
    f.typeIndicator = lines.Number(2);
    f.symmetry = lines.Number(3);
    f.cPlanes = lines.Number(4);
    f.cStep = lines.Number(5);
    f.gammaCount = lines.Number(6);
    f.gammaStep = lines.Number(7);
    f.reportNumber = lines.Text(8);
    f.luminaireName = lines.Text(9);
    f.luminaireNumber = lines.Text(10);
    f.fileName = lines.Text(11);
    f.dateUser = lines.Text(12);
    for (std::size_t i = 0; i < 9; ++i)
        f.dimensions[i] = lines.Number(13 + i);
    f.downwardFlux = lines.Number(22);
    f.lightOutputRatio = lines.Number(23);
    f.conversionFactor = lines.Number(24);
    f.tilt = lines.Number(25);

    f.lampSets.resize(static_cast<std::size_t>(facts.lampSets));
    std::size_t line = facts.firstLampSetLine;
    for (tLdtLampSet& set : f.lampSets) {
        set.lamps = lines.Number(line);
        set.lampType = lines.Text(line + 1);
        set.flux = lines.Number(line + 2);
        set.colourTemperature = lines.Text(line + 3);
        set.colourRendering = lines.Text(line + 4);
        set.watts = lines.Number(line + 5);
        line += 6;
    }
    for (std::size_t i = 0; i < 10; ++i)
        f.directRatios[i] = lines.Number(facts.firstDirectRatioLine + i);

    lines.Numbers(facts.firstCAngleLine, static_cast<std::size_t>(facts.cPlanes), f.cAngles);
    lines.Numbers(facts.firstGammaLine, static_cast<std::size_t>(facts.gammaAngles), f.gammaAngles);
    f.intensities.resize(static_cast<std::size_t>(facts.storedPlanes));
    line = facts.firstIntensityLine;
    for (tArrEx& plane : f.intensities) {
        lines.Numbers(line, static_cast<std::size_t>(facts.gammaAngles), plane);
        line += static_cast<std::size_t>(facts.gammaAngles);
    }
    return f;
}

} // namespace

tLdtFields CollectLdtFields(const TStringList& fileLines, const tLdtFacts& facts)
{
    return Collect(Lines(fileLines), facts);
}

tLdtFields CollectLdtFields(const tTextLines& fileLines, const tLdtFacts& facts)
{
    return Collect(Lines(fileLines), facts);
}
