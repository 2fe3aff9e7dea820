#include "UgrSection.h"

#include "Items.h"
#include "TextFit.h"

#include <algorithm>

namespace datasheet {
namespace {

    constexpr scene::Color kInk { 30, 30, 30 };
    constexpr scene::Color kCaptionInk { 20, 50, 110 };
    constexpr scene::Color kRuleInk { 150, 150, 150 };
    constexpr double kCaptionSize = 10;
    constexpr double kCaptionHeight = 15;
    constexpr double kNoteSize = 7;

    // Columns measured at a text size: the room labels (or the surfaces' names) and the ratings' columns.
    struct UgrColumns {
        double size = 0;
        double padding = 0; // before each rating column
        double label = 0; // X and Y, or "Ceiling"
        double rating = 0;
        double halfGap = 0; // between the crosswise and endwise halves
        double Width() const { return label + 2 * ugr::kReflectances * (padding + rating) + halfGap; }
        // The right edge of rating column c (0 to 9) from the table's left.
        double Right(int c) const
        {
            return label + (c + 1) * (padding + rating) + (c >= ugr::kReflectances ? halfGap : 0);
        }
    };

    UgrColumns Measure(const std::vector<tUgrTextRow>& rows, double size)
    {
        UgrColumns columns;
        columns.size = size;
        columns.padding = size * 0.6;
        columns.halfGap = size;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            if (static_cast<int>(r) == kUgrHeadingRows - 1)
                continue; // the view labels span their half
            const tUgrTextRow& row = rows[r];
            const double label = r < kUgrHeadingRows - 1 ? scene::EstimateTextWidth(row[0], size, false)
                                                         : scene::EstimateTextWidth(row[0], size, false)
                    + columns.padding + scene::EstimateTextWidth(row[1], size, false);
            columns.label = std::max(columns.label, label);
            for (int c = 2; c < kUgrColumns && c < static_cast<int>(row.size()); ++c)
                columns.rating = std::max(columns.rating, scene::EstimateTextWidth(row[c], size, false));
        }
        // The view labels must fit their halves.
        for (const int c : { 2, 2 + ugr::kReflectances })
            columns.rating = std::max(columns.rating,
                scene::EstimateTextWidth(rows[kUgrHeadingRows - 1][c], size, false) / ugr::kReflectances
                    - columns.padding);
        return columns;
    }

    class Writer {
    public:
        explicit Writer(scene::Scene* page)
            : page_(page)
        {
        }
        void Text(double x, double y, const std::string& text, double size, scene::Anchor anchor = {},
            bool bold = false, scene::Color color = kInk)
        {
            if (page_ && !text.empty())
                page_->items.emplace_back(Label({ x, y }, text, size, anchor, color, bold));
        }
        void Rule(double x, double y, double width)
        {
            if (page_)
                page_->items.emplace_back(Line({ { x, y }, { x + width, y } }, { kRuleInk, 0.5 }));
        }
        // Each line of the text wrapped on up to maxLines; returns the y below them.
        double Lines(double x, double y, double width, const std::string& text, double size, int maxLines)
        {
            std::size_t start = 0;
            while (start <= text.size()) {
                const std::size_t end = std::min(text.find('\n', start), text.size());
                for (const std::string& line :
                    WrapText(text.substr(start, end - start), width, size, false, maxLines)) {
                    Text(x, y, line, size);
                    y += size * 1.25;
                }
                start = end + 1;
            }
            return y;
        }

    private:
        scene::Scene* page_;
    };

    double Table(Writer& out, const std::vector<tUgrTextRow>& rows, const UgrColumns& columns, double x, double y)
    {
        const double size = columns.size;
        const double rowHeight = size * 1.2;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const tUgrTextRow& row = rows[r];
            const bool heading = static_cast<int>(r) < kUgrHeadingRows;
            if (static_cast<int>(r) == kUgrHeadingRows - 1) {
                out.Text(x, y, row[0], size, {}, true);
                out.Text(x + columns.label, y, row[1], size, scene::Anchor::TopRight, true);
                for (const int c : { 0, ugr::kReflectances })
                    out.Text(x + columns.Right(c) - columns.rating, y, row[2 + c], size, {}, true);
                out.Rule(x, y + rowHeight, columns.Width());
                y += rowHeight + 1;
                continue;
            }
            if (heading) {
                out.Text(x, y, row[0], size);
            } else {
                // X left and Y right in the label column; X only where it changes.
                if (r == kUgrHeadingRows || rows[r - 1][0] != row[0])
                    out.Text(x, y, row[0], size);
                out.Text(x + columns.label, y, row[1], size, scene::Anchor::TopRight);
            }
            for (int c = 0; c < 2 * ugr::kReflectances; ++c)
                out.Text(x + columns.Right(c), y, row[2 + c].empty() && !heading ? "-" : row[2 + c], size,
                    scene::Anchor::TopRight);
            y += rowHeight;
        }
        return y;
    }

} // namespace

double UgrSection(scene::Scene* page, const tUgrPageText& ugr, double x, double y, double width)
{
    Writer out(page);
    out.Text(x, y, "Glare (UGR)", kCaptionSize, {}, true, kCaptionInk);
    y += kCaptionHeight;
    if (ugr.rows.empty())
        return out.Lines(x, y, width, "No UGR table: " + ugr.reason, kNoteSize, 3);
    y = out.Lines(x, y, width, ugr.caption, kNoteSize, 2) + 1;
    UgrColumns columns = Measure(ugr.rows, 7);
    if (columns.Width() > width)
        columns = Measure(ugr.rows, 6.5);
    y = Table(out, ugr.rows, columns, x, y) + 2;
    return out.Lines(x, y, width, ugr.conditions, kNoteSize - 0.5, 3);
}

} // namespace datasheet
