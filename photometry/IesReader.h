#pragma once
// The IES (LM-63) file reader: a file's bytes into lines, the lines into the photometric record.

#include "tIES.h"

#include <functional>
#include <string>

// Receives the header check's message ("Error!\r\rLine N") while the read goes on.
using HeaderErrorSink = std::function<void(const std::string& message)>;

// Loads a file's bytes into lines, one byte per character, split at CR, LF or CR LF; a NUL ends the text.
// Throws std::runtime_error("Cannot open file <path>") when the file cannot be opened for reading.
void LoadFileLines(const std::string& path, TStringList& lines);

// Moves the header lines (up to and including the TILT line) from fileLines into headerLines and fills
// the record from the numbers that follow. Throws std::runtime_error with the text the user sees when
// the numeric text is empty ("List index out of bounds (0)") or the declared table cannot be real.
void ReadIES(TStringList& fileLines, TStringList& headerLines, tIES& ies, const HeaderErrorSink& onHeaderError);

// The text following the first case-sensitive occurrence of keyword in headerText, cut before the first
// LF, CR and "[", untrimmed; empty when the keyword is absent.
std::string KeywordValue(const std::string& keyword, const std::string& headerText);

// The six-line header display text; every line, the last one too, ends in "\r".
std::string HeaderDisplayText(const TStringList& headerLines);
