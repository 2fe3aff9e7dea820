#include "UgrText.h"

#include <algorithm>
#include <cstdio>

namespace {

std::string WithSeparator(std::string text, std::string_view decimalSeparator)
{
    const std::size_t point = text.find('.');
    if (point != std::string::npos)
        text.replace(point, 1, decimalSeparator);
    return text;
}

std::string Rating(const std::optional<double>& rating, std::string_view decimalSeparator)
{
    if (!rating)
        return {};
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", RoundedRating(*rating));
    return WithSeparator(text, decimalSeparator);
}

// A flux as people read it: whole lumens, or one decimal below 100 lm.
std::string Flux(double flux, std::string_view decimalSeparator)
{
    char text[32];
    std::snprintf(text, sizeof text, flux < 100 ? "%.1f" : "%.0f", flux);
    return WithSeparator(text, decimalSeparator);
}

std::string Spacing(double spacing, std::string_view decimalSeparator)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", spacing);
    return WithSeparator(text, decimalSeparator);
}

std::string Multiple(int units) { return std::to_string(units) + "H"; }

} // namespace

std::string UgrCaption(const tUgrTable& table, std::string_view decimalSeparator)
{
    const std::string spacing = ", spacing to height ratio " + Spacing(table.spacing, decimalSeparator);
    const char* whose = table.absolute ? " luminaire flux" : " lamp flux";
    if (!table.corrected)
        return "UGR uncorrected (1000 lm" + std::string(whose) + " per luminaire)" + spacing;
    char correction[32];
    std::snprintf(correction, sizeof correction, "%+.1f", static_cast<double>(FluxCorrection(table.fluxLm)));
    return "UGR corrected for " + Flux(table.fluxLm, decimalSeparator) + " lm" + whose + " ("
        + WithSeparator(correction, decimalSeparator) + ")" + spacing;
}

std::string UgrConditionsLine()
{
    return "Luminaires 2 m above the eye (H), eye 1.2 m above the floor, looking along Y from the middle of a wall;\n"
           "rooms X x Y in units of H; reflectances ceiling/walls/floor in percent.";
}

std::vector<tUgrTextRow> UgrTableRows(const tUgrTable& table, std::string_view decimalSeparator)
{
    std::vector<tUgrTextRow> rows;
    const char* surfaces[] = { "Ceiling", "Walls", "Floor" };
    for (int surface = 0; surface < 3; ++surface) {
        tUgrTextRow row { surfaces[surface], "" };
        for (int half = 0; half < 2; ++half)
            for (const ugr::Reflectances& set : ugr::kReflectanceSets)
                row.push_back(std::to_string(surface == 0 ? set.ceiling : surface == 1 ? set.walls : set.floor));
        rows.push_back(row);
    }
    tUgrTextRow labels(kUgrColumns);
    labels[0] = "X";
    labels[1] = "Y";
    labels[2] = "Viewed crosswise";
    labels[2 + ugr::kReflectances] = "Viewed endwise";
    rows.push_back(labels);
    for (const tUgrRow& room : table.rows) {
        tUgrTextRow row { Multiple(room.x), Multiple(room.y) };
        for (const auto& rating : room.crosswise)
            row.push_back(Rating(rating, decimalSeparator));
        for (const auto& rating : room.endwise)
            row.push_back(Rating(rating, decimalSeparator));
        rows.push_back(row);
    }
    return rows;
}

std::string UgrTableText(const tUgrTable& table)
{
    const std::vector<tUgrTextRow> rows = UgrTableRows(table, ".");
    std::string text = UgrCaption(table, ".") + "\n";
    char cell[64];
    const auto values = [&](const tUgrTextRow& row, bool dashes) {
        for (int column = 2; column < kUgrColumns; ++column) {
            const std::string& value = row[column];
            std::snprintf(cell, sizeof cell, column == 2 + ugr::kReflectances ? "%8s" : "%6s",
                value.empty() && dashes ? "-" : value.c_str());
            text += cell;
        }
        text += "\n";
    };
    for (int r = 0; r < 3; ++r) {
        std::snprintf(cell, sizeof cell, "%-10s", rows[r][0].c_str());
        text += cell;
        values(rows[r], false);
    }
    text += "Room size     Viewed crosswise                  Viewed endwise\n";
    text += "   X     Y\n";
    int previousX = 0;
    for (std::size_t r = kUgrHeadingRows; r < rows.size(); ++r) {
        const tUgrRow& room = table.rows[r - kUgrHeadingRows];
        std::snprintf(cell, sizeof cell, "%4s  %4s", room.x == previousX ? "" : rows[r][0].c_str(), rows[r][1].c_str());
        previousX = room.x;
        text += cell;
        values(rows[r], true);
    }
    return text + UgrConditionsLine() + "\n";
}

tUgrPageText UgrPageText(
    const tIES& ies, const tPhotometricHeader& header, const tUgrOptions& options, std::string_view decimalSeparator)
{
    tUgrPageText page;
    const tUgrResult result = ComputeUgrTable(ies, header, options);
    if (!result.table) {
        page.reason = result.reason;
        return page;
    }
    page.caption = UgrCaption(*result.table, decimalSeparator);
    page.rows = UgrTableRows(*result.table, decimalSeparator);
    page.conditions = UgrConditionsLine();
    return page;
}
