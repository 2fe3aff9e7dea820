#pragma once
// The parts of the IES check, each adding what it finds to the report.

#include "Report.h"
#include "TextLines.h"
#include "tIES.h"

#include <cstddef>
#include <string>
#include <string_view>

// Quotes a token of the file for a message: UTF-8 as the header is shown, a tab written as \t and other control
// bytes as \xNN, cut after 40 bytes.
std::string Quoted(std::string_view token);

// A real as messages write it (at most 15 significant digits).
std::string RealText(long double value);

// Faults of the file's layout: the identifier line and the keywords its version requires, header lines, long
// lines, the header's encoding, line endings and a NUL byte that cuts the text. bytes is the whole file; lines are
// its lines as the reader splits them; tiltLine is the index of the TILT line (lines.Count() when there is none).
void CheckIesLayout(std::string_view bytes, const tTextLines& lines, std::size_t tiltLine, Report& report);

// Faults of the numbers after the TILT line, read exactly as the reader reads them: the lines from index first on
// (the line after the TILT line, 0 when there is none). When record is given it receives what the reader would
// store, and is left untouched when the reader would refuse the file.
void CheckIesNumbers(const tTextLines& lines, std::size_t first, bool tiltIncluded, Report& report, tIES* record);
