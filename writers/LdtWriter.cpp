#include "LdtWriter.h"
#include "ShortestText.h"

namespace {

class Lines {
public:
    void Text(const std::string& text)
    {
        m_out += text;
        m_out += "\r\n";
    }

    void Number(long double value)
    {
        AppendShortest(m_out, value);
        m_out += "\r\n";
    }

    void Numbers(const tArrEx& values)
    {
        for (const long double value : values)
            Number(value);
    }

    void Doubles(const tArrEx& values)
    {
        for (const long double value : values) {
            AppendShortest(m_out, static_cast<double>(value));
            m_out += "\r\n";
        }
    }

    std::string& Out() { return m_out; }

private:
    std::string m_out;
};

} // namespace

std::string LdtFileText(const tLdtFields& f, LdtIntensities intensities)
{
    Lines lines;
    std::size_t values = 0;
    for (const tArrEx& plane : f.intensities)
        values += plane.size();
    lines.Out().reserve(2048 + 10 * (values + f.cAngles.size() + f.gammaAngles.size()));

    lines.Text(f.company);
    for (const long double value : { f.typeIndicator, f.symmetry, f.cPlanes, f.cStep, f.gammaCount, f.gammaStep })
        lines.Number(value);
    for (const std::string* text : { &f.reportNumber, &f.luminaireName, &f.luminaireNumber, &f.fileName, &f.dateUser })
        lines.Text(*text);
    for (const long double value : f.dimensions)
        lines.Number(value);
    for (const long double value : { f.downwardFlux, f.lightOutputRatio, f.conversionFactor, f.tilt })
        lines.Number(value);
    lines.Number(static_cast<long double>(f.lampSets.size()));
    for (const tLdtLampSet& set : f.lampSets) {
        lines.Number(set.lamps);
        lines.Text(set.lampType);
        lines.Number(set.flux);
        lines.Text(set.colourTemperature);
        lines.Text(set.colourRendering);
        lines.Number(set.watts);
    }
    for (const long double value : f.directRatios)
        lines.Number(value);
    lines.Numbers(f.cAngles);
    lines.Numbers(f.gammaAngles);
    for (const tArrEx& plane : f.intensities) {
        if (intensities == LdtIntensities::Doubles)
            lines.Doubles(plane);
        else
            lines.Numbers(plane);
    }
    return std::move(lines.Out());
}
