#pragma once
// The UGR table as text: a caption, rows of cells (for a table on screen, on a page or copied as tab-separated
// text) and the aligned plain-text layout catalogues use.

#include "UgrTable.h"

#include <string>
#include <string_view>
#include <vector>

using tUgrTextRow = std::vector<std::string>;

// Rows of the cells above the ratings: ceiling, walls and floor reflectances, then the room size and view labels.
inline constexpr int kUgrHeadingRows = 4;
// Columns: X and Y, then five ratings crosswise and five endwise.
inline constexpr int kUgrColumns = 2 + 2 * ugr::kReflectances;

// What the table is for: uncorrected (1000 lm) or corrected for the named flux, and the spacing to height ratio.
std::string UgrCaption(const tUgrTable& table, std::string_view decimalSeparator);

// The conditions of every table, two lines (a line feed between them, none at the end): mounting height, eye height,
// where the observer looks from and how rooms and reflectances are given.
std::string UgrConditionsLine();

// kUgrHeadingRows heading rows, then one row per room: "2H", "3H", then the ratings to one decimal (halves away
// from zero) with the given decimal separator, empty where the rating is not defined. Every row has kUgrColumns
// cells.
std::vector<tUgrTextRow> UgrTableRows(const tUgrTable& table, std::string_view decimalSeparator);

// The caption, the rows aligned in columns (X only on the first row of each group, "-" for a rating not defined,
// a gap between the crosswise and endwise halves) and the conditions; each line ends in a line feed.
std::string UgrTableText(const tUgrTable& table);

// Everything a page needs to show a file's table: the caption, the rows and the conditions, or the reason there is
// no table (then caption and rows are empty).
struct tUgrPageText {
    std::string caption;
    std::vector<tUgrTextRow> rows; // as UgrTableRows gives them
    std::string conditions;
    std::string reason;
};

tUgrPageText UgrPageText(
    const tIES& ies, const tPhotometricHeader& header, const tUgrOptions& options, std::string_view decimalSeparator);
