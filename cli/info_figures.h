#pragma once
// The photometric figures in the output of `gonilux-cli info`.

#include "PhotometricFigures.h"

#include <cstdio>
#include <string>

// The "Photometry" block of the human summary.
void PrintFiguresSummary(std::FILE* out, const PhotometricFigures& figures);
// The "figures" member of the JSON object: `  "figures": {...}` without a trailing comma or line break.
void PrintFiguresJson(std::FILE* out, const PhotometricFigures& figures);
// A double written so that it reads back to the same value (shortest form); "null" when empty.
std::string JsonNumber(const std::optional<double>& value);
