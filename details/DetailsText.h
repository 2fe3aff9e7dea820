#pragma once
// The texts of the details: the summary as "name: value" entries, the zonal flux and the intensity table as rows of
// cells. Texts are the file's bytes as they stand (no encoding applied); numbers carry their units, are rounded for
// reading (ReadableNumber.h) and take the caller's separators.

#include "PhotometricFigures.h"
#include "PhotometricHeader.h"
#include "ReadableNumber.h"
#include "tIES.h"

#include <cstddef>
#include <optional>
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
// there is one. Flux, intensity, power and efficacy take four significant digits, percentages and angles one
// decimal.
std::vector<tSummaryEntry> FigureEntries(const PhotometricFigures& figures, const tNumberStyle& style);

// "name: value" lines, each ending in a line feed.
std::string SummaryText(const std::vector<tSummaryEntry>& entries);

// The header row ("Zone (degrees)", "Flux (lm)", "Share (%)") and one row per zone ("0-10" ... "170-180"); only
// the header row when the figures have no zonal flux. The share is empty while the total flux is not defined or
// zero. Flux to four significant digits, share to one decimal; table cells are not grouped by thousands.
tTextRows ZonalRows(const PhotometricFigures& figures, const tNumberStyle& style);

// The unit of the intensity table: the table's values times Factor are intensities in Name.
struct tIntensityUnit {
    std::string Name = "cd";
    long double Factor = 1;
};

// Candela: the values times the candela multiplier.
tIntensityUnit CandelaUnit(const tPhotometricHeader& header);
// Candela per 1000 lamp lumens (cd x 1000 / lamp flux); empty without a lamp flux (absolute photometry).
std::optional<tIntensityUnit> PerKilolumenUnit(const tPhotometricHeader& header, const PhotometricFigures& figures);

// The corner cell of the intensity table: planes (horizontal angles) down, vertical angles across, and the unit.
std::string IntensityCorner(const tIntensityUnit& unit);

// The header row (the corner, then the vertical angles as read) and one row per plane (its horizontal angle, then
// its intensities in the unit, to four significant digits, not grouped by thousands).
tTextRows IntensityRows(const tIES& ies, const tNumberStyle& style, const tIntensityUnit& unit = {});
// One intensity as the table shows it.
std::string IntensityText(long double value, const tNumberStyle& style, const tIntensityUnit& unit);

// A cell of the intensity values: plane (row) and vertical-angle index (column), both from 0.
struct tCell {
    std::size_t Row = 0;
    std::size_t Column = 0;
};

// The values of the selected cells: the rectangle from the first to the last selected row and column, cells not
// selected left empty, no header row or column. Cells outside the table are ignored; empty when none is left.
tTextRows SelectedIntensityRows(
    const tIES& ies, const std::vector<tCell>& cells, const tNumberStyle& style, const tIntensityUnit& unit = {});

// Rows as text: cells separated by tabs, each row ending in a line feed.
std::string TabSeparated(const tTextRows& rows);
