#pragma once
// A sample file read as the Details window and the datasheet receive it: path, header lines, record and header
// numbers.
#include "DetailsFile.h"
#include "PhotometricFile.h"

#include <string>

inline tDetailsFile SampleFile(const std::string& name)
{
    tDetailsFile file;
    file.Path = std::string(GONILUX_SAMPLES_DIR) + "/" + name;
    TStringList lines;
    LoadFileLines(file.Path, lines);
    ReadPhotometricLines(file.Path, lines, file.HeaderLines, file.Record, file.Header, [](const std::string&) {});
    return file;
}
