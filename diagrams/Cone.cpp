// The cone diagram: the illuminance under the luminaire E0 = I(0, 0) / h^2 and the beam's diameter
// D = 2 h tan(beam / 2) for each main section, at five mounting heights, drawn as a cone beside a table.
#include "Diagrams.h"
#include "Intensity.h"
#include "Plot.h"
#include "Source.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace diagrams {

namespace {

    constexpr double kRadiansPerDegree = std::numbers::pi / 180;

    // The beam's diameter at height h, empty without a beam angle or for one of 180 degrees or more.
    std::optional<double> Diameter(double h, const std::optional<double>& beam)
    {
        if (!beam || !(*beam > 0) || *beam >= 180)
            return std::nullopt;
        const double d = 2 * h * std::tan(*beam / 2 * kRadiansPerDegree);
        return std::isfinite(d) ? std::optional(d) : std::nullopt;
    }

    struct ConeRow {
        double height, lux;
        std::optional<double> first, second;
    };

    std::vector<ConeRow> Rows(const DiagramInput& input, const PhotometricFigures& figures)
    {
        const intensity::TypeC I(*input.ies, MultiplierOf(input));
        const double nadir = static_cast<double>(I(0, 0));
        std::vector<ConeRow> rows;
        for (double h : ConeHeights(input))
            rows.push_back({ h, nadir / (h * h), Diameter(h, figures.Beam.First), Diameter(h, figures.Beam.Second) });
        return rows;
    }

    std::string Metres(const std::optional<double>& value, const std::string& separator)
    {
        return value ? Fixed(*value, *value < 10 ? 2 : 1, separator) + " m" : "-";
    }

    void AddTable(scene::Scene& scene, const std::vector<ConeRow>& rows, double top, const std::string& separator)
    {
        const char* heads[] = { "Height", "E0", "Ø C0-C180", "Ø C90-C270" };
        const double rowHeight = kTextSize * 1.6;
        const double columnWidth = (scene.width - 40) / 4;
        const auto cellX = [&](int column) { return 20 + columnWidth * (column + 1) - 8; };
        for (int c = 0; c < 4; ++c)
            AddText(scene, cellX(c), top + rowHeight / 2, heads[c], scene::Anchor::Right, kTextSize, true);
        AddLine(scene, { 20, top + rowHeight }, { scene.width - 20, top + rowHeight }, { kAxisGrey, 1 });
        double y = top + rowHeight;
        for (const ConeRow& row : rows) {
            const std::string cells[] = { Fixed(row.height, row.height < 10 ? 2 : 1, separator) + " m",
                Reading(row.lux, separator) + " lx", Metres(row.first, separator), Metres(row.second, separator) };
            for (int c = 0; c < 4; ++c)
                AddText(scene, cellX(c), y + rowHeight / 2, cells[c], scene::Anchor::Right);
            y += rowHeight;
        }
    }

} // namespace

std::vector<double> ConeHeights(const DiagramInput& input)
{
    std::vector<double> heights;
    for (int k = 0; k < 5; ++k)
        heights.push_back(input.coneFrom + (input.coneTo - input.coneFrom) * k / 4);
    return heights;
}

ValueTable ConeValues(const DiagramInput& input)
{
    ValueTable table;
    table.refusal = NeedsTypeC(input);
    if (!table.refusal.empty())
        return table;
    table.columns = { "height", "lux", "diameter_c0_180", "diameter_c90_270" };
    for (const ConeRow& row : Rows(input, FiguresOf(input)))
        table.rows.push_back({ row.height, row.lux, row.first, row.second });
    return table;
}

