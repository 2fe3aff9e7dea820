#pragma once
// The header part of an IES file: the TILT line that ends it and the entries it carries.

#include "tIES.h"

#include <cstddef>
#include <string_view>

// Index of the TILT line: the first line that contains "=" and whose text before its first "=" is "tilt" in any
// letter case (" TILT=NONE" and "TILT =NONE" are not TILT lines). Returns lines.size() when there is none.
std::size_t FindTiltLine(const TStringList& lines);

// True when a TILT line announces tilt data in the file itself: its text after "=", blanks aside, is "INCLUDE"
// in any letter case.
bool TiltDataIncluded(std::string_view tiltLine);
