// The isocandela map: I over C 0..360 (across) and gamma 0..180 (down) as colours, with contour lines at 10 %
// steps of the maximum.
#include "Contours.h"
#include "Diagrams.h"
#include "Intensity.h"
#include "Plot.h"
#include "Source.h"

#include <algorithm>
#include <cmath>

namespace diagrams {

namespace {

    // I on the nodes C = 0, 1, ..., 360 and gamma = 0, 1, ..., 180 (C across, gamma down).
    FieldGrid Nodes(const intensity::TypeC& I)
    {
        FieldGrid grid { 361, 181, {} };
        grid.values.resize(361 * 181);
        for (int g = 0; g <= 180; ++g)
            for (int c = 0; c <= 360; ++c)
                grid.values[static_cast<std::size_t>(g) * 361 + c] = static_cast<double>(I(c, g));
        return grid;
    }

    // The colour of each degree by degree cell, read at its centre.
    scene::Raster Colours(const intensity::TypeC& I, double maximum)
    {
        scene::Raster raster;
        raster.columns = 360;
        raster.rows = 180;
        raster.pixels.reserve(360 * 180);
        for (int g = 0; g < 180; ++g)
            for (int c = 0; c < 360; ++c)
                raster.pixels.push_back(Ramp(maximum > 0 ? static_cast<double>(I(c + 0.5L, g + 0.5L)) / maximum : 0));
        return raster;
    }

} // namespace

ValueTable IsocandelaValues(const DiagramInput& input)
{
    ValueTable table;
    table.refusal = NeedsTypeC(input);
    if (!table.refusal.empty())
        return table;
    table.columns = { "c", "gamma", "cd" };
    const intensity::TypeC I(*input.ies, MultiplierOf(input));
    for (int c = 0; c < 360; c += 5)
        for (int g = 0; g <= 72; ++g)
            table.rows.push_back({ c, g * 2.5, static_cast<double>(I(c, g * 2.5L)) });
    return table;
}

scene::Scene BuildIsocandela(const DiagramInput& input, double width, double height)
{
    if (const std::string refusal = NeedsTypeC(input); !refusal.empty())
        return MessageScene(refusal, width, height);
    scene::Scene scene;
    scene.width = LayoutSide(width, 420);
    scene.height = LayoutSide(height, 340);
    const std::string& sep = input.decimalSeparator;
    const intensity::TypeC I(*input.ies, MultiplierOf(input));
    const FieldGrid nodes = Nodes(I);
    // The largest finite intensity: a file's infinite or undefined values take no part in the scale.
    double maximum = 0;
    for (double value : nodes.values)
        if (std::isfinite(value))
            maximum = std::max(maximum, value);

    const Axis x { scene.width >= 520 ? 45.0 : 90.0, "C (°)", 0 };
    const Axis y { 30, "gamma (°)", 0 };
    const double left = 8 + kTextSize * 1.3 + 10 + TickLabelWidth(0, 180, y, sep);
    const double top = 40;
    const double bar = 14, barBand = 16 + bar + 6 + kTextSize * 1.4 + 4 + kTextSize * 1.4;
    const double bottom = kXAxisBand + 2 + barBand;
    const double areaWidth = scene.width - left - 22;
    const double areaHeight = std::min(scene.height - top - bottom, areaWidth * 0.75);
    Frame frame;
    frame.area = { left, top, areaWidth, areaHeight };
    frame.x0 = 0, frame.x1 = 360, frame.y0 = 0, frame.y1 = 180;
    frame.yDown = true;
    std::string title = "Isocandela, Imax ";
    title.append(Reading(maximum, sep)).append(" cd");
    AddText(scene, scene.width / 2, 12, title, scene::Anchor::Top, kTitleSize, true);

    scene::Raster raster = Colours(I, maximum);
    raster.x = frame.area.x, raster.y = frame.area.y, raster.width = frame.area.width,
    raster.height = frame.area.height;
    scene.items.emplace_back(std::move(raster));
    AddAxes(scene, frame, x, y, sep);

    // Contours at 10 % to 90 % of the maximum, labelled.
    LabelPlacer labels(frame.area);
    std::vector<std::pair<std::vector<scene::Point>, int>> traced;
    const double sx = frame.area.width / 360, sy = frame.area.height / 180;
    for (int percent = 10; percent <= 90 && maximum > 0; percent += 10)
        for (const auto& line : ContourLines(nodes, maximum * percent / 100)) {
            scene::Polyline polyline;
            for (const scene::Point& p : line)
                polyline.points.push_back({ frame.area.x + p.x * sx, frame.area.y + p.y * sy });
            polyline.pen = { { 40, 40, 40 }, percent == 50 ? 1.6 : 1.0 };
            traced.emplace_back(polyline.points, percent);
            scene.Add(polyline);
        }
    std::stable_sort(traced.begin(), traced.end(),
        [](const auto& a, const auto& b) { return LineLength(a.first) > LineLength(b.first); });
    for (const auto& [line, percent] : traced) {
        const std::string text = std::to_string(percent) + " %";
        if (LineLength(line) > 2 * scene::EstimateTextWidth(text, kTextSize))
            labels.Place(scene, line, text);
    }

    // The colour bar under the map, in cd.
    const double barY = frame.area.y + frame.area.height + kXAxisBand + 2 + 16;
    scene::Raster scale;
    scale.columns = 256, scale.rows = 1;
    for (int k = 0; k < 256; ++k)
        scale.pixels.push_back(Ramp(k / 255.0));
    scale.x = frame.area.x, scale.y = barY, scale.width = frame.area.width, scale.height = bar;
    scene.items.emplace_back(std::move(scale));
    const double step = NiceStep(maximum > 0 ? maximum : 1, std::max(2, static_cast<int>(frame.area.width / 90)));
    for (int tick = 0; maximum > 0 && tick <= 100; ++tick) {
        const double value = tick * step;
        if (value > maximum * (1 + 1e-9))
            break;
        const double at = frame.area.x + frame.area.width * value / maximum;
        AddLine(scene, { at, barY + bar }, { at, barY + bar + 4 }, { kAxisGrey, 1 });
        AddText(scene, at, barY + bar + 6, Fixed(value, DecimalsFor(step), sep), scene::Anchor::Top);
    }
    AddText(scene, frame.area.x + frame.area.width, barY - 3, "cd", scene::Anchor::BottomRight);
    return scene;
}

scene::Scene BuildDiagram(Kind kind, const DiagramInput& input, double width, double height)
{
    switch (kind) {
    case Kind::Cartesian:
        return BuildCartesian(input, width, height);
    case Kind::Isolux:
        return BuildIsolux(input, width, height);
    case Kind::Cone:
        return BuildCone(input, width, height);
    case Kind::Isocandela:
        break;
    }
    return BuildIsocandela(input, width, height);
}

} // namespace diagrams
