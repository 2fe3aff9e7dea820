#pragma once
// Reading the lists and the candela table of an IES numeric block.

#include "NumberText.h"
#include "tIES.h"

#include <cstddef>
#include <vector>

// Takes count numbers into values (resized to count). Failures past the header are not reported.
void FillValues(tArrEx& values, std::size_t count, NumericCursor& cursor);

// Fills rows (count of them, columns values each) from the cursor, one row after another, as FillValues row by row
// would; the cursor is left within or after the table (nothing after the table is read).
void FillTable(std::vector<tArrEx>& rows, std::size_t count, std::size_t columns, NumericCursor& cursor);
