#pragma once
// The texts of the details: the summary as "name: value" entries, the zonal flux and the intensity table as rows of
// cells. Texts are the file's bytes as they stand (no encoding applied); numbers take the caller's decimal separator.

#include "PhotometricFigures.h"
#include "PhotometricHeader.h"
#include "tIES.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using tTextRow = std::vector<std::string>;
using tTextRows = std::vector<tTextRow>;
using tSummaryEntry = std::pair<std::string, std::string>; // name, value

// One entry per header line: a keyword line "[NAME] value" gives NAME and value, the TILT line "TILT" and what
// follows its "=", the identifier line "Format", any other line "Header".
std::vector<tSummaryEntry> HeaderEntries(const TStringList& headerLines);

// The figures with their units, "not defined" where a figure is empty, and "Not computed" with the note when
// there is one. Figures are rounded to six significant digits.
std::vector<tSummaryEntry> FigureEntries(const PhotometricFigures& figures, std::string_view decimalSeparator);

// "name: value" lines, each ending in a line feed.
std::string SummaryText(const std::vector<tSummaryEntry>& entries);

// The header row ("Zone", "Flux (lm)", "Share (%)") and one row per zone ("0-10" ... "170-180"); only the header
// row when the figures have no zonal flux. The share is empty while the total flux is not defined or zero.
tTextRows ZonalRows(const PhotometricFigures& figures, std::string_view decimalSeparator);

// The corner cell of the intensity table: planes (horizontal angles) down, vertical angles across.
inline constexpr const char* kIntensityCorner = "H \\ V";

// The header row (the corner, then the vertical angles) and one row per plane (its horizontal angle, then its
// values as read, without the candela multiplier).
tTextRows IntensityRows(const tIES& ies, std::string_view decimalSeparator);

// A cell of the intensity values: plane (row) and vertical-angle index (column), both from 0.
struct tCell {
    std::size_t Row = 0;
    std::size_t Column = 0;
};

// The values of the selected cells: the rectangle from the first to the last selected row and column, cells not
// selected left empty, no header row or column. Cells outside the table are ignored; empty when none is left.
tTextRows SelectedIntensityRows(const tIES& ies, const std::vector<tCell>& cells, std::string_view decimalSeparator);

// Rows as text: cells separated by tabs, each row ending in a line feed.
std::string TabSeparated(const tTextRows& rows);
