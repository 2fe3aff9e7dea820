#pragma once
// The Guth position index: how much less glaring a source is the further it stands from the line of sight, as the
// glare rating tabulates it (T/R 0 to 3 and H/R 0 to 1.9 in steps of 0.1; some cells are not defined).

#include <optional>

// The position index of a source at T across and H above the line of sight, R along it, bilinear between the four
// tabulated cells around (T/R, H/R). Empty outside the table or when a cell with a share in the result is not
// defined (a point on a row or column of the grid uses only the cells on it).
std::optional<long double> PositionIndex(long double tOverR, long double hOverR);
