// The EULUMDAT fields of a type C record read from any file:
// - the symmetry from the horizontal angles: one plane 1, 0-90 4, 0-180 2, 90-270 3, 0-360 0 (the 360 plane, the
//   same as plane 0, is not stored), a full circle without the 360 plane 0; anything else is refused;
// - the C angles: the full circle the symmetry implies, in increasing order from 0; the steps when equidistant;
// - texts from the header keywords, dimensions in mm from the luminous opening, one lamp set;
// - intensities in cd/klm of the lamp flux (the luminaire flux for absolute photometry), rounded to doubles.
#include "IesHeader.h"
#include "LdtWriter.h"
#include "NumberText.h"
#include "PhotometricFigures.h"
#include "ShortestText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

namespace {

constexpr std::size_t kLongestText = 78;

// A figure computed in doubles, kept as the shortest double text would read back: 457.2, not 457.199999...
long double Tidy(double value)
{
    char text[40];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    long double read = 0;
    ConvertToken(std::string_view(text, static_cast<std::size_t>(end - text)), read);
    return read;
}

std::string Range(const tArrEx& angles) { return ShortestText(angles.front()) + " to " + ShortestText(angles.back()); }

bool IncreasingStrictly(const tArrEx& angles)
{
    for (std::size_t i = 1; i < angles.size(); ++i)
        if (!(angles[i] > angles[i - 1]))
            return false;
    return true;
}

// Isym for the horizontal angles; refuses a range EULUMDAT cannot hold.
int SymmetryOf(const tArrEx& h)
{
    if (h.size() == 1)
        return 1;
    if (h.empty())
        throw WriteRefusal("the file has no horizontal angles");
    if (!IncreasingStrictly(h))
        throw WriteRefusal("the horizontal angles (" + Range(h) + ") are not in increasing order");
    const long double first = h.front(), last = h.back();
    if (first == 0 && last == 90)
        return 4;
    if (first == 0 && last == 180)
        return 2;
    if (first == 90 && last == 270)
        return 3;
    if (first == 0 && last == 360)
        return 0;
    // A full circle that leaves out the repeated 360 plane, as an EULUMDAT file without symmetry reads: the gap
    // back to 360 is no wider than the widest step between its planes.
    long double widest = 0;
    for (std::size_t i = 1; i < h.size(); ++i)
        widest = std::max(widest, h[i] - h[i - 1]);
    if (first == 0 && last > 180 && last < 360 && 360 - last <= widest)
        return 0;
    throw WriteRefusal("the horizontal angles run from " + Range(h)
        + "; EULUMDAT holds one plane, 0 to 90, 0 to 180, 90 to 270 or 0 to 360");
}

long double Wrapped(long double angle)
{
    angle = std::fmod(angle, 360.0L);
    return angle < 0 ? angle + 360 : angle;
}

// The full circle of C angles: each stored angle and its mirror images, increasing from 0.
tArrEx CircleOf(int symmetry, const tArrEx& h)
{
    tArrEx c;
    for (const long double a : h) {
        c.push_back(Wrapped(a));
        if (symmetry == 2 || symmetry == 4)
            c.push_back(Wrapped(360 - a));
        if (symmetry == 3 || symmetry == 4)
            c.push_back(Wrapped(180 - a));
        if (symmetry == 4)
            c.push_back(Wrapped(180 + a));
    }
    if (symmetry == 1)
        c = { 0 };
    std::sort(c.begin(), c.end());
    c.erase(std::unique(c.begin(), c.end()), c.end());
    return c;
}

// The angles an EULUMDAT reader takes for the stored planes must be the record's own; a circle of uneven spacing
// about the symmetry's axis would shift them.
void CheckStoredAngles(int symmetry, const tArrEx& circle, const tArrEx& h)
{
    const std::size_t mc = circle.size();
    const std::size_t divisor = symmetry == 2 ? 2 : (symmetry == 3 || symmetry == 4) ? 4 : 1;
    bool same = mc % divisor == 0;
    if (same && symmetry != 1) {
        const std::size_t from = symmetry == 3 ? mc / 4 : 0;
        same = from + h.size() <= mc && std::equal(h.begin(), h.end(), circle.begin() + static_cast<long>(from));
        if (symmetry == 0 && h.back() == 360)
            same = h.size() - 1 == mc && std::equal(h.begin(), h.end() - 1, circle.begin());
    }
    if (!same)
        throw WriteRefusal("the horizontal angles " + Range(h)
            + " are not spaced the same on both sides of the symmetry axis, which EULUMDAT needs");
}

// The common step of an equidistant list, else 0.
long double StepOf(const tArrEx& angles)
{
    if (angles.size() < 2)
        return 0;
    const long double step = angles[1] - angles[0];
    for (std::size_t i = 2; i < angles.size(); ++i)
        if (std::fabs(angles[i] - angles[i - 1] - step) > 1e-9L * std::max<long double>(1, std::fabs(step)))
            return 0;
    return Tidy(static_cast<double>(step));
}

std::string Keyword(const std::string& header, const char* keyword)
{
    std::string text = KeywordValue(keyword, header);
    const std::size_t begin = text.find_first_not_of(" \t");
    const std::size_t end = text.find_last_not_of(" \t");
    text = begin == std::string::npos ? std::string() : text.substr(begin, end - begin + 1);
    return text.substr(0, std::min(text.size(), kLongestText));
}

void FillTexts(const TStringList& headerLines, const std::string& fileName, tLdtFields& f)
{
    std::string header;
    for (const std::string& line : headerLines)
        header += line + "\r\n";
    f.company = Keyword(header, "[MANUFAC]");
    f.reportNumber = Keyword(header, "[TEST]");
    f.luminaireName = Keyword(header, "[LUMINAIRE]");
    f.luminaireNumber = Keyword(header, "[LUMCAT]");
    f.fileName = fileName.substr(0, std::min(fileName.size(), kLongestText));
    f.dateUser = Keyword(header, "[ISSUEDATE]");
    f.lampSets.front().lampType = Keyword(header, "[LAMP]");
}

void FillDimensions(const tPhotometricHeader& header, tLdtFields& f)
{
    const long double units = header.UnitsType;
    if (units != 1 && units != 2)
        throw WriteRefusal("the units type " + ShortestText(units) + " is neither 1 (feet) nor 2 (metres)");
    // Feet to mm as 3048 / 10, both exact, so that a height of 35.0010984 mm is not written as 35.001098400000004.
    const long double perTen = units == 1 ? 3048 : 10000;
    const auto mm = [perTen](long double value) { return Tidy(static_cast<double>(std::fabs(value) * perTen / 10)); };
    // A negative width is a round opening: its diameter is the length, its width 0.
    const bool round = header.Width < 0 && (header.Length == header.Width || header.Length == 0);
    const long double length = mm(header.Width), width = round ? 0 : mm(header.Length), height = mm(header.Height);
    const long double dimensions[9] = { length, width, height, length, width, height, height, height, height };
    std::copy(std::begin(dimensions), std::end(dimensions), f.dimensions);
}

// The lamp set and its flux, to which the intensities are relative.
long double FillLampSet(
    const tIES& ies, const tPhotometricHeader& header, const PhotometricFigures& figures, tLdtFields& f)
{
    tLdtLampSet& set = f.lampSets.front();
    set.watts = header.InputWatts;
    const bool absolute = header.LumensPerLamp < 0;
    if (absolute) {
        if (!figures.Flux)
            throw WriteRefusal("the luminaire flux of this absolute photometry cannot be computed: " + figures.Note);
        if (!(*figures.Flux > 0))
            throw WriteRefusal("the luminaire flux of this absolute photometry is " + ShortestText(*figures.Flux)
                + " lm; EULUMDAT intensities are per 1000 lm of a positive flux");
        set.lamps = -1;
        set.flux = Tidy(*figures.Flux);
        f.lightOutputRatio = 100;
    } else {
        const long double lamps = header.NumberOfLamps;
        if (!(lamps >= 1) || lamps != std::floor(lamps))
            throw WriteRefusal("the number of lamps " + ShortestText(lamps) + " is not a whole number from 1");
        set.lamps = lamps;
        set.flux = lamps * ies.LumensPerLamp;
        f.lightOutputRatio = figures.LightOutputRatio ? Tidy(*figures.LightOutputRatio) : 0;
    }
    if (!(set.flux > 0) || !std::isfinite(set.flux))
        throw WriteRefusal("the lamp flux " + ShortestText(set.flux) + " lm is not above 0");
    f.downwardFlux = figures.DownwardPercent ? Tidy(*figures.DownwardPercent) : 0;
    return set.flux;
}

// The stored planes in file order, candela times multiplier per 1000 lm of flux.
void FillIntensities(int symmetry, const tIES& ies, long double multiplier, long double flux, tLdtFields& f)
{
    std::size_t stored = ies.Candela.size();
    if (symmetry == 0 && ies.HorizAngles.back() == 360) {
        if (ies.Candela.back() != ies.Candela.front())
            throw WriteRefusal("the 360 plane differs from the 0 plane; EULUMDAT stores them as one");
        --stored;
    }
    const long double scale = multiplier * 1000 / flux;
    f.intensities.resize(stored);
    for (std::size_t p = 0; p < stored; ++p) {
        // Without symmetry about C0 the file stores C270 to C90 (through C0), the record C90 to C270.
        const tArrEx& row = ies.Candela[symmetry == 3 ? stored - 1 - p : p];
        tArrEx& plane = f.intensities[p];
        plane.resize(row.size());
        for (std::size_t g = 0; g < row.size(); ++g) {
            plane[g] = static_cast<double>(row[g] * scale);
            // Written as a double, a value beyond its range would become text no reader takes back.
            if (!std::isfinite(static_cast<double>(plane[g])))
                throw WriteRefusal(
                    "the intensity " + ShortestText(row[g] * scale) + " cd/klm is beyond what an EULUMDAT file holds");
        }
    }
}

} // namespace

