#include "Datasheet.h"

#include "Diagrams.h"
#include "PolarDiagram.h"
#include "SheetContent.h"

#include <optional>
#include <stdexcept>

namespace datasheet {

Datasheet BuildDatasheet(const tDetailsFile& file, Paper paper, const tNumberStyle& style)
{
    const std::string refusal = RefusalReason(file);
    if (!refusal.empty())
        throw std::runtime_error("no datasheet: " + refusal);
    const PhotometricFigures figures = ComputeFigures(file.Record, file.Header);
    const SheetContent content = BuildContent(file, figures, style);
    SheetDiagrams diagrams;
    diagrams.Polar = BuildPolarDiagram(content.Sections, content.Unit, style.Decimal);
    // The cartesian and cone diagrams draw only the main sections of a type C file: they are given those planes
    // alone, which a large table makes far quicker to draw.
    const std::optional<tIES> planes = figures.PhotometricType == 1.0 ? MainPlanes(file.Record) : std::optional<tIES>();
    diagrams::DiagramInput input;
    input.ies = planes ? &*planes : &file.Record;
    input.header = &file.Header;
    input.sections = diagrams::SectionFirst | diagrams::SectionSecond;
    input.perKlm = content.Unit == "cd/klm";
    input.decimalSeparator = style.Decimal;
    // The diagrams that need type C are left out of other files' pages rather than shown refused.
    if (diagrams::Refusal(diagrams::Kind::Cartesian, input).empty())
        diagrams.Cartesian
            = [input](double width, double height) { return diagrams::BuildCartesian(input, width, height); };
    if (diagrams::Refusal(diagrams::Kind::Cone, input).empty())
        diagrams.Cone = [input](double width, double height) { return diagrams::BuildCone(input, width, height); };
    // The builders are called here, while the planes they point to last.
    return { BuildPage(content, diagrams, paper), content.Title };
}

} // namespace datasheet
