#include "Contours.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_map>

namespace diagrams {

namespace {

    // Edge keys: the horizontal edge from (i, j) to (i + 1, j) is 2 (j columns + i), the vertical edge from (i, j) to
    // (i, j + 1) is that plus 1.
    struct Crossing {
        long long edge;
        scene::Point at;
    };

    struct Segment {
        Crossing a, b;
    };

    double Fraction(double from, double to, double level)
    {
        const double t = (level - from) / (to - from);
        return std::isfinite(t) ? std::clamp(t, 0.0, 1.0) : 0.5;
    }

    void CellSegments(const FieldGrid& g, int i, int j, double level, std::vector<Segment>& out)
    {
        const double v0 = g.At(i, j), v1 = g.At(i + 1, j), v2 = g.At(i + 1, j + 1), v3 = g.At(i, j + 1);
        const int index = (v0 >= level ? 1 : 0) | (v1 >= level ? 2 : 0) | (v2 >= level ? 4 : 0) | (v3 >= level ? 8 : 0);
        if (index == 0 || index == 15)
            return;
        const long long base = 2LL * (static_cast<long long>(j) * g.columns + i);
        // Edges 0 top (v0-v1), 1 right (v1-v2), 2 bottom (v3-v2), 3 left (v0-v3).
        const std::array<Crossing, 4> edges = {
            Crossing { base, { i + Fraction(v0, v1, level), static_cast<double>(j) } },
            Crossing { base + 2 + 1, { static_cast<double>(i + 1), j + Fraction(v1, v2, level) } },
            Crossing { base + 2LL * g.columns, { i + Fraction(v3, v2, level), static_cast<double>(j + 1) } },
            Crossing { base + 1, { static_cast<double>(i), j + Fraction(v0, v3, level) } },
        };
        const auto add = [&](int a, int b) { out.push_back({ edges[a], edges[b] }); };
        const bool centreAbove = (v0 + v1 + v2 + v3) / 4 >= level;
        switch (index) {
        case 1:
        case 14:
            add(3, 0);
            break;
        case 2:
        case 13:
            add(0, 1);
            break;
        case 3:
        case 12:
            add(3, 1);
            break;
        case 4:
        case 11:
            add(1, 2);
            break;
        case 6:
        case 9:
            add(0, 2);
            break;
        case 7:
        case 8:
            add(3, 2);
            break;
        case 5: // v0 and v2 above
            if (centreAbove)
                add(3, 2), add(0, 1);
            else
                add(3, 0), add(1, 2);
            break;
        case 10: // v1 and v3 above
            if (centreAbove)
                add(3, 0), add(1, 2);
            else
                add(0, 1), add(3, 2);
            break;
        default:
            break;
        }
    }

} // namespace

std::vector<std::vector<scene::Point>> ContourLines(const FieldGrid& grid, double level)
{
    std::vector<Segment> segments;
    for (int j = 0; j + 1 < grid.rows; ++j)
        for (int i = 0; i + 1 < grid.columns; ++i)
            CellSegments(grid, i, j, level, segments);
    // Each edge is crossed by at most two segments, one from each cell beside it.
    std::unordered_map<long long, std::array<int, 2>> byEdge;
    byEdge.reserve(segments.size() * 2);
    for (int s = 0; s < static_cast<int>(segments.size()); ++s)
        for (long long edge : { segments[s].a.edge, segments[s].b.edge }) {
            auto [it, fresh] = byEdge.try_emplace(edge, std::array<int, 2> { -1, -1 });
            it->second[it->second[0] < 0 ? 0 : 1] = s;
        }
    std::vector<char> used(segments.size(), 0);
    const auto other = [&](long long edge, int s) {
        const auto& pair = byEdge[edge];
        const int next = pair[0] == s ? pair[1] : pair[0];
        return next >= 0 && !used[next] ? next : -1;
    };
    std::vector<std::vector<scene::Point>> lines;
    for (int start = 0; start < static_cast<int>(segments.size()); ++start) {
        if (used[start])
            continue;
        used[start] = 1;
        std::vector<scene::Point> forward { segments[start].a.at, segments[start].b.at };
        // Walk on from the b end, then back from the a end.
        for (int pass = 0; pass < 2; ++pass) {
            long long edge = pass == 0 ? segments[start].b.edge : segments[start].a.edge;
            std::vector<scene::Point> walked;
            for (int s = other(edge, start); s >= 0; s = other(edge, s)) {
                used[s] = 1;
                const bool fromA = segments[s].a.edge == edge;
                const Crossing& next = fromA ? segments[s].b : segments[s].a;
                walked.push_back(next.at);
                edge = next.edge;
            }
            if (pass == 0)
                forward.insert(forward.end(), walked.begin(), walked.end());
            else
                forward.insert(forward.begin(), walked.rbegin(), walked.rend());
        }
        lines.push_back(std::move(forward));
    }
    return lines;
}

double LineLength(const std::vector<scene::Point>& line)
{
    double length = 0;
    for (std::size_t k = 1; k < line.size(); ++k)
        length += std::hypot(line[k].x - line[k - 1].x, line[k].y - line[k - 1].y);
    return length;
}

bool LabelPlacer::Place(
    scene::Scene& scene, const std::vector<scene::Point>& line, const std::string& text, scene::Color color)
{
    const double length = LineLength(line);
    if (line.size() < 2 || length <= 0)
        return false;
    const double width = scene::EstimateTextWidth(text, kTextSize) + 6;
    const double height = kTextSize * 1.35;
    for (double fraction : { 0.5, 0.25, 0.75, 0.375, 0.625, 0.125, 0.875, 0.0625, 0.9375 }) {
        // The point at this fraction of the line's length.
        double remaining = fraction * length;
        scene::Point at = line.front();
        for (std::size_t k = 1; k < line.size(); ++k) {
            const double step = std::hypot(line[k].x - line[k - 1].x, line[k].y - line[k - 1].y);
            if (remaining <= step && step > 0) {
                const double t = remaining / step;
                at = { line[k - 1].x + (line[k].x - line[k - 1].x) * t,
                    line[k - 1].y + (line[k].y - line[k - 1].y) * t };
                break;
            }
            remaining -= step;
            at = line[k];
        }
        const Box box { at.x - width / 2, at.y - height / 2, width, height };
        if (!box.Inside(area_))
            continue;
        bool free = true;
        for (const Box& taken : taken_)
            free = free && !box.Overlaps(taken);
        if (!free)
            continue;
        taken_.push_back(box);
        scene::Rect back;
        back.x = box.x, back.y = box.y, back.width = box.width, back.height = box.height;
        back.stroked = false;
        back.filled = true;
        back.fill = kWhite;
        scene.Add(back);
        AddText(scene, at.x, at.y, text, scene::Anchor::Center, kTextSize, false, color);
        return true;
    }
    return false;
}

} // namespace diagrams
