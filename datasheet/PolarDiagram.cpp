#include "PolarDiagram.h"

#include "Items.h"
#include "NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace datasheet {
namespace {

    constexpr double kCentreX = kPolarWidth / 2;
    constexpr double kCentreY = 138;
    constexpr double kRadius = 118;
    constexpr double kLabelSize = 10;
    constexpr double kTitleSize = 11;
    constexpr double kFinest = 0.3; // a curve point this close to the one before it is not drawn
    constexpr scene::Color kGrid { 170, 170, 170 };
    constexpr scene::Color kText { 40, 40, 40 };
    constexpr scene::Color kCurves[] = { { 20, 60, 170 }, { 200, 40, 30 } };

    // Scene point at a signed angle from the downward axis (positive to the right) and a radius.
    scene::Point At(double degrees, double radius)
    {
        const double a = degrees * std::numbers::pi / 180;
        return { kCentreX + radius * std::sin(a), kCentreY + radius * std::cos(a) };
    }

    void AddGrid(scene::Scene& out, const RingScale& rings)
    {
        const scene::Pen ring { kGrid, 0.6, scene::Dash::Solid };
        for (int k = 1; k <= rings.Count; ++k) {
            scene::Polyline circle = Line({}, ring, true);
            const double radius = kRadius * k / rings.Count;
            for (int d = 0; d < 360; d += 3)
                circle.points.push_back(At(d, radius));
            out.items.emplace_back(circle);
        }
        for (int d = 0; d < 180; d += 30)
            out.items.emplace_back(Line({ At(d, kRadius), At(d + 180, kRadius) }, { kGrid, 0.6, scene::Dash::Dotted }));
    }

    // Angle labels outside the circle: 0 at the bottom, 180 at the top, 90 on both sides (just above the axis, which
    // carries the ring labels below it).
    void AddAngleLabels(scene::Scene& out)
    {
        for (int d = 0; d <= 180; d += 30) {
            const std::string text = std::to_string(d) + "\xC2\xB0";
            for (const int side : { 1, -1 }) {
                if (side < 0 && (d == 0 || d == 180))
                    continue;
                scene::Point p = At(side * d, kRadius + 4);
                scene::Anchor anchor = side > 0 ? scene::Anchor::Left : scene::Anchor::Right;
                if (d == 0)
                    anchor = scene::Anchor::Top;
                else if (d == 180)
                    anchor = scene::Anchor::Bottom;
                else if (d == 90) {
                    anchor = side > 0 ? scene::Anchor::BottomLeft : scene::Anchor::BottomRight;
                    p.y -= 1;
                } else if (d < 90)
                    anchor = side > 0 ? scene::Anchor::TopLeft : scene::Anchor::TopRight;
                else
                    anchor = side > 0 ? scene::Anchor::BottomLeft : scene::Anchor::BottomRight;
                out.items.emplace_back(Label(p, text, kLabelSize, anchor, kText));
            }
        }
    }

    // Ring values just below the right half of the horizontal axis, each ending at its ring; where they would not fit
    // side by side only every second one (always with the outermost) is written.
    void AddRingLabels(scene::Scene& out, const RingScale& rings, std::string_view separator)
    {
        const double spacing = kRadius / rings.Count;
        std::vector<std::string> labels;
        double widest = 0;
        for (int k = 1; k <= rings.Count; ++k) {
            labels.push_back(FormatGeneral(static_cast<long double>(rings.Step) * k, separator));
            widest = std::max(widest, scene::EstimateTextWidth(labels.back(), kLabelSize) + 4);
        }
        const int every = widest <= spacing ? 1 : widest <= 2 * spacing ? 2 : rings.Count;
        for (int k = rings.Count; k >= 1; k -= every) {
            const double x = kCentreX + spacing * k - 2;
            const std::string& label = labels[static_cast<std::size_t>(k - 1)];
            const double width = scene::EstimateTextWidth(label, kLabelSize);
            out.items.emplace_back(Patch(x - width, kCentreY + 1.5, width, 1.15 * kLabelSize, { 255, 255, 255, 220 }));
            out.items.emplace_back(Label({ x, kCentreY + 1.5 }, label, kLabelSize, scene::Anchor::TopRight, kText));
        }
    }

    void AddCurve(scene::Scene& out, const Section& section, const RingScale& rings, const scene::Color& color)
    {
        scene::Polyline curve = Line({}, { color, 1.4, section.Dashed ? scene::Dash::Dashed : scene::Dash::Solid });
        curve.points.reserve(section.Points.size());
        for (std::size_t i = 0; i < section.Points.size(); ++i) {
            const tProfilePoint& point = section.Points[i];
            if (!std::isfinite(static_cast<double>(point.Value)))
                continue; // a value beyond the reals has no place on the diagram
            const double value = std::clamp(static_cast<double>(point.Value), 0.0, rings.Outer());
            const scene::Point at = At(static_cast<double>(point.Angle), kRadius * value / rings.Outer());
            // A fine table gives points far closer than a printer's dot: those are left out, the last one kept.
            if (!curve.points.empty() && i + 1 < section.Points.size()
                && std::hypot(at.x - curve.points.back().x, at.y - curve.points.back().y) < kFinest)
                continue;
            curve.points.push_back(at);
        }
        out.items.emplace_back(std::move(curve));
    }

    void AddLegend(scene::Scene& out, const std::vector<Section>& sections)
    {
        const double y = kPolarHeight - 8;
        double x = 20;
        for (std::size_t i = 0; i < sections.size() && i < 2; ++i) {
            const scene::Pen pen { kCurves[i], 1.4, sections[i].Dashed ? scene::Dash::Dashed : scene::Dash::Solid };
            out.items.emplace_back(Line({ { x, y }, { x + 26, y } }, pen));
            out.items.emplace_back(Label({ x + 31, y }, sections[i].Label, kTitleSize, scene::Anchor::Left, kText));
            x = kPolarWidth / 2 + 10;
        }
    }

} // namespace

RingScale ChooseRings(double largest)
{
    if (!(largest > 0) || !std::isfinite(largest))
        return {};
    const double rough = largest / 4;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = 10 * power;
    for (const double factor : { 1.0, 2.0, 2.5, 5.0 })
        if (factor * power >= rough) {
            step = factor * power;
            break;
        }
    const int count = std::max(1, static_cast<int>(std::ceil(largest / step - 1e-9)));
    return { step, count };
}

scene::Scene BuildPolarDiagram(
    const std::vector<Section>& sections, const std::string& unit, std::string_view decimalSeparator)
{
    scene::Scene out;
    out.width = kPolarWidth;
    out.height = kPolarHeight;
    double largest = 0;
    for (const Section& section : sections)
        for (const tProfilePoint& point : section.Points)
            if (std::isfinite(static_cast<double>(point.Value)))
                largest = std::max(largest, static_cast<double>(point.Value));
    const RingScale rings = ChooseRings(largest);
    AddGrid(out, rings);
    for (std::size_t i = 0; i < sections.size() && i < 2; ++i)
        AddCurve(out, sections[i], rings, kCurves[i]);
    AddRingLabels(out, rings, decimalSeparator);
    AddAngleLabels(out);
    out.items.emplace_back(Label({ 4, 2 }, unit, kTitleSize, scene::Anchor::TopLeft, kText, true));
    AddLegend(out, sections);
    return out;
}

} // namespace datasheet
