#pragma once
// Checks photometric files and says what is wrong and where, line and column, the way a compiler does. The
// numbers are taken with the reader's own tokenizer, so what a diagnostic names is what the viewer shows.

#include "Diagnostic.h"
#include "tIES.h"

#include <string>
#include <string_view>

// Checks the bytes of an IES (LM-63) file. When record is given it receives what the reader stores for these
// bytes, and is left untouched when the reader refuses them.
Diagnostics CheckIesText(std::string_view bytes, tIES* record = nullptr);

// Checks the bytes of an EULUMDAT (.ldt) file: the reader's refusal on its line, numeric fields that fail, the
// number of C-planes and the C angles against the symmetry, the light output ratio against the intensities, and
// lines after the table.
Diagnostics CheckLdtText(std::string_view bytes);

// True when a file of this name is one the checker reads (by its extension, in any letter case): what a folder
// walk picks up.
bool IsCheckableName(std::string_view name);

// Checks bytes as the format the file name's extension says; a name the checker does not know is taken as IES.
Diagnostics CheckText(std::string_view name, std::string_view bytes);

// Reads and checks one file. Throws std::runtime_error with the reader's message when the file cannot be read.
Diagnostics CheckFile(const std::string& path);
