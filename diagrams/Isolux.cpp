// The isolux diagram: horizontal illuminance on a floor h below the luminaire aimed straight down. At floor point
// (x, y), C0 along +x and C90 along +y: C = atan2(y, x), gamma = atan(r / h), E = I(C, gamma) cos^3(gamma) / h^2.
#include "Contours.h"
#include "Diagrams.h"
#include "Intensity.h"
#include "Plot.h"
#include "Source.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace diagrams {

namespace {

    constexpr long double kDegreesPerRadian = 180 / std::numbers::pi_v<long double>;
    constexpr int kPictureGrid = 151; // points per axis of the field the contours are traced on

    double Illuminance(const intensity::TypeC& I, double h, double x, double y)
    {
        const long double r = std::hypot(static_cast<long double>(x), static_cast<long double>(y));
        long double c = std::atan2(static_cast<long double>(y), static_cast<long double>(x)) * kDegreesPerRadian;
        if (c < 0)
            c += 360;
        const long double gamma = std::atan(r / h) * kDegreesPerRadian;
        const long double cosine = h / std::hypot(r, static_cast<long double>(h));
        return static_cast<double>(I(c, gamma) * cosine * cosine * cosine / (static_cast<long double>(h) * h));
    }

    double Extent(const DiagramInput& input) { return input.extent > 0 ? input.extent : 2 * input.height; }

    // The field on points * points points evenly over -extent..extent, x fastest.
    FieldGrid Field(const intensity::TypeC& I, double h, double extent, int points)
    {
        FieldGrid grid { points, points, {} };
        grid.values.resize(static_cast<std::size_t>(points) * points);
        const auto coordinate = [&](int i) { return points > 1 ? -extent + 2 * extent * i / (points - 1) : 0.0; };
        for (int j = 0; j < points; ++j)
            for (int i = 0; i < points; ++i)
                grid.values[static_cast<std::size_t>(j) * points + i] = Illuminance(I, h, coordinate(i), coordinate(j));
        return grid;
    }

    // The largest illuminance anywhere on the floor: at the file's own directions below the horizon.
    double FloorMaximum(const intensity::TypeC& I, double h)
    {
        const intensity::Table& t = I.Data();
        std::vector<long double> cubes; // cos^3 of each vertical angle below the horizon, 0 for the others
        for (long double gamma : t.Vertical()) {
            const long double cosine = std::cos(gamma / kDegreesPerRadian);
            cubes.push_back(gamma >= 0 && gamma < 90 ? cosine * cosine * cosine : 0);
        }
        long double best = 0;
        for (std::size_t k = 0; k < t.Horizontal().size(); ++k)
            for (std::size_t i = 0; i < cubes.size(); ++i)
                if (cubes[i] > 0)
                    if (const long double e = t.Value(k, i) * cubes[i]; std::isfinite(e))
                        best = std::max(best, e);
        return static_cast<double>(best / (static_cast<long double>(h) * h));
    }

    scene::Color LevelColor(std::size_t index, std::size_t count)
    {
        const double t = count > 1 ? static_cast<double>(index) / static_cast<double>(count - 1) : 1;
        const scene::Color low { 40, 90, 200 }, high { 200, 30, 30 };
        const auto mix = [t](uint8_t a, uint8_t b) { return static_cast<uint8_t>(std::lround(a + (b - a) * t)); };
        return { mix(low.r, high.r), mix(low.g, high.g), mix(low.b, high.b), 255 };
    }

} // namespace

std::vector<double> IsoluxLevels(double maximum, int count)
{
    std::vector<double> levels;
    if (!(maximum > 0) || !std::isfinite(maximum) || count < 1)
        return levels;
    const double floor = maximum / 500;
    const int top = static_cast<int>(std::ceil(std::log10(maximum))) + 1;
    for (int power = top; power >= top - 8 && static_cast<int>(levels.size()) < count; --power)
        for (double factor : { 5.0, 2.0, 1.0 }) {
            const double level = factor * std::pow(10.0, power);
            if (level < maximum && level >= floor && static_cast<int>(levels.size()) < count)
                levels.push_back(level);
        }
    std::reverse(levels.begin(), levels.end());
    return levels;
}

