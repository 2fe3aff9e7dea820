#include "Datasheet.h"

#include "PolarDiagram.h"
#include "SheetContent.h"

#include <stdexcept>

namespace datasheet {

Datasheet BuildDatasheet(const tDetailsFile& file, Paper paper, std::string_view decimalSeparator)
{
    const std::string refusal = RefusalReason(file);
    if (!refusal.empty())
        throw std::runtime_error("No datasheet: " + refusal);
    const PhotometricFigures figures = ComputeFigures(file.Record, file.Header);
    const SheetContent content = BuildContent(file, figures, decimalSeparator);
    SheetDiagrams diagrams;
    diagrams.Polar = BuildPolarDiagram(content.Sections, content.Unit, decimalSeparator);
    return { BuildPage(content, diagrams, paper), content.Title };
}

} // namespace datasheet
