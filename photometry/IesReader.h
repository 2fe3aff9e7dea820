#pragma once
// The IES (LM-63) file reader: a file's bytes into lines, the lines into the photometric record.

#include "PhotometricHeader.h"
// The header entries (keywords, the six-line display) are declared beside the TILT line search.
#include "IesHeader.h"
#include "tIES.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// Receives the header check's message ("Error!\r\rLine N") while the read goes on.
using HeaderErrorSink = std::function<void(const std::string& message)>;

// The largest candela table a file may declare (vertical times horizontal angles). Real files hold well under a
// million values (361 x 1801 is 650 000); a bigger declaration is refused rather than filled with zeros, which
// for 65535 x 65535 angles would take about 68 GB.
inline constexpr std::uint64_t kMaxCandelaValues = 4000000;

// The largest file the loader reads. The biggest table allowed above is about 50 MB of text; a file of gigabytes
// named like a photometric file would otherwise be read whole into memory and could exhaust it.
inline constexpr std::uint64_t kMaxFileBytes = 512ull * 1024 * 1024;

// The most lines a file may hold up to and including its TILT line. Real headers are a few dozen lines; each line
// kept costs a string object (32 bytes), so a file of tens of millions of short lines before its TILT line would cost
// tens of times its size. A header of up to 2^20 lines costs at most 32 MB; a longer one is refused.
inline constexpr std::size_t kMaxHeaderLines = std::size_t { 1 } << 20;

// The refusal of a file whose TILT line is line tiltLine (1-based), beyond kMaxHeaderLines.
std::string TooManyHeaderLinesMessage(std::size_t tiltLine);

// Loads a file's bytes into lines, one byte per character, split at CR, LF or CR LF; a NUL ends the text.
// A file larger than kMaxFileBytes is refused with a message naming its size.
// Throws std::runtime_error("Cannot open file <path>") when the file cannot be opened for reading.
void LoadFileLines(const std::string& path, TStringList& lines);

// Moves the header lines (up to and including the TILT line) from fileLines into headerLines and fills
// the record from the numbers that follow; fileLines ends holding the numeric text as its only line.
// Tilt data that follow TILT=INCLUDE are taken but not kept. When a header number fails to convert, onHeaderError
// receives "Error!\r\rLine N" once, N being the file's 1-based line of the first failing number (the line
// after the last when the file ended early), and the read goes on.
// Throws std::runtime_error with the text the user sees when the numeric text is empty
// ("List index out of bounds (0)"), when the TILT line lies beyond kMaxHeaderLines, when a count lies outside 0 to
// 65535 or when the declared table exceeds kMaxCandelaValues. The record is then left exactly as it was: nothing is
// loaded.
void ReadIES(TStringList& fileLines, TStringList& headerLines, tIES& ies, const HeaderErrorSink& onHeaderError);
// The same read, also filling header with the thirteen numbers of the photometric block and the tilt data, as read.
// On a throw, header is left as it was too.
void ReadIES(TStringList& fileLines, TStringList& headerLines, tIES& ies, tPhotometricHeader& header,
    const HeaderErrorSink& onHeaderError);

// The same read straight from a file's text (as LoadFileBytes gives it), without a string per line: the header
// lines, the record and the header numbers come out exactly as ReadIES gives them for the lines SplitIntoLines makes
// of text, and numeric receives the numeric text ReadIES leaves as the only line. Throws as ReadIES does.
void ReadIESText(std::string_view text, TStringList& headerLines, std::string& numeric, tIES& ies,
    tPhotometricHeader& header, const HeaderErrorSink& onHeaderError);
// The same read without the numeric text: the numbers are taken from text itself, which spares a copy of the file.
void ReadIESText(std::string_view text, TStringList& headerLines, tIES& ies, tPhotometricHeader& header,
    const HeaderErrorSink& onHeaderError);
