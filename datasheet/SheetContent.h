#pragma once
// What the datasheet says about a file, as text: its head (maker, names, test, file), the figures as the details'
// summary writes them, the zonal flux rows, the polar diagram's sections and unit, the UGR
// table and the footer.

#include "DetailsFile.h"
#include "DetailsText.h"
#include "PhotometricFigures.h"
#include "Sections.h"
#include "UgrText.h"

#include <string>
#include <string_view>
#include <vector>

namespace datasheet {

struct SheetContent {
    std::string Title; // the luminaire's name; the file's name when the file names no luminaire
    std::vector<tSummaryEntry> Head; // label, value; entries the file lacks are left out
    std::vector<tSummaryEntry> Figures; // name, value as the summary writes them
    tTextRows Zonal; // "Zone", "lm", "%", then one row per zone as the details write them;
                     // only the header row without zonal flux
    std::string Unit; // "cd/klm" (relative photometry) or "cd" (absolute)
    std::vector<Section> Sections; // in the unit
    tUgrPageText Ugr; // the UGR table at spacing to height ratio 0.25, corrected for the file's flux as catalogues
                      // give it, or the reason there is none
    std::string MadeWith; // "Made with Gonilux VERSION"
    std::string Verdict; // "Check: no problems found", "Check: 2 warnings, 1 error"
};

// All texts are UTF-8 (header bytes that are not valid UTF-8 are taken as Latin-1). Numbers are written in the
// style, as the details write them.
SheetContent BuildContent(const tDetailsFile& file, const PhotometricFigures& figures, const tNumberStyle& style);

// "no problems found" or the counts of warnings and errors the check found ("1 warning", "3 warnings, 1 error").
std::string CheckVerdict(const Diagnostics& checks);

// Why a file gives no datasheet ("no file is loaded", "the file holds no intensity table"); empty when it gives
// one.
std::string RefusalReason(const tDetailsFile& file);

} // namespace datasheet
