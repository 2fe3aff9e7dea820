#include "PhotometricFigures.h"
#include "SpreadAngles.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <numbers>
#include <utility>
#include <vector>

namespace {

constexpr long double kRadiansPerDegree = std::numbers::pi_v<long double> / 180;

enum class Kind { C, B, A, Unknown };

Kind KindOf(const std::optional<double>& type)
{
    if (type == 1.0)
        return Kind::C;
    if (type == 2.0)
        return Kind::B;
    if (type == 3.0)
        return Kind::A;
    return Kind::Unknown;
}

// The value as a double, empty when it is not a finite number.
std::optional<double> Reported(long double value)
{
    const double reported = static_cast<double>(value);
    if (!std::isfinite(reported))
        return std::nullopt;
    return reported;
}

std::string Number(long double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.15Lg", value);
    return text;
}

bool HasValues(const tIES& ies)
{
    for (const tArrEx& row : ies.Candela)
        if (!row.empty())
            return true;
    return false;
}

bool MatchesAngleLists(const tIES& ies)
{
    if (ies.Candela.size() != ies.HorizAngles.size())
        return false;
    for (const tArrEx& row : ies.Candela)
        if (row.size() != ies.VertAngles.size())
            return false;
    return true;
}

bool StrictlyAscending(const tArrEx& angles)
{
    for (std::size_t i = 1; i < angles.size(); ++i)
        if (!(angles[i - 1] < angles[i]))
            return false;
    return true;
}

bool Within(const tArrEx& angles, long double low, long double high)
{
    return !angles.empty() && angles.front() >= low && angles.back() <= high;
}

// Each angle's cell: the ends at the first and last angle, the midpoints between neighbours inside.
std::vector<std::pair<long double, long double>> Cells(const tArrEx& angles)
{
    std::vector<std::pair<long double, long double>> cells(angles.size());
    for (std::size_t i = 0; i < angles.size(); ++i) {
        cells[i].first = i == 0 ? angles[i] : (angles[i - 1] + angles[i]) / 2;
        cells[i].second = i + 1 == angles.size() ? angles[i] : (angles[i] + angles[i + 1]) / 2;
    }
    return cells;
}

// Widths in radians of the longitude cells, times factor.
tArrEx Widths(const tArrEx& angles, long double factor)
{
    tArrEx widths;
    for (const auto& [low, high] : Cells(angles))
        widths.push_back((high - low) * factor * kRadiansPerDegree);
    return widths;
}

// Type C plane widths in radians; the planes of a symmetric file stand for their mirror images too.
tArrEx PlaneWidths(const tArrEx& horizontal, PlaneLayout layout)
{
    switch (layout) {
    case PlaneLayout::OnePlane:
        return { 2 * std::numbers::pi_v<long double> };
    case PlaneLayout::Quadrant:
        return Widths(horizontal, 4);
    case PlaneLayout::Bilateral0:
    case PlaneLayout::Bilateral90:
        return Widths(horizontal, 2);
    case PlaneLayout::FullCircle: {
        // The gap from the last plane round to 360 is shared between the last and the first plane.
        tArrEx widths = Widths(horizontal, 1);
        const long double half = (360 - horizontal.back()) / 2 * kRadiansPerDegree;
        widths.front() += half;
        widths.back() += half;
        return widths;
    }
    default:
        return Widths(horizontal, 1);
    }
}

// Sum over the planes of intensity times plane weight, for each vertical angle.
tArrEx ColumnSums(const tIES& ies, const tArrEx& planeWeights, long double multiplier)
{
    tArrEx sums(ies.VertAngles.size(), 0.0L);
    for (std::size_t k = 0; k < ies.Candela.size(); ++k) {
        const long double weight = planeWeights[k] * multiplier;
        const tArrEx& row = ies.Candela[k];
        for (std::size_t i = 0; i < sums.size(); ++i)
            sums[i] += row[i] * weight;
    }
    return sums;
}

void FindMaximum(const tIES& ies, long double multiplier, PhotometricFigures& figures)
{
    bool any = false;
    long double best = 0;
    std::size_t bestK = 0;
    std::size_t bestI = 0;
    for (std::size_t k = 0; k < ies.Candela.size(); ++k)
        for (std::size_t i = 0; i < ies.Candela[k].size(); ++i) {
            const long double value = ies.Candela[k][i] * multiplier;
            if (!std::isnan(value) && (!any || value > best)) {
                any = true;
                best = value;
                bestK = k;
                bestI = i;
            }
        }
    figures.MaxIntensity = any ? Reported(best) : std::nullopt;
    if (figures.MaxIntensity) {
        figures.MaxHorizontal = Reported(ies.HorizAngles[bestK]);
        figures.MaxVertical = Reported(ies.VertAngles[bestI]);
    }
}

// Why the flux of this layout cannot be computed; empty when it can.
std::string LayoutProblem(const tIES& ies, Kind kind)
{
    const tArrEx& v = ies.VertAngles;
    const tArrEx& h = ies.HorizAngles;
    if (v.size() < 2)
        return "fewer than two vertical angles";
    if (!StrictlyAscending(v))
        return "the vertical angles are not in ascending order";
    if (!StrictlyAscending(h))
        return "the horizontal angles are not in ascending order";
    const std::string range = "vertical " + Number(v.front()) + " to " + Number(v.back()) + ", horizontal "
        + Number(h.front()) + " to " + Number(h.back()) + " degrees";
    if (kind == Kind::C) {
        if (!Within(v, 0, 180) || TypeCLayout(h) == PlaneLayout::Other)
            return "an unusual range of angles for type C (" + range + ")";
        return "";
    }
    const bool horizontalOk = (h.front() == -90 || h.front() == 0) && h.back() == 90;
    if (!Within(v, -90, 90) || !horizontalOk)
        return std::string("an unusual range of angles for type ") + (kind == Kind::A ? "A" : "B") + " (" + range + ")";
    return "";
}

// Number of lamps (rounded) times lumens per lamp; 0 when there is no lamp flux (absolute photometry).
long double LampFlux(const tPhotometricHeader& header)
{
    const long double lamps = std::nearbyint(header.NumberOfLamps);
    if (header.LumensPerLamp > 0 && lamps >= 1)
        return lamps * header.LumensPerLamp;
    return 0;
}

struct FluxResult {
    long double flux = 0;
    std::optional<std::array<long double, kZoneCount>> zones;
};

// Cosine falls over 0 to 180 degrees, so the cosine of a clipped bound is the smaller (or larger) of the two
// cosines: each bound's cosine is taken once.
FluxResult TypeCFlux(const tIES& ies, long double multiplier)
{
    const tArrEx sums = ColumnSums(ies, PlaneWidths(ies.HorizAngles, TypeCLayout(ies.HorizAngles)), multiplier);
    std::array<long double, kZoneCount + 1> zoneEdges;
    for (int z = 0; z <= kZoneCount; ++z)
        zoneEdges[z] = std::cos(10.0L * z * kRadiansPerDegree);
    FluxResult result;
    result.zones.emplace();
    result.zones->fill(0);
    const auto cells = Cells(ies.VertAngles);
    long double cosHigh = 0;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const auto [low, high] = cells[i];
        const long double cosLow = i > 0 && low == cells[i - 1].second ? cosHigh : std::cos(low * kRadiansPerDegree);
        cosHigh = std::cos(high * kRadiansPerDegree);
        result.flux += sums[i] * (cosLow - cosHigh);
        const int first = std::max(0, static_cast<int>(low / 10) - 1);
        const int last = std::min(kZoneCount - 1, static_cast<int>(high / 10) + 1);
        for (int z = first; z <= last; ++z)
            if (std::min(high, 10.0L * (z + 1)) > std::max(low, 10.0L * z))
                (*result.zones)[z] += sums[i] * (std::min(cosLow, zoneEdges[z]) - std::max(cosHigh, zoneEdges[z + 1]));
    }
    return result;
}

