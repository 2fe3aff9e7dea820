#pragma once
// The datasheet's polar intensity diagram: both sections in one circle, nadir (or the luminaire's axis for
// types A and B) down, the first section solid and the second dashed, intensity rings labelled in the unit, which
// is named above the circle, and a legend below it.

#include "Scene.h"
#include "Sections.h"

#include <string>
#include <string_view>
#include <vector>

namespace datasheet {

// The rings' spacing and the outermost ring for a largest value: 1, 2, 2.5 or 5 times a power of ten, giving
// three or four rings (one ring of 1 when the largest value is not above zero).
struct RingScale {
    double Step = 1;
    int Count = 1;
    double Outer() const { return Step * Count; }
};
RingScale ChooseRings(double largest);

inline constexpr double kPolarWidth = 300;
inline constexpr double kPolarHeight = 290;
inline constexpr double kPolarAspect = kPolarHeight / kPolarWidth;

// unit is "cd/klm" or "cd"; ring values are written with decimalSeparator.
scene::Scene BuildPolarDiagram(
    const std::vector<Section>& sections, const std::string& unit, std::string_view decimalSeparator);

} // namespace datasheet
