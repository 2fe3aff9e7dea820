#pragma once
// The datasheet's one page as a scene in PostScript points (1/72 inch, y downwards): head, polar diagram and
// figures, the cartesian and cone diagrams, the zonal flux table (with the glare table beside it when there is one)
// and the footer, laid out for A4 or US Letter portrait.

#include "Scene.h"
#include "SheetContent.h"

#include <optional>

namespace datasheet {

enum class Paper { A4, Letter };

struct PaperSize {
    double Width = 0, Height = 0; // points
};
PaperSize SizeOf(Paper paper);

inline constexpr double kMargin = 36;

// The diagrams drawn elsewhere, each placed in its own box when given.
struct SheetDiagrams {
    scene::Scene Polar;
    std::optional<scene::Scene> Cartesian;
    std::optional<scene::Scene> Cone;
    std::optional<scene::Scene> Glare; // a table of glare ratings
};

scene::Scene BuildPage(const SheetContent& content, const SheetDiagrams& diagrams, Paper paper);

} // namespace datasheet
