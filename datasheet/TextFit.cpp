#include "TextFit.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace datasheet {
namespace {

    constexpr double kFinestStep = 0.25; // points

    double Width(const std::string& text, double size, bool bold) { return scene::EstimateTextWidth(text, size, bold); }

    // The longest start of word (whole UTF-8 sequences, at least one character) that fits width.
    std::size_t FittingPrefix(const std::string& word, double width, double size, bool bold)
    {
        std::size_t cut = 0;
        for (std::size_t i = 1; i <= word.size(); ++i) {
            if (i < word.size() && (static_cast<unsigned char>(word[i]) & 0xC0) == 0x80)
                continue; // inside a sequence
            if (cut > 0 && Width(word.substr(0, i), size, bold) > width)
                break;
            cut = i;
        }
        return cut;
    }

    std::vector<std::string> Words(const std::string& text)
    {
        std::vector<std::string> words;
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t first = text.find_first_not_of(" \t", start);
            if (first == std::string::npos)
                break;
            const std::size_t end = std::min(text.find_first_of(" \t", first), text.size());
            words.push_back(text.substr(first, end - first));
            start = end;
        }
        return words;
    }

    // Shortens line until it and "..." fit width.
    std::string Ellipsized(std::string line, double width, double size, bool bold)
    {
        while (!line.empty() && Width(line + "...", size, bold) > width) {
            line.pop_back();
            while (!line.empty() && (static_cast<unsigned char>(line.back()) & 0xC0) == 0x80)
                line.pop_back();
            if (!line.empty() && (static_cast<unsigned char>(line.back()) & 0xC0) == 0xC0)
                line.pop_back(); // the lead byte of the sequence just cut
        }
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        return line + "...";
    }

} // namespace

std::vector<std::string> WrapText(const std::string& text, double width, double size, bool bold, int maxLines)
{
    std::vector<std::string> lines;
    std::string line;
    bool more = false;
    for (std::string word : Words(text)) {
        while (!word.empty()) {
            const std::string joined = line.empty() ? word : line + " " + word;
            if (Width(joined, size, bold) <= width) {
                line = joined;
                word.clear();
                continue;
            }
            if (line.empty()) { // a word longer than a line: cut it
                const std::size_t cut = FittingPrefix(word, width, size, bold);
                line = word.substr(0, cut);
                word.erase(0, cut);
            }
            lines.push_back(line);
            line.clear();
            if (static_cast<int>(lines.size()) == maxLines) {
                more = true;
                break;
            }
        }
        if (more)
            break;
    }
    if (!line.empty() && !more)
        lines.push_back(line);
    if (more && !lines.empty())
        lines.back() = Ellipsized(lines.back(), width, size, bold);
    return lines;
}

scene::Rect EstimatedBox(const scene::Text& text)
{
    const double width = scene::EstimateTextWidth(text.text, text.size, text.bold);
    const double height = 1.15 * text.size;
    // The box about the anchor point, before the rotation.
    double x = 0, y = 0;
    switch (text.anchor) {
    case scene::Anchor::Top:
    case scene::Anchor::Center:
    case scene::Anchor::Bottom:
        x = -width / 2;
        break;
    case scene::Anchor::TopRight:
    case scene::Anchor::Right:
    case scene::Anchor::BottomRight:
        x = -width;
        break;
    default:
        break;
    }
    switch (text.anchor) {
    case scene::Anchor::Left:
    case scene::Anchor::Center:
    case scene::Anchor::Right:
        y = -height / 2;
        break;
    case scene::Anchor::BottomLeft:
    case scene::Anchor::Bottom:
    case scene::Anchor::BottomRight:
        y = -height;
        break;
    default:
        break;
    }
    // Turned counter-clockwise on the page (y down) about the anchor: the upright box that holds the corners.
    const double a = -text.rotation * std::numbers::pi / 180;
    const double c = std::cos(a), s = std::sin(a);
    double left = 1e300, top = 1e300, right = -1e300, bottom = -1e300;
    for (const auto& [px, py] :
        { std::pair { x, y }, { x + width, y }, { x, y + height }, { x + width, y + height } }) {
        const double rx = text.at.x + px * c - py * s, ry = text.at.y + px * s + py * c;
        left = std::min(left, rx), right = std::max(right, rx);
        top = std::min(top, ry), bottom = std::max(bottom, ry);
    }
    scene::Rect box;
    box.x = left, box.y = top, box.width = right - left, box.height = bottom - top;
    return box;
}

void PlaceScene(scene::Scene& page, const scene::Scene& part, double x, double y, double width, double height, bool top)
{
    if (part.width <= 0 || part.height <= 0 || width <= 0 || height <= 0)
        return;
    const double scale = std::min(width / part.width, height / part.height);
    const double left = x + (width - part.width * scale) / 2;
    const double upper = top ? y : y + (height - part.height * scale) / 2;
    const auto map = [&](scene::Point p) { return scene::Point { left + p.x * scale, upper + p.y * scale }; };
    for (scene::Item item : part.items) {
        if (auto* line = std::get_if<scene::Polyline>(&item)) {
            // Points closer to the last one kept than a printer's dot add nothing but size; the ends stay.
            std::vector<scene::Point> kept;
            kept.reserve(line->points.size());
            for (std::size_t i = 0; i < line->points.size(); ++i) {
                const scene::Point p = map(line->points[i]);
                if (kept.empty() || i + 1 == line->points.size()
                    || std::hypot(p.x - kept.back().x, p.y - kept.back().y) >= kFinestStep)
                    kept.push_back(p);
            }
            line->points = std::move(kept);
            line->pen.width *= scale;
        } else if (auto* rect = std::get_if<scene::Rect>(&item)) {
            const scene::Point corner = map({ rect->x, rect->y });
            rect->x = corner.x, rect->y = corner.y;
            rect->width *= scale, rect->height *= scale;
            rect->pen.width *= scale;
        } else if (auto* text = std::get_if<scene::Text>(&item)) {
            text->at = map(text->at);
            text->size *= scale;
        } else if (auto* raster = std::get_if<scene::Raster>(&item)) {
            const scene::Point corner = map({ raster->x, raster->y });
            raster->x = corner.x, raster->y = corner.y;
            raster->width *= scale, raster->height *= scale;
        }
        page.items.emplace_back(std::move(item));
    }
}

} // namespace datasheet
