#include "SheetPage.h"

#include "Items.h"
#include "PolarDiagram.h"
#include "TextFit.h"
#include "UgrSection.h"

#include <algorithm>

namespace datasheet {
namespace {

    constexpr scene::Color kInk { 30, 30, 30 };
    constexpr scene::Color kCaptionInk { 20, 50, 110 };
    constexpr scene::Color kRuleInk { 150, 150, 150 };
    constexpr double kGap = 12; // between columns and between rows
    constexpr double kTextSize = 9;
    constexpr double kLineHeight = 11.5;
    constexpr double kCaptionSize = 10;
    constexpr double kCaptionHeight = 15;
    constexpr double kTableSize = 8;
    constexpr double kRowHeight = 9.6;
    constexpr double kPadding = 8; // between a table's columns
    // The height the cartesian and cone diagrams are given when the first row can spare it.
    constexpr double kSecondRow = 273;
    // The least scales at which the diagrams' text stays legible (6.6 pt for their 12-unit text).
    constexpr double kLeastDiagramScale = 0.55;
    constexpr double kLeastPolarScale = 0.7;

    class PageWriter {
    public:
        PageWriter(scene::Scene& page)
            : page_(page)
        {
        }

        void Text(double x, double y, const std::string& text, double size,
            scene::Anchor anchor = scene::Anchor::TopLeft, bool bold = false, scene::Color color = kInk)
        {
            page_.items.emplace_back(Label({ x, y }, text, size, anchor, color, bold));
        }

        void Caption(double x, double y, const std::string& text)
        {
            Text(x, y, text, kCaptionSize, {}, true, kCaptionInk);
        }

        void Rule(double x, double y, double width)
        {
            page_.items.emplace_back(Line({ { x, y }, { x + width, y } }, { kRuleInk, 0.5 }));
        }

        // Wrapped lines from y on; returns the y below them.
        double Lines(
            double x, double y, double width, const std::string& text, double size, int maxLines, bool bold = false)
        {
            for (const std::string& line : WrapText(text, width, size, bold, maxLines)) {
                Text(x, y, line, size, scene::Anchor::TopLeft, bold);
                y += size * 1.25;
            }
            return y;
        }

        // "name: value" entries, one after the other, each wrapped on up to maxLines; returns the y below them.
        double Entries(double x, double y, double width, const std::vector<tSummaryEntry>& entries, int maxLines)
        {
            for (const auto& [name, value] : entries)
                y = Lines(x, y, width, name + ": " + value, kTextSize, maxLines) + (kLineHeight - kTextSize * 1.25);
            return y;
        }

    private:
        scene::Scene& page_;
    };

    double EntriesHeight(const std::vector<tSummaryEntry>& entries, double width, int maxLines)
    {
        scene::Scene scratch;
        return PageWriter(scratch).Entries(0, 0, width, entries, maxLines);
    }

    // The title in the largest of a few sizes at which it fits on two lines.
    double Title(PageWriter& out, double x, double y, double width, const std::string& title)
    {
        double size = 16;
        // One line at a slightly smaller size reads better than two; asked for three lines, a title that fits on two
        // gives at most two.
        if (WrapText(title, width, size, true, 2).size() > 1 && WrapText(title, width, 14, true, 2).size() == 1)
            size = 14;
        while (size > 11 && WrapText(title, width, size, true, 3).size() > 2)
            size -= 2.5;
        return out.Lines(x, y, width, title, size, 2, true) + 2;
    }

    // The head: the title across the page, then its entries in two columns when each fits one line of a column,
    // else in one. Returns the y below the rule under it.
    double Head(PageWriter& out, const SheetContent& content, double x, double y, double width)
    {
        y = Title(out, x, y, width, content.Title);
        const double column = (width - kGap) / 2;
        bool narrow = true;
        for (const auto& [name, value] : content.Head)
            narrow = narrow && WrapText(name + ": " + value, column, kTextSize, false, 2).size() <= 1;
        double bottom = y;
        if (narrow) {
            const auto half = static_cast<std::ptrdiff_t>((content.Head.size() + 1) / 2);
            const std::vector<tSummaryEntry> left(content.Head.begin(), content.Head.begin() + half);
            const std::vector<tSummaryEntry> right(content.Head.begin() + half, content.Head.end());
            bottom = std::max(out.Entries(x, y, column, left, 1), out.Entries(x + column + kGap, y, column, right, 1));
        } else {
            bottom = out.Entries(x, y, width, content.Head, 2);
        }
        out.Rule(x, bottom + 2, width);
        return bottom + 2 + kGap;
    }

