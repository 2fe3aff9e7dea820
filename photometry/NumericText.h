#pragma once
// The numeric part of an IES file as one text: the lines after the TILT line joined, with the separators made
// spaces, so that a NumericCursor can take the numbers in turn.

#include "TextLines.h"
#include "tIES.h"

#include <cstddef>
#include <string>
#include <vector>

// Joins the lines, each followed by two spaces, and turns every CR, LF and comma into a space: the numbers are
// then separated by spaces only (tabs are not separators). lineStarts receives the offset of each line in the text,
// so an offset's line is found by a binary search and its column is the offset less its line's start.
std::string BuildNumericText(const TStringList& lines, std::vector<std::size_t>& lineStarts);

// The same text built from the lines first to the last of a line store, without the line starts (a file of
// millions of empty lines would need more for them than for the text). NumericLineOf finds an offset's line.
std::string BuildNumericText(const tTextLines& lines, std::size_t first);

// The 0-based index, counted from first, of the line on which offset (below the text's size) of the text
// BuildNumericText(lines, first) stands.
std::size_t NumericLineOf(const tTextLines& lines, std::size_t first, std::size_t offset);
