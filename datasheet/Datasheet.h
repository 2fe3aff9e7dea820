#pragma once
// The one-page photometric datasheet of a file, as a scene in points ready for a PDF page or a printer.

#include "DetailsFile.h"
#include "ReadableNumber.h"
#include "Scene.h"
#include "SheetPage.h"

#include <string>
#include <string_view>

namespace datasheet {

struct Datasheet {
    scene::Scene Page; // in points, the paper's size
    std::string Title; // the luminaire's name (or the file's), UTF-8: the document's title
};

// The datasheet of a read file. Throws std::runtime_error with the reason when the file gives none (no intensity
// table). Numbers are written in the style, as the details write them.
Datasheet BuildDatasheet(const tDetailsFile& file, Paper paper, const tNumberStyle& style);

} // namespace datasheet
