#include "Plot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace diagrams {

scene::Color SeriesColor(int index)
{
    static constexpr scene::Color colors[] = { { 31, 100, 180 }, { 205, 40, 40 }, { 30, 140, 60 }, { 130, 70, 170 } };
    return colors[static_cast<unsigned>(index) % 4];
}

std::string Fixed(double value, int decimals, const std::string& decimalSeparator)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", std::clamp(decimals, 0, 12), value);
    std::string number = text;
    if (number == "-0" || number.find_first_not_of("-0.") == std::string::npos)
        number.erase(0, number[0] == '-' ? 1 : 0); // no minus on a value that shows as zero
    if (const auto point = number.find('.'); point != std::string::npos && decimalSeparator != ".")
        number.replace(point, 1, decimalSeparator);
    return number;
}

std::string Reading(double value, const std::string& decimalSeparator)
{
    if (!std::isfinite(value))
        return "-";
    if (value == 0)
        return "0";
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    return Fixed(value, std::max(0, 2 - magnitude), decimalSeparator);
}

std::string Compact(double value, const std::string& decimalSeparator)
{
    std::string text = Reading(value, decimalSeparator);
    const auto point = text.find(decimalSeparator);
    if (point == std::string::npos
        || text.find_first_not_of("-0123456789", point + decimalSeparator.size()) != std::string::npos)
        return text;
    while (text.back() == '0')
        text.pop_back();
    if (text.size() >= decimalSeparator.size()
        && text.compare(text.size() - decimalSeparator.size(), decimalSeparator.size(), decimalSeparator) == 0)
        text.erase(text.size() - decimalSeparator.size());
    return text;
}

double NiceStep(double range, int maxTicks)
{
    if (!(range > 0) || !std::isfinite(range) || maxTicks < 1)
        return 1;
    const double raw = range / maxTicks;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double factor : { 1.0, 2.0, 5.0, 10.0 })
        if (factor * power >= raw * (1 - 1e-12))
            return factor * power;
    return 10 * power;
}

int DecimalsFor(double step)
{
    if (!(step > 0) || step >= 1)
        return 0;
    return std::clamp(static_cast<int>(std::ceil(-std::log10(step) - 1e-9)), 0, 12);
}

bool Box::Overlaps(const Box& o) const
{
    return x < o.x + o.width && o.x < x + width && y < o.y + o.height && o.y < y + height;
}

bool Box::Inside(const Box& o) const
{
    return x >= o.x && y >= o.y && x + width <= o.x + o.width && y + height <= o.y + o.height;
}

scene::Point Frame::Map(double x, double y) const
{
    const double fx = (x - x0) / (x1 - x0);
    const double fy = (y - y0) / (y1 - y0);
    return { area.x + fx * area.width, yDown ? area.y + fy * area.height : area.y + (1 - fy) * area.height };
}

void AddText(scene::Scene& scene, double x, double y, const std::string& text, scene::Anchor anchor, double size,
    bool bold, scene::Color color)
{
    scene::Text item;
    item.at = { x, y };
    item.text = text;
    item.size = size;
    item.anchor = anchor;
    item.bold = bold;
    item.color = color;
    scene.Add(item);
}

void AddLine(scene::Scene& scene, scene::Point a, scene::Point b, scene::Pen pen)
{
    scene::Polyline line;
    line.points = { a, b };
    line.pen = pen;
    scene.Add(line);
}

namespace {

    // The ticks from..to at multiples of step, with a little slack for rounding.
    template <typename Visit> void Ticks(double from, double to, double step, Visit visit)
    {
        const double low = std::min(from, to), high = std::max(from, to);
        const double first = std::ceil(low / step - 1e-9) * step;
        for (int i = 0; i < 1000; ++i) {
            const double value = first + i * step;
            if (value > high + step * 1e-9)
                break;
            visit(std::fabs(value) < step * 1e-9 ? 0.0 : value);
        }
    }

} // namespace

double TickLabelWidth(double from, double to, const Axis& axis, const std::string& decimalSeparator)
{
    double width = 0;
    Ticks(from, to, axis.step, [&](double value) {
        width = std::max(width, scene::EstimateTextWidth(Fixed(value, axis.decimals, decimalSeparator), kTextSize));
    });
    return width;
}

void AddAxes(scene::Scene& scene, const Frame& frame, const Axis& x, const Axis& y, const std::string& decimalSeparator)
{
    const scene::Pen grid { kGridGrey, 1 };
    const Box& a = frame.area;
    Ticks(frame.x0, frame.x1, x.step, [&](double value) {
        const double at = frame.Map(value, frame.y0).x;
        AddLine(scene, { at, a.y }, { at, a.y + a.height }, grid);
        AddLine(scene, { at, a.y + a.height }, { at, a.y + a.height + 4 }, { kAxisGrey, 1 });
        AddText(scene, at, a.y + a.height + 8, Fixed(value, x.decimals, decimalSeparator), scene::Anchor::Top);
    });
    double widest = 0;
    Ticks(frame.y0, frame.y1, y.step, [&](double value) {
        const double at = frame.Map(frame.x0, value).y;
        AddLine(scene, { a.x, at }, { a.x + a.width, at }, grid);
        AddLine(scene, { a.x - 4, at }, { a.x, at }, { kAxisGrey, 1 });
        const std::string label = Fixed(value, y.decimals, decimalSeparator);
        widest = std::max(widest, scene::EstimateTextWidth(label, kTextSize));
        AddText(scene, a.x - 6, at, label, scene::Anchor::Right);
    });
    scene::Rect border;
    border.x = a.x, border.y = a.y, border.width = a.width, border.height = a.height;
    border.pen = { kAxisGrey, 1 };
    scene.Add(border);
    AddText(scene, a.x + a.width / 2, a.y + a.height + 10 + kTextSize * 1.3, x.title, scene::Anchor::Top);
    scene::Text title;
    title.at = { a.x - 10 - widest - kTextSize * 0.2, a.y + a.height / 2 };
    title.text = y.title;
    title.size = kTextSize;
    title.anchor = scene::Anchor::Bottom;
    title.color = kInk;
    title.rotation = 90;
    scene.Add(title);
}

scene::Scene MessageScene(const std::string& text, double width, double height)
{
    scene::Scene scene;
    scene.width = LayoutSide(width, scene::EstimateTextWidth(text, kTitleSize) + 20);
    scene.height = LayoutSide(height, 40);
    AddText(scene, scene.width / 2, scene.height / 2, text, scene::Anchor::Center, kTitleSize, false, kInk);
    return scene;
}

scene::Color Ramp(double t)
{
    static constexpr scene::Color stops[] = { { 238, 243, 252 }, { 140, 190, 235 }, { 120, 200, 140 }, { 250, 220, 80 },
        { 240, 130, 50 }, { 200, 40, 40 } };
    constexpr int last = static_cast<int>(std::size(stops)) - 1;
    t = std::isfinite(t) ? std::clamp(t, 0.0, 1.0) * last : 0;
    const int i = std::min(static_cast<int>(t), last - 1);
    const double f = t - i;
    const auto mix = [f](uint8_t a, uint8_t b) { return static_cast<uint8_t>(std::lround(a + (b - a) * f)); };
    return { mix(stops[i].r, stops[i + 1].r), mix(stops[i].g, stops[i + 1].g), mix(stops[i].b, stops[i + 1].b), 255 };
}

} // namespace diagrams
