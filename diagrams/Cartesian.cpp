// The cartesian intensity curve: I against the signed vertical angle, +gamma on a plane and -gamma on the opposite
// one, for the two main sections and the viewer's plane.
#include "Diagrams.h"
#include "Intensity.h"
#include "Plot.h"
#include "Source.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <tuple>

namespace diagrams {

namespace {

    struct Curve {
        std::string label;
        std::vector<scene::Point> points; // x the signed angle in degrees, y the intensity
        std::optional<double> beam, field;
    };

    std::string Degrees(long double angle)
    {
        char text[32];
        std::snprintf(text, sizeof text, "%.6Lg", angle);
        return text;
    }

    long double PlaneAngle(const DiagramInput& input)
    {
        const tArrEx& h = input.ies->HorizAngles;
        if (h.empty())
            return 0;
        return h[static_cast<std::size_t>(std::clamp(input.plane, 0, static_cast<int>(h.size()) - 1))];
    }

    // The signed angles: each of the angles and, when mirrored (or for type C), its negative; 0 once.
    std::vector<long double> Signed(const tArrEx& angles, bool mirrored, long double low, long double high)
    {
        std::vector<long double> out;
        for (long double a : angles) {
            if (a < low || a > high)
                continue;
            out.push_back(a);
            if (mirrored && a != 0)
                out.push_back(-a);
        }
        std::sort(out.begin(), out.end());
        out.erase(std::unique(out.begin(), out.end()), out.end());
        return out;
    }

    // cd to cd/klm when asked for and the file has a lamp flux; 1 otherwise.
    long double Scale(const DiagramInput& input, const PhotometricFigures& figures)
    {
        return input.perKlm && figures.LampFlux && *figures.LampFlux > 0 ? 1000.0L / *figures.LampFlux : 1.0L;
    }

    template <typename Read> Curve Sample(std::string label, const std::vector<long double>& xs, Read read)
    {
        Curve curve { std::move(label), {}, {}, {} };
        for (long double x : xs)
            curve.points.push_back({ static_cast<double>(x), static_cast<double>(read(x)) });
        return curve;
    }

    struct Curves {
        std::vector<long double> rows; // the signed vertical angles the values table has
        std::vector<Curve> curves; // first section, second section, plane
        bool typeC = true;
        long double scale = 1; // applied to the file's candela values (with the multiplier)
    };

    Curves Compute(const DiagramInput& input)
    {
        Curves out;
        const PhotometricFigures figures = FiguresOf(input);
        out.scale = Scale(input, figures);
        const long double multiplier = MultiplierOf(input) * out.scale;
        const long double cp = PlaneAngle(input);
        if (TypeOf(input) == Photometry::C) {
            const intensity::TypeC I(*input.ies, multiplier);
            out.rows = Signed(I.Data().Vertical(), true, 0, 180);
            const auto section
                = [&](long double c) { return [&I, c](long double x) { return x < 0 ? I(c + 180, -x) : I(c, x); }; };
            out.curves.push_back(Sample("C0-C180", out.rows, section(0)));
            out.curves.push_back(Sample("C90-C270", out.rows, section(90)));
            const long double opposite = std::fmod(cp + 180, 360.0L);
            out.curves.push_back(
                Sample("C" + Degrees(cp) + "-C" + Degrees(opposite) + " (plane shown)", out.rows, section(cp)));
        } else {
            out.typeC = false;
            const intensity::TypeAB I(*input.ies, multiplier);
            const tArrEx& h = I.Data().Horizontal();
            const tArrEx& v = I.Data().Vertical();
            out.rows = Signed(v, !v.empty() && v.front() == 0, -180, 180);
            const std::vector<long double> across = Signed(h, !h.empty() && h.front() == 0, -180, 180);
            out.curves.push_back(Sample("Horizontal", across, [&I](long double x) { return I(x, 0); }));
            out.curves.push_back(Sample("Vertical", out.rows, [&I](long double x) { return I(0, x); }));
            out.curves.push_back(
                Sample("Plane H " + Degrees(cp) + " (shown)", out.rows, [&I, cp](long double x) { return I(cp, x); }));
        }
        out.curves[0].beam = figures.Beam.First, out.curves[0].field = figures.Field.First;
        out.curves[1].beam = figures.Beam.Second, out.curves[1].field = figures.Field.Second;
        return out;
    }

    // The signed angles where a spread of width w about the curve's peak direction (nadir, or the zenith for a
    // curve whose maximum lies beyond 90 degrees) ends.
    std::vector<double> SpreadEnds(const Curve& curve, double width, bool typeC)
    {
        const auto peak = std::max_element(curve.points.begin(), curve.points.end(),
            [](const scene::Point& a, const scene::Point& b) { return a.y < b.y; });
        const bool upward = typeC && peak != curve.points.end() && std::fabs(peak->x) > 90;
        const double half = width / 2;
        if (upward)
            return { -(180 - half), 180 - half };
        return { -half, half };
    }

