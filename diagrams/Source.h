#pragma once
// What every diagram reads of its input: the photometric type, the multiplier, the lamp flux and the figures.

#include "DiagramInput.h"
#include "PhotometricFigures.h"

#include <string>

namespace diagrams {

enum class Photometry { None, C, B, A, Unknown };

Photometry TypeOf(const DiagramInput& input);
long double MultiplierOf(const DiagramInput& input);
// The header the figures are computed from: the input's, or type C with multiplier 1 when there is none.
tPhotometricHeader HeaderOf(const DiagramInput& input);
PhotometricFigures FiguresOf(const DiagramInput& input);

// Empty for a type C file; otherwise why a diagram that needs type C cannot be drawn ("Type B photometry: this
// diagram needs type C", "No file loaded.").
std::string NeedsTypeC(const DiagramInput& input);
// Empty when a file is loaded, else "No file loaded.".
std::string NeedsFile(const DiagramInput& input);

} // namespace diagrams
