#pragma once
// What `gonilux-cli info` prints about a loaded record, in its three forms.

#include "PhotometricHeader.h"
#include "tIES.h"

#include <cstdio>
#include <string>

// The state after reading one file.
struct InfoResult {
    std::string path;
    bool readError = false; // the header check failed: no TILT line, or a header number failed to convert
    std::string verdict; // why the file is not valid ("not a valid IES file: ..."), empty when it is
    tIES ies;
    tPhotometricHeader header; // the header numbers as read
    TStringList headerLines;
};

// Human summary: counts, angle ranges, symmetry, maximum candela, the six header entries (as UTF-8), the
// photometric figures; text from the file and its name with control characters escaped.
void PrintSummary(std::FILE* out, const InfoResult& info);
// The same facts as one JSON object, with "valid" and, for an invalid file, "reason"; the path and header entries
// are written as UTF-8 (Latin-1 read as such), reals in the shortest form that reads back to the same value.
void PrintJson(std::FILE* out, const InfoResult& info);
// For a file that could not be read: {"file": ..., "valid": false, "error": message}.
void PrintJsonError(std::FILE* out, const std::string& path, const std::string& message);
// One item per line for machine checks, reals with %.21Lg, control characters of the header escaped.
void PrintDump(std::FILE* out, const InfoResult& info);

// Kind of symmetry that the horizontal angles declare.
std::string SymmetryName(const tIES& ies);
