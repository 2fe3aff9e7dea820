#pragma once
// The numbers behind the goniogram on show: the planes a drawing shows, as tab-separated text.

#include "PlaneSampling.h"
#include "tIES.h"

#include <string>
#include <string_view>

// A header row "Angle" followed by "C <angle>" for each plane on show (the selected plane, its opposite, then the
// orthogonal pair when shown; a plane already listed is not repeated), then one row per vertical angle: the angle
// and each plane's value as read. Numbers in the diagram's general format; rows end in "\n". Empty without planes.
std::string PlaneValuesText(const tIES& ies, const PlaneSet& planes, std::string_view decimalSeparator);
