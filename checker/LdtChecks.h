#pragma once
// The parts of the EULUMDAT check that look at a file the reader loaded (and its NUL byte, before it is read),
// each adding what it finds to the report.

#include "LdtReader.h"
#include "PhotometricHeader.h"
#include "Report.h"
#include "TextLines.h"
#include "tIES.h"

#include <string_view>

// A NUL byte: the reader takes the file only up to it.
void CheckLdtNulByte(std::string_view bytes, Report& report);

// Gamma angles out of order and negative intensities, with the codes the IES check gives the same faults.
void CheckLdtTable(const tTextLines& lines, const tLdtFacts& facts, const tIES& record, Report& report);

// The figures the intensities give against the file: a flux that is no finite number, a light output ratio above
// 100 %, and the stated downward flux fraction (line 22) and light output ratio (line 23) against the computed.
void CheckLdtFigures(const tTextLines& lines, const tLdtFacts& facts, const tIES& record,
    const tPhotometricHeader& header, Report& report);
