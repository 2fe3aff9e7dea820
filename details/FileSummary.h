#pragma once
// The whole summary of a file: where it is and its format first, then its header, the facts of its format the
// record does not hold (the IES luminous opening; the EULUMDAT dimensions, lamp sets and stated ratios) and the
// figures.

#include "DetailsFile.h"
#include "DetailsText.h"

#include <string>
#include <vector>

// "EULUMDAT" for an .ldt path; for IES the edition its first line names ("IES LM-63-2002"), LM-63-1986 without one.
std::string FormatName(const std::string& path, const TStringList& headerLines);

// The IES luminous opening in the file's units with its shape: "rectangular, width 0.6 x length 0.6 m".
std::string LuminousOpening(const tPhotometricHeader& header, const tNumberStyle& style);

// The EULUMDAT facts read from the file's lines: luminaire and luminous-area dimensions in mm and every lamp set.
// A field missing or not a number is shown as written.
std::vector<tSummaryEntry> EulumdatEntries(const TStringList& lines, const tNumberStyle& style);

// The stated light output ratio (line 23) and downward flux fraction (line 22) of an EULUMDAT file, in percent,
// named as FigureEntries names the computed ones with " (stated)" added.
std::vector<tSummaryEntry> EulumdatStatedEntries(const TStringList& lines, const tNumberStyle& style);

// File, Format, the header entries (without the synthesised keys of an EULUMDAT file), the format's facts and the
// figures, the stated EULUMDAT ratios right after the computed ones.
std::vector<tSummaryEntry> SummaryEntries(
    const tDetailsFile& file, const PhotometricFigures& figures, const tNumberStyle& style);
