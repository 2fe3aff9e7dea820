#pragma once
// The datasheet's one page as a scene in PostScript points (1/72 inch, y downwards), laid out for A4 or US Letter
// portrait: the head across the page; the polar diagram beside the figures and the zonal flux table; the cartesian
// and cone diagrams side by side; the footer.

#include "Scene.h"
#include "SheetContent.h"

#include <functional>

namespace datasheet {

enum class Paper { A4, Letter };

struct PaperSize {
    double Width = 0, Height = 0; // points
};
PaperSize SizeOf(Paper paper);

inline constexpr double kMargin = 36;

// A diagram laid out for a place of width x height in its own units (which it may enlarge to what it needs).
using DiagramBuilder = std::function<scene::Scene(double width, double height)>;

// The diagrams drawn elsewhere, each placed in its own box; an empty builder leaves its box empty.
struct SheetDiagrams {
    scene::Scene Polar;
    DiagramBuilder Cartesian;
    DiagramBuilder Cone;
};

// The diagrams are asked for at their box's size over this, so that their own 12-unit text prints at about 8 pt.
inline constexpr double kDiagramScale = 0.68;

scene::Scene BuildPage(const SheetContent& content, const SheetDiagrams& diagrams, Paper paper);

} // namespace datasheet
