#pragma once
// The numeric part of an IES file as one text: the lines after the TILT line joined, with the separators made
// spaces, so that a NumericCursor can take the numbers in turn.

#include "tIES.h"

#include <cstddef>
#include <string>
#include <vector>

// Joins the lines, each followed by two spaces, and turns every CR, LF and comma into a space: the numbers are
// then separated by spaces only (tabs are not separators). lineStarts receives the offset of each line in the text,
// so an offset's line is found by a binary search and its column is the offset less its line's start.
std::string BuildNumericText(const TStringList& lines, std::vector<std::size_t>& lineStarts);