ValueTable IsoluxValues(const DiagramInput& input)
{
    ValueTable table;
    table.refusal = NeedsTypeC(input);
    if (!table.refusal.empty())
        return table;
    table.columns = { "x", "y", "lux" };
    const intensity::TypeC I(*input.ies, MultiplierOf(input));
    const double extent = Extent(input);
    const int n = std::max(input.grid, 1);
    const auto coordinate = [&](int i) { return n > 1 ? -extent + 2 * extent * i / (n - 1) : 0.0; };
    table.rows.reserve(static_cast<std::size_t>(n) * n);
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
            const double x = coordinate(i), y = coordinate(j);
            table.rows.push_back({ x, y, Illuminance(I, input.height, x, y) });
        }
    return table;
}

scene::Scene BuildIsolux(const DiagramInput& input, double width, double height)
{
    if (const std::string refusal = NeedsTypeC(input); !refusal.empty())
        return MessageScene(refusal, width, height);
    scene::Scene scene;
    scene.width = LayoutSide(width, 360);
    scene.height = LayoutSide(height, 360);
    const std::string& sep = input.decimalSeparator;
    const intensity::TypeC I(*input.ies, MultiplierOf(input));
    const double h = input.height, extent = Extent(input);
    const FieldGrid field = Field(I, h, extent, kPictureGrid);
    double maximum = FloorMaximum(I, h);
    for (double value : field.values)
        if (std::isfinite(value)) // infinite or undefined values take no part in the levels
            maximum = std::max(maximum, value);

    const Axis axis { NiceStep(2 * extent, 8), "", 0 };
    Axis x = axis, y = axis;
    x.decimals = y.decimals = DecimalsFor(axis.step);
    x.title = "x (m), along C0";
    y.title = "y (m), along C90";
    const double left = 8 + kTextSize * 1.3 + 10 + TickLabelWidth(-extent, extent, y, sep);
    const double top = 40, bottom = kXAxisBand + 2 + 12 + kTextSize * 1.6;
    const double side = std::min(scene.width - left - 18, scene.height - top - bottom);
    Frame frame;
    frame.area = { left + (scene.width - left - 18 - side) / 2, top, side, side };
    frame.x0 = frame.y0 = -extent;
    frame.x1 = frame.y1 = extent;
    std::string title = "Isolux on the floor, mounting height ";
    title.append(Compact(h, sep)).append(" m");
    AddText(scene, scene.width / 2, 12, title, scene::Anchor::Top, kTitleSize, true);
    AddAxes(scene, frame, x, y, sep);
    std::string peak = "Emax ";
    peak.append(Reading(maximum, sep)).append(" lx      E = I cos³γ / h²");
    AddText(scene, scene.width / 2, scene.height - 6, peak, scene::Anchor::Bottom);

    // Grid coordinates to the frame: column i is x, row j is y.
    const double step = 2 * extent / (kPictureGrid - 1);
    const auto toScene = [&](const scene::Point& p) { return frame.Map(-extent + p.x * step, -extent + p.y * step); };
    const std::vector<double> levels = IsoluxLevels(maximum);
    LabelPlacer labels(frame.area);
    const scene::Point centre = frame.Map(0, 0);
    labels.Reserve({ centre.x - 7, centre.y - 7, 14, 14 });
    std::vector<std::pair<std::vector<scene::Point>, std::size_t>> traced;
    for (std::size_t k = 0; k < levels.size(); ++k)
        for (const auto& line : ContourLines(field, levels[k])) {
            scene::Polyline polyline;
            for (const scene::Point& p : line)
                polyline.points.push_back(toScene(p));
            polyline.pen = { LevelColor(k, levels.size()), 1.5 };
            traced.emplace_back(polyline.points, k);
            scene.Add(polyline);
        }
    // The labels after the lines, the longest lines first, so that they lie on top and the main rings get theirs.
    std::stable_sort(traced.begin(), traced.end(),
        [](const auto& a, const auto& b) { return LineLength(a.first) > LineLength(b.first); });
    for (const auto& [line, k] : traced) {
        std::string text = Compact(levels[k], sep);
        text.append(" lx");
        if (LineLength(line) > 2 * scene::EstimateTextWidth(text, kTextSize))
            labels.Place(scene, line, text, LevelColor(k, levels.size()));
    }
    scene::Polyline marker;
    for (int a = 0; a < 16; ++a)
        marker.points.push_back(
            { centre.x + 4 * std::cos(a * std::numbers::pi / 8), centre.y + 4 * std::sin(a * std::numbers::pi / 8) });
    marker.closed = true;
    marker.filled = true;
    marker.fill = kInk;
    marker.pen = { kInk, 1 };
    scene.items.emplace_back(marker);
    return scene;
}

} // namespace diagrams
