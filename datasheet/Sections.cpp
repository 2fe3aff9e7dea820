#include "Sections.h"

#include <algorithm>
#include <optional>

namespace datasheet {
namespace {

    // The row of plane k, cut to the vertical angles the record has (a damaged record may hold short rows).
    std::size_t RowLength(const tIES& ies, std::size_t k)
    {
        return std::min(ies.Candela[k].size(), ies.VertAngles.size());
    }

    void SortByAngle(tProfile& points)
    {
        std::stable_sort(points.begin(), points.end(),
            [](const tProfilePoint& p, const tProfilePoint& q) { return p.Angle < q.Angle; });
    }

    std::optional<Section> TypeCSection(const tIES& ies, PlaneLayout layout, long double right, long double scale)
    {
        const auto a = TypeCPlane(ies, layout, right);
        const auto b = TypeCPlane(ies, layout, right + 180);
        if (!a || !b || (a->empty() && b->empty()))
            return std::nullopt;
        Section section;
        section.Label
            = "C" + std::to_string(static_cast<int>(right)) + "-C" + std::to_string(static_cast<int>(right + 180));
        for (std::size_t i = 0; i < a->size(); ++i)
            section.Points.push_back({ ies.VertAngles[i], (*a)[i] * scale });
        for (std::size_t i = 0; i < b->size(); ++i)
            if (ies.VertAngles[i] != 0)
                section.Points.push_back({ -ies.VertAngles[i], (*b)[i] * scale });
        SortByAngle(section.Points);
        return section;
    }

    std::optional<std::size_t> IndexOf(const tArrEx& angles, std::size_t count, long double angle)
    {
        for (std::size_t i = 0; i < std::min(count, angles.size()); ++i)
            if (angles[i] == angle)
                return i;
        return std::nullopt;
    }

    // Along the horizontal angles at vertical angle 0, mirrored when the horizontal angles start at 0.
    std::optional<Section> HorizontalSection(const tIES& ies, long double scale)
    {
        const auto row = IndexOf(ies.VertAngles, ies.VertAngles.size(), 0);
        if (!row)
            return std::nullopt;
        Section section { "Horizontal", false, {} };
        const bool mirrored = !ies.HorizAngles.empty() && ies.HorizAngles.front() == 0;
        for (std::size_t k = 0; k < std::min(ies.HorizAngles.size(), ies.Candela.size()); ++k) {
            if (*row >= ies.Candela[k].size())
                continue;
            const long double value = ies.Candela[k][*row] * scale;
            section.Points.push_back({ ies.HorizAngles[k], value });
            if (mirrored && ies.HorizAngles[k] != 0)
                section.Points.push_back({ -ies.HorizAngles[k], value });
        }
        SortByAngle(section.Points);
        return section.Points.empty() ? std::nullopt : std::optional(section);
    }

    // Along the vertical angles at horizontal angle 0, mirrored when the vertical angles start at 0.
    std::optional<Section> VerticalSection(const tIES& ies, long double scale)
    {
        const auto column = IndexOf(ies.HorizAngles, ies.Candela.size(), 0);
        if (!column)
            return std::nullopt;
        Section section { "Vertical", true, {} };
        const bool mirrored = !ies.VertAngles.empty() && ies.VertAngles.front() == 0;
        for (std::size_t i = 0; i < RowLength(ies, *column); ++i) {
            const long double value = ies.Candela[*column][i] * scale;
            section.Points.push_back({ ies.VertAngles[i], value });
            if (mirrored && ies.VertAngles[i] != 0)
                section.Points.push_back({ -ies.VertAngles[i], value });
        }
        SortByAngle(section.Points);
        return section.Points.empty() ? std::nullopt : std::optional(section);
    }

} // namespace

std::vector<Section> PolarSections(const tIES& ies, int photometricType, long double scale)
{
    std::vector<Section> sections;
    if (IsEmpty(ies))
        return sections;
    std::optional<Section> first, second;
    if (photometricType == 2 || photometricType == 3) {
        first = HorizontalSection(ies, scale);
        second = VerticalSection(ies, scale);
    } else {
        const PlaneLayout layout = TypeCLayout(ies.HorizAngles);
        first = TypeCSection(ies, layout, 0, scale);
        second = TypeCSection(ies, layout, 90, scale);
        if (second)
            second->Dashed = true;
    }
    for (auto& section : { first, second })
        if (section && !section->Points.empty())
            sections.push_back(*section);
    return sections;
}

std::optional<tIES> MainPlanes(const tIES& ies)
{
    const PlaneLayout layout = TypeCLayout(ies.HorizAngles);
    std::vector<long double> wanted;
    switch (layout) {
    case PlaneLayout::Quadrant:
        wanted = { 0, 90 };
        break;
    case PlaneLayout::Bilateral0:
        wanted = { 0, 90, 180 };
        break;
    case PlaneLayout::Bilateral90:
        wanted = { 90, 180, 270 };
        break;
    case PlaneLayout::Full360:
        wanted = { 0, 90, 180, 270, 360 };
        break;
    case PlaneLayout::FullCircle:
        wanted = { 0, 90, 180, 270 };
        break;
    default:
        return std::nullopt; // one plane is small already; planes that cover no symmetry are kept whole
    }
    tIES main; // the table aside, the record's own fields
    main.LumensPerLamp = ies.LumensPerLamp;
    main.CandelaMultiplier = ies.CandelaMultiplier;
    main.UnitsType = ies.UnitsType;
    main.NumVertAngles = ies.NumVertAngles;
    main.VertAngles = ies.VertAngles;
    for (const long double c : wanted) {
        std::optional<tArrEx> plane = TypeCPlane(ies, layout, c);
        if (!plane || plane->size() != ies.VertAngles.size())
            return std::nullopt;
        main.HorizAngles.push_back(c);
        main.Candela.push_back(std::move(*plane));
    }
    main.NumHorizAngles = static_cast<uint16_t>(main.HorizAngles.size());
    return main;
}

} // namespace datasheet