    void AddCurve(scene::Scene& scene, const Frame& frame, const Curve& curve, scene::Pen pen)
    {
        // The curve is broken where a value is not a finite number.
        scene::Polyline line;
        line.pen = pen;
        const auto flush = [&] {
            if (line.points.size() > 1)
                scene.Add(line);
            line.points.clear();
        };
        for (const scene::Point& p : curve.points) {
            if (p.x < frame.x0 || p.x > frame.x1)
                continue;
            if (!std::isfinite(p.y) || std::fabs(p.y) > 1e3 * std::max(frame.y1, 1.0))
                flush();
            else
                line.points.push_back(frame.Map(p.x, p.y));
        }
        flush();
    }

} // namespace

ValueTable CartesianValues(const DiagramInput& input)
{
    ValueTable table;
    table.refusal = NeedsFile(input);
    if (!table.refusal.empty())
        return table;
    const Curves curves = Compute(input);
    table.columns = curves.typeC ? std::vector<std::string> { "gamma", "c0_180", "c90_270", "plane" }
                                 : std::vector<std::string> { "gamma", "horizontal", "vertical", "plane" };
    // The horizontal section of types A and B is drawn along its own angles: its column reads it at each row's angle.
    std::optional<intensity::TypeAB> ab;
    if (!curves.typeC)
        ab.emplace(*input.ies, MultiplierOf(input) * curves.scale);
    for (std::size_t r = 0; r < curves.rows.size(); ++r) {
        const long double x = curves.rows[r];
        std::vector<std::optional<double>> row { static_cast<double>(x) };
        for (std::size_t c = 0; c < curves.curves.size(); ++c)
            row.push_back(ab && c == 0 ? static_cast<double>((*ab)(x, 0)) : curves.curves[c].points[r].y);
        table.rows.push_back(std::move(row));
    }
    return table;
}

scene::Scene BuildCartesian(const CartesianInput& input, double width, double height)
{
    if (const std::string refusal = NeedsFile(input); !refusal.empty())
        return MessageScene(refusal, width, height);
    const Curves curves = Compute(input);
    scene::Scene scene;
    scene.width = LayoutSide(width, 380);
    scene.height = LayoutSide(height, 320);

    double maximum = 0;
    for (const Curve& curve : curves.curves)
        for (const scene::Point& p : curve.points)
            if (std::isfinite(p.y)) // infinite or undefined values take no part in the scale
                maximum = std::max(maximum, p.y);
    // Ticks every 30 degrees (15 for types A and B) where the labels have room, else twice as far apart.
    const bool roomy = scene.width >= 540;
    const Axis x { (curves.typeC ? 30.0 : 15.0) * (roomy ? 1 : 2),
        curves.typeC ? "Vertical angle gamma (°)" : "Angle (°)", 0 };
    const double yStep = NiceStep(maximum > 0 ? maximum : 1, 6);
    const double yTop = maximum > 0 ? std::ceil(maximum / yStep - 1e-9) * yStep : 1;
    const bool perKlm = curves.scale != 1;
    const Axis y { yStep, perKlm ? "Intensity (cd/klm)" : "Intensity (cd)", DecimalsFor(yStep) };

    std::vector<int> shown;
    for (int c = 0; c < 3; ++c)
        if (input.sections & (1 << c))
            shown.push_back(c);
    const double legendRow = kTextSize * 1.5;
    const double bottom = kXAxisBand + 2 + 10 + legendRow * static_cast<double>(shown.size());
    const double left = 8 + kTextSize * 1.3 + 10 + TickLabelWidth(0, yTop, y, input.decimalSeparator);
    const double top = 40;
    Frame frame;
    frame.area = { left, top, scene.width - left - 18, scene.height - top - bottom };
    frame.x0 = curves.typeC ? -180 : -90;
    frame.x1 = -frame.x0;
    frame.y0 = 0;
    frame.y1 = yTop;
    AddText(scene, scene.width / 2, 12, "Intensity distribution (cartesian)", scene::Anchor::Top, kTitleSize, true);
    AddAxes(scene, frame, x, y, input.decimalSeparator);

    const scene::Dash dashes[] = { scene::Dash::Solid, scene::Dash::Solid, scene::Dash::Dashed };
    double legendY = frame.area.y + frame.area.height + bottom - legendRow * static_cast<double>(shown.size());
    for (int c : shown) {
        const Curve& curve = curves.curves[static_cast<std::size_t>(c)];
        const scene::Color color = SeriesColor(c);
        AddCurve(scene, frame, curve, { color, 2, dashes[c] });
        std::string legend = curve.label;
        for (const auto& [spread, name, dash] : { std::tuple { curve.beam, "beam", scene::Dash::Dashed },
                 std::tuple { curve.field, "field", scene::Dash::Dotted } }) {
            if (!spread)
                continue;
            legend += std::string("   ") + name + " " + Fixed(*spread, 1, input.decimalSeparator) + "°";
            for (double end : SpreadEnds(curve, *spread, curves.typeC))
                if (end >= frame.x0 && end <= frame.x1)
                    AddLine(scene, frame.Map(end, 0), frame.Map(end, yTop), { color, 1, dash });
        }
        const double lineX = frame.area.x;
        AddLine(scene, { lineX, legendY + legendRow / 2 }, { lineX + 26, legendY + legendRow / 2 },
            { color, 2, dashes[c] });
        AddText(scene, lineX + 32, legendY + legendRow / 2, legend, scene::Anchor::Left);
        legendY += legendRow;
    }
    return scene;
}

} // namespace diagrams
