#pragma once
// Writing an IES LM-63-2002 file from what a reader gave: the header lines, the record and the header numbers.

#include "PhotometricHeader.h"
#include "tIES.h"

#include <functional>
#include <string>
#include <string_view>

// The longest line the format allows.
inline constexpr std::size_t kIesLongestLine = 256;

// The header lines of the written file, the identifier line first and the TILT line last:
// - "IESNA:LM-63-2002", replacing the source's identifier line when it has one (an LM-63-1986 file has none);
// - the source's keyword lines (those that, blanks aside, start with "[") unchanged and in their order, other lines
//   as "[OTHER] <line>", a line longer than kIesLongestLine continued on "[MORE] " lines;
// - "[TEST]" and "[MANUFAC]" with empty entries when the source has no such line;
// - the source's TILT line as it stands, or TILT=NONE when it has none.
TStringList IesHeaderLines(const TStringList& sourceHeaderLines);

// The whole file, CR LF ended lines: the header lines above, the tilt data when the TILT line announces them, the
// thirteen header numbers on two lines, then the vertical angles, the horizontal angles and one plane of candela
// values after another, each list starting on a new line. Every number is the shortest text that reads back to
// the same extended real; candela values are written as stored, the multiplier beside them.
std::string IesFileText(const TStringList& sourceHeaderLines, const tIES& ies, const tPhotometricHeader& header);

// Takes one piece of a file's text.
using IesPieceSink = std::function<void(std::string_view)>;

// The same text handed to piece in order: the text before the table, then the table in chunks of a few hundred
// kilobytes, for writing a large file as it is put together (a large table is put together on two threads).
void IesFilePieces(
    const TStringList& sourceHeaderLines, const tIES& ies, const tPhotometricHeader& header, const IesPieceSink& piece);
