#pragma once
// What `gonilux-cli info` prints about a loaded record, in its three forms.

#include "PhotometricHeader.h"
#include "tIES.h"

#include <cstdio>
#include <string>

// The state after reading one file.
struct InfoResult {
    std::string path;
    bool readError = false; // a header number failed to convert
    tIES ies;
    tPhotometricHeader header; // the header numbers as read
    TStringList headerLines;
};

// Human summary: counts, angle ranges, symmetry, maximum candela, the six header entries (as UTF-8), the
// photometric figures.
void PrintSummary(std::FILE* out, const InfoResult& info);
// The same facts as one JSON object; the path and header entries are written as UTF-8 (Latin-1 read as such).
void PrintJson(std::FILE* out, const InfoResult& info);
// One item per line for machine checks, reals with %.21Lg.
void PrintDump(std::FILE* out, const InfoResult& info);

// Kind of symmetry that the horizontal angles declare.
std::string SymmetryName(const tIES& ies);