// Types A and B: latitude cells weigh (sin b - sin a), longitude cells their width; a file whose horizontal
// angles start at 0 stands for its mirror image too.
FluxResult TypeABFlux(const tIES& ies, Kind kind, long double multiplier)
{
    const bool lateral = ies.HorizAngles.front() == 0;
    tArrEx latitudeWeights;
    for (const auto& [low, high] : Cells(kind == Kind::A ? ies.VertAngles : ies.HorizAngles))
        latitudeWeights.push_back(std::sin(high * kRadiansPerDegree) - std::sin(low * kRadiansPerDegree));
    const tArrEx longitudeWeights = Widths(kind == Kind::A ? ies.HorizAngles : ies.VertAngles, 1);
    const tArrEx& planeWeights = kind == Kind::A ? longitudeWeights : latitudeWeights;
    const tArrEx& columnWeights = kind == Kind::A ? latitudeWeights : longitudeWeights;
    const tArrEx sums = ColumnSums(ies, planeWeights, multiplier);
    FluxResult result;
    for (std::size_t i = 0; i < sums.size(); ++i)
        result.flux += sums[i] * columnWeights[i];
    if (lateral)
        result.flux *= 2;
    return result;
}

void FluxFigures(const tIES& ies, Kind kind, const tPhotometricHeader& header, PhotometricFigures& figures)
{
    const long double multiplier = header.CandelaMultiplier;
    const FluxResult result = kind == Kind::C ? TypeCFlux(ies, multiplier) : TypeABFlux(ies, kind, multiplier);
    figures.Flux = Reported(result.flux);
    if (!figures.Flux) {
        figures.Note = kFluxNotFiniteNote;
        return;
    }
    const long double flux = result.flux;
    if (figures.LampFlux)
        figures.LightOutputRatio = Reported(100 * flux / LampFlux(header));
    if (header.InputWatts > 0)
        figures.Efficacy = Reported(flux / header.InputWatts);
    if (!result.zones)
        return;
    std::array<double, kZoneCount> zones {};
    long double downward = 0;
    long double upward = 0;
    for (int z = 0; z < kZoneCount; ++z) {
        const auto zone = Reported((*result.zones)[z]);
        if (!zone)
            return;
        zones[z] = *zone;
        (z < kZoneCount / 2 ? downward : upward) += (*result.zones)[z];
    }
    figures.ZonalFlux = zones;
    if (flux != 0) {
        figures.DownwardPercent = Reported(100 * downward / flux);
        figures.UpwardPercent = Reported(100 * upward / flux);
    }
}

