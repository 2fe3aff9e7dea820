#pragma once
// Text of a file split into lines, the way the reader expects them.

#include "tIES.h"

#include <string>
#include <string_view>

// Splits text into lines at every CR, LF or CR LF pair; a line break at the very end starts no further line,
// and a NUL character ends the text. Bytes are taken one per character, with no encoding applied.
void SplitIntoLines(std::string_view text, TStringList& lines);

// Reads a whole file's bytes, refusing what LoadFileLines refuses (a file that cannot be opened or read, one that
// is not a regular file, one larger than kMaxFileBytes) with the same messages.
void LoadFileBytes(const std::string& path, std::string& bytes);
