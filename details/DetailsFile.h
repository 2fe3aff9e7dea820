#pragma once
// What the details show of the file open in the viewer: the record, the lines and numbers read around it and the
// plane selected. A copy, so the details never reach into the viewer's own state.

#include "Diagnostic.h"
#include "PhotometricHeader.h"
#include "tIES.h"

#include <string>

struct tDetailsFile {
    std::string Path; // raw file-system bytes; empty while no file is loaded
    tIES Record; // an empty intensity table while no file is loaded
    TStringList HeaderLines; // up to and including the TILT line
    tPhotometricHeader Header;
    Diagnostics Checks; // what the checker found in the file, in the order it gives them
    TStringList FileLines; // an EULUMDAT file's lines (its facts beyond the record are read there); else empty
};