    struct ZonalColumns {
        double widths[3] = {};
        double BlockWidth() const { return widths[0] + widths[1] + widths[2] + 2 * kPadding; }
    };

    ZonalColumns MeasureZonal(const tTextRows& rows)
    {
        ZonalColumns columns;
        for (std::size_t r = 0; r < rows.size(); ++r)
            for (std::size_t c = 0; c < rows[r].size() && c < 3; ++c)
                columns.widths[c]
                    = std::max(columns.widths[c], scene::EstimateTextWidth(rows[r][c], kTableSize, r == 0));
        return columns;
    }

    // Rows of the zonal table fit into width: in two blocks side by side when they fit, else in one.
    int ZonalBlocks(const tTextRows& rows, double width)
    {
        return rows.size() > 1 && 2 * MeasureZonal(rows).BlockWidth() + kGap <= width ? 2 : 1;
    }

    double ZonalHeight(const tTextRows& rows, double width)
    {
        if (rows.size() <= 1)
            return kCaptionHeight + kLineHeight;
        const int blocks = ZonalBlocks(rows, width);
        const std::size_t perBlock = (rows.size() - 1 + blocks - 1) / blocks;
        return kCaptionHeight + kRowHeight * static_cast<double>(perBlock + 1) + 2;
    }

    void ZonalTable(PageWriter& out, const tTextRows& rows, double x, double y, double width)
    {
        out.Caption(x, y, "Zonal flux (lm, %)");
        y += kCaptionHeight;
        if (rows.size() <= 1) {
            out.Text(x, y, "Zonal flux: not defined", kTextSize);
            return;
        }
        const ZonalColumns columns = MeasureZonal(rows);
        const int blocks = ZonalBlocks(rows, width);
        const std::size_t perBlock = (rows.size() - 1 + blocks - 1) / blocks;
        for (int b = 0; b < blocks; ++b) {
            const double left = x + b * (columns.BlockWidth() + kGap);
            // Zone names left, numbers right aligned under their headings.
            const double rights[3]
                = { 0, left + columns.widths[0] + kPadding + columns.widths[1], left + columns.BlockWidth() };
            for (std::size_t c = 0; c < 3; ++c)
                out.Text(c == 0 ? left : rights[c], y, rows[0][c], kTableSize,
                    c == 0 ? scene::Anchor::TopLeft : scene::Anchor::TopRight, true);
            out.Rule(left, y + kRowHeight, columns.BlockWidth());
            for (std::size_t r = 0; r < perBlock; ++r) {
                const std::size_t row = 1 + b * perBlock + r;
                if (row >= rows.size())
                    break;
                const double top = y + kRowHeight * static_cast<double>(r + 1) + 1;
                for (std::size_t c = 0; c < 3 && c < rows[row].size(); ++c)
                    out.Text(c == 0 ? left : rights[c], top, rows[row][c], kTableSize,
                        c == 0 ? scene::Anchor::TopLeft : scene::Anchor::TopRight);
            }
        }
    }

    // A scene under its caption, scaled to fit the box (x, y, width, height) below the caption.
    void Diagram(scene::Scene& page, const scene::Scene& diagram, const std::string& caption, double x, double y,
        double width, double height)
    {
        PageWriter(page).Caption(x, y, caption);
        PlaceScene(page, diagram, x, y + kCaptionHeight, width, height - kCaptionHeight);
    }

    void Diagram(scene::Scene& page, const DiagramBuilder& build, const std::string& caption, double x, double y,
        double width, double height)
    {
        if (build && height > kCaptionHeight)
            Diagram(page, build(width / kDiagramScale, (height - kCaptionHeight) / kDiagramScale), caption, x, y, width,
                height);
    }

    // The scale a diagram is placed at in a box of width x height under its caption.
    double PlacedScale(const DiagramBuilder& build, double width, double height)
    {
        if (height <= kCaptionHeight)
            return 0;
        const scene::Scene part = build(width / kDiagramScale, (height - kCaptionHeight) / kDiagramScale);
        if (part.width <= 0 || part.height <= 0)
            return kDiagramScale;
        return std::min(width / part.width, (height - kCaptionHeight) / part.height);
    }