tLdtFields LdtFieldsOf(
    const TStringList& headerLines, const tIES& ies, const tPhotometricHeader& header, const std::string& fileName)
{
    if (header.PhotometricType != 1)
        throw WriteRefusal("EULUMDAT holds type C photometry only");
    if (ies.VertAngles.empty())
        throw WriteRefusal("the file has no vertical angles");
    const int symmetry = SymmetryOf(ies.HorizAngles);
    tLdtFields f;
    f.cAngles = CircleOf(symmetry, ies.HorizAngles);
    CheckStoredAngles(symmetry, f.cAngles, ies.HorizAngles);
    f.gammaAngles = ies.VertAngles;
    f.typeIndicator = ies.HorizAngles.size() == 1 ? 1 : 3;
    f.symmetry = symmetry;
    f.cPlanes = static_cast<long double>(f.cAngles.size());
    f.cStep = StepOf(f.cAngles);
    f.gammaCount = static_cast<long double>(f.gammaAngles.size());
    f.gammaStep = StepOf(f.gammaAngles);
    f.conversionFactor = 1;
    f.lampSets.resize(1);
    FillTexts(headerLines, fileName, f);
    FillDimensions(header, f);
    const long double flux = FillLampSet(ies, header, ComputeFigures(ies, header), f);
    FillIntensities(symmetry, ies, header.CandelaMultiplier, flux, f);
    return f;
}
