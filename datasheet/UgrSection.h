#pragma once
// The datasheet's glare section: the UGR table of the file as catalogues give it (ratings for the rooms and
// reflectances, viewed crosswise and endwise) under its caption and above its conditions, or the reason the file
// gives none.

#include "Scene.h"
#include "UgrText.h"

namespace datasheet {

// Draws the section into page from (x, y) within width (nothing when page is null) and returns the y below it.
// The table's text is set at the largest of a few sizes at which its columns fit the width.
double UgrSection(scene::Scene* page, const tUgrPageText& ugr, double x, double y, double width);

// The height the section takes at width.
inline double UgrSectionHeight(const tUgrPageText& ugr, double width) { return UgrSection(nullptr, ugr, 0, 0, width); }

} // namespace datasheet