scene::Scene BuildCone(const ConeInput& input, double width, double height)
{
    if (const std::string refusal = NeedsTypeC(input); !refusal.empty())
        return MessageScene(refusal, width, height);
    const PhotometricFigures figures = FiguresOf(input);
    const std::vector<ConeRow> rows = Rows(input, figures);
    scene::Scene scene;
    scene.width = LayoutSide(width, 440);
    scene.height = LayoutSide(height, 380);
    const std::string& sep = input.decimalSeparator;

    // The cone is drawn with the C0-C180 beam angle, or the C90-C270 one when that is all there is.
    const bool first = figures.Beam.First.has_value();
    const std::optional<double> beam = first ? figures.Beam.First : figures.Beam.Second;
    std::string title = "Cone diagram";
    if (beam)
        title += ", beam " + Fixed(*beam, 1, sep) + "° (" + (first ? "C0-C180" : "C90-C270") + ")";
    AddText(scene, scene.width / 2, 12, title, scene::Anchor::Top, kTitleSize, true);

    const double rowHeight = kTextSize * 1.6;
    const double lowestTableTop = scene.height - 16 - rowHeight * 6;

    // Heights down the left, the readings on the right, the cone between them to scale.
    double rightWidth = 0;
    std::vector<std::string> readings;
    for (const ConeRow& row : rows) {
        const std::optional<double> d = first ? row.first : row.second;
        readings.push_back("E0 " + Reading(row.lux, sep) + " lx, D " + Metres(d, sep));
        rightWidth = std::max(rightWidth, scene::EstimateTextWidth(readings.back(), kTextSize));
    }
    const double leftWidth = scene::EstimateTextWidth("h 100.00 m", kTextSize) + 24;
    const double apexY = 64, bottomY = lowestTableTop - 24;
    const double middleLeft = leftWidth, middleRight = scene.width - rightWidth - 24;
    double hMax = 0;
    for (const ConeRow& row : rows)
        hMax = std::max(hMax, row.height);
    // Heights to the full depth available and to scale while the rows' labels keep apart; heights far from the
    // luminaire and close together (say 10 to 11 m) are spread evenly down the depth instead. Across to the same
    // scale as the heights when the cone fits, else narrower. Either way the picture says what is not to scale.
    const double depth = bottomY - apexY;
    const double scaleY = depth / hMax;
    double closest = depth;
    for (std::size_t k = 0; k < rows.size(); ++k)
        closest = std::min(closest, std::fabs(rows[k].height - (k == 0 ? 0 : rows[k - 1].height)) * scaleY);
    const bool heightsToScale = std::isfinite(scaleY) && closest >= kTextSize * 1.5;
    const auto rowY = [&](std::size_t k) {
        return apexY + (heightsToScale ? rows[k].height * scaleY : depth * static_cast<double>(k + 1) / rows.size());
    };
    double scaleX = std::isfinite(scaleY) ? scaleY : 0;
    const std::optional<double> dMax = Diameter(hMax, beam);
    if (dMax && *dMax * scaleX > middleRight - middleLeft)
        scaleX = (middleRight - middleLeft) / *dMax;
    const double cx = (middleLeft + middleRight) / 2;
    AddTable(scene, rows, lowestTableTop, sep);
    const char* note = !heightsToScale ? "not to scale" : scaleX < scaleY ? "widths not to scale" : nullptr;
    if (note)
        AddText(scene, scene.width / 2, 12 + kTitleSize * 1.4, note, scene::Anchor::Top, kTextSize, false, kAxisGrey);
    const scene::Color color = SeriesColor(0);
    if (dMax) {
        // Through the apex and both ends of every row's diameter: a straight-sided cone when the heights are to
        // scale.
        scene::Polyline cone;
        for (std::size_t k = rows.size(); k-- > 0;)
            cone.points.push_back({ cx - *Diameter(rows[k].height, beam) / 2 * scaleX, rowY(k) });
        cone.points.push_back({ cx, apexY });
        for (std::size_t k = 0; k < rows.size(); ++k)
            cone.points.push_back({ cx + *Diameter(rows[k].height, beam) / 2 * scaleX, rowY(k) });
        cone.closed = true;
        cone.filled = true;
        cone.fill = { 31, 100, 180, 40 };
        cone.pen = { color, 1.5 };
        scene.Add(cone);
    }
    AddLine(scene, { cx, apexY }, { cx, bottomY }, { kAxisGrey, 1, scene::Dash::Dotted });
    scene::Rect luminaire;
    luminaire.x = cx - 14, luminaire.y = apexY - 6, luminaire.width = 28, luminaire.height = 6;
    luminaire.filled = true;
    luminaire.fill = kInk;
    luminaire.pen = { kInk, 1 };
    scene.items.emplace_back(luminaire);
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const double y = rowY(k);
        AddLine(scene, { middleLeft - 6, y }, { middleRight + 6, y }, { kGridGrey, 1, scene::Dash::Dashed });
        if (const std::optional<double> d = Diameter(rows[k].height, beam))
            AddLine(scene, { cx - *d / 2 * scaleX, y }, { cx + *d / 2 * scaleX, y }, { color, 2 });
        std::string label = "h ";
        label.append(Compact(rows[k].height, sep)).append(" m");
        AddText(scene, middleLeft - 10, y, label, scene::Anchor::Right);
        AddText(scene, middleRight + 10, y, readings[k], scene::Anchor::Left);
    }
    return scene;
}

} // namespace diagrams