void SpreadFigures(const tIES& ies, Kind kind, long double multiplier, PhotometricFigures& figures)
{
    for (const auto& [angles, fraction] : { std::pair { &figures.Beam, 0.5L }, std::pair { &figures.Field, 0.1L } }) {
        std::optional<long double> first;
        std::optional<long double> second;
        if (kind == Kind::C) {
            const PlaneLayout layout = TypeCLayout(ies.HorizAngles);
            first = TypeCSpread(ies, layout, 0, multiplier, fraction);
            second = TypeCSpread(ies, layout, 90, multiplier, fraction);
        } else {
            first = HorizontalSpread(ies, multiplier, fraction);
            second = VerticalSpread(ies, multiplier, fraction);
        }
        angles->First = first ? Reported(*first) : std::nullopt;
        angles->Second = second ? Reported(*second) : std::nullopt;
    }
}

void UseTypeABKeys(tSectionAngles& angles)
{
    angles.FirstKey = "horizontal";
    angles.SecondKey = "vertical";
    angles.FirstLabel = "horizontal";
    angles.SecondLabel = "vertical";
}

} // namespace

PhotometricFigures ComputeFigures(const tIES& ies, const tPhotometricHeader& header)
{
    PhotometricFigures figures;
    if (!HasValues(ies)) {
        figures.Note = "the table holds no values";
        return figures;
    }
    if (!MatchesAngleLists(ies)) {
        figures.Note = "the table does not match its angle lists";
        return figures;
    }
    const long double multiplier = header.CandelaMultiplier;
    figures.PhotometricType = Reported(std::nearbyint(header.PhotometricType));
    figures.NumberOfLamps = Reported(std::nearbyint(header.NumberOfLamps));
    figures.InputWatts = Reported(header.InputWatts);
    figures.BallastFactor = Reported(header.BallastFactor);
    if (LampFlux(header) > 0)
        figures.LampFlux = Reported(LampFlux(header));
    FindMaximum(ies, multiplier, figures);

    const Kind kind = KindOf(figures.PhotometricType);
    if (kind == Kind::A || kind == Kind::B) {
        UseTypeABKeys(figures.Beam);
        UseTypeABKeys(figures.Field);
    }
    if (kind == Kind::Unknown) {
        figures.Note
            = "photometric type " + Number(header.PhotometricType) + " is unknown (1 is type C, 2 type B, 3 type A)";
        return figures;
    }
    figures.Note = LayoutProblem(ies, kind);
    if (!figures.Note.empty())
        return figures;
    FluxFigures(ies, kind, header, figures);
    SpreadFigures(ies, kind, multiplier, figures);
    return figures;
}