    // Whether the cartesian and cone diagrams, side by side in a row of the page's width and of height, keep
    // their text legible.
    bool DiagramsFit(const SheetDiagrams& diagrams, double width, double height)
    {
        const double each = diagrams.Cartesian && diagrams.Cone ? (width - kGap) / 2 : width;
        for (const DiagramBuilder* build : { &diagrams.Cartesian, &diagrams.Cone })
            if (*build && PlacedScale(*build, each, height) < kLeastDiagramScale)
                return false;
        return true;
    }

} // namespace

PaperSize SizeOf(Paper paper) { return paper == Paper::Letter ? PaperSize { 612, 792 } : PaperSize { 595, 842 }; }

scene::Scene BuildPage(const SheetContent& content, const SheetDiagrams& diagrams, Paper paper)
{
    const PaperSize size = SizeOf(paper);
    scene::Scene page;
    page.width = size.Width;
    page.height = size.Height;
    PageWriter out(page);
    const double x = kMargin;
    const double width = size.Width - 2 * kMargin;
    const double column = (width - kGap) / 2;
    const double right = x + column + kGap;

    double y = Head(out, content, x, kMargin, width);

    // Footer: what made the page and what the check found.
    const double footer = size.Height - kMargin;
    out.Rule(x, footer - kTextSize * 1.15 - 4, width);
    out.Text(x, footer, content.MadeWith, 8, scene::Anchor::BottomLeft);
    out.Text(x + width, footer, content.Verdict, 8, scene::Anchor::BottomRight);
    const double bottom = footer - kTextSize * 1.15 - 4 - kGap;

    // With a UGR table: the polar diagram with the figures under it, beside the zonal flux with the table under
    // it, when that leaves the cartesian and cone diagrams room to stay legible. Otherwise the polar diagram
    // with the glare section's line under it (the reason there is no table, or where to find one that does not
    // fit) beside the figures and the zonal flux.
    const double available = bottom - y - kGap; // both rows
    const double zonalHeight = ZonalHeight(content.Zonal, column);
    const double polarHeight = kCaptionHeight + column * datasheet::kPolarAspect;
    tUgrPageText ugr = content.Ugr;
    if (!ugr.rows.empty()) {
        const double figuresHeight = kCaptionHeight + EntriesHeight(content.Figures, column, 3);
        const double rightHeight = zonalHeight + kGap + UgrSectionHeight(ugr, column);
        const double least
            = std::max(rightHeight, kCaptionHeight + kPolarHeight * kLeastPolarScale + kGap + figuresHeight);
        if (DiagramsFit(diagrams, width, available - least)) {
            const double first = std::max(least, std::min(polarHeight + kGap + figuresHeight, available - kSecondRow));
            const double polarBox = first - kGap - figuresHeight;
            Diagram(page, diagrams.Polar, "Polar intensity diagram (" + content.Unit + ")", x, y, column, polarBox);
            out.Caption(x, y + polarBox + kGap, "Photometric figures");
            out.Entries(x, y + polarBox + kGap + kCaptionHeight, column, content.Figures, 3);
            ZonalTable(out, content.Zonal, right, y, column);
            UgrSection(&page, ugr, right, y + zonalHeight + kGap, column);
            y += first + kGap;
        } else {
            ugr = { {}, {}, {}, "the table does not fit on this page; gonilux-cli ugr FILE --corrected gives it" };
        }
    }
    if (ugr.rows.empty()) {
        const double figuresHeight = kCaptionHeight + EntriesHeight(content.Figures, column, 3);
        const double rightHeight = figuresHeight + kGap + zonalHeight;
        const double glareHeight = kGap + UgrSectionHeight(ugr, column);
        const double first = std::max(rightHeight, std::min(polarHeight + glareHeight, 0.55 * (bottom - y)));
        const double polarBox = first - glareHeight;
        Diagram(page, diagrams.Polar, "Polar intensity diagram (" + content.Unit + ")", x, y, column, polarBox);
        UgrSection(&page, ugr, x, y + polarBox + kGap, column);
        out.Caption(right, y, "Photometric figures");
        out.Entries(right, y + kCaptionHeight, column, content.Figures, 3);
        ZonalTable(out, content.Zonal, right, y + figuresHeight + kGap, column);
        y += first + kGap;
    }

    const double second = bottom - y;
    if (diagrams.Cartesian && diagrams.Cone) {
        Diagram(page, diagrams.Cartesian, "Cartesian diagram", x, y, column, second);
        Diagram(page, diagrams.Cone, "Cone diagram", right, y, column, second);
    } else {
        Diagram(page, diagrams.Cartesian, "Cartesian diagram", x, y, width, second);
        Diagram(page, diagrams.Cone, "Cone diagram", x, y, width, second);
    }
    return page;
}

} // namespace datasheet
