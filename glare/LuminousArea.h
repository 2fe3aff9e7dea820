#pragma once
// The luminous area of a luminaire as the glare rating needs it: its bottom face and its sides, projected towards
// the eye.

#include "PhotometricHeader.h"

#include <array>
#include <optional>
#include <string>

// Dimensions in metres. The length runs across the C0 direction and is seen from C0 and C180; the width runs across
// the C90 direction. A circular area has a diameter (the length) and one side height (the first).
struct tLuminousArea {
    long double length = 0;
    long double width = 0;
    bool circular = false;
    std::array<long double, 4> heights {}; // sides facing C0, C90, C180, C270
};

// The area seen from (C, gamma) in degrees, m^2: bottom x cos(gamma) + side facing C x sin(gamma), the side being
// length x |cos C| x h(C0 or C180) + width x |sin C| x h(C90 or C270), or diameter x h for a circle.
long double ProjectedArea(const tLuminousArea& area, long double c, long double gamma);
// The same from the direction's sines and cosines.
long double ProjectedArea(
    const tLuminousArea& area, long double cosC, long double sinC, long double cosGamma, long double sinGamma);

// The luminous area a file gives: the EULUMDAT luminous-area lines (length, width, four side heights; width 0 is a
// circle), or the IES luminous opening in the file's units (width as the length, length as the width, as converted
// files place them; a negative width with the same negative length, or with none: a disc of that diameter, the height
// making it a standing cylinder). Empty with the reason when the file gives none the
// rating can use.
std::optional<tLuminousArea> LuminousAreaOf(const tPhotometricHeader& header, std::string& reason);
