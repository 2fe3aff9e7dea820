#pragma once
// The header part of an IES file: the TILT line that ends it and the entries it carries.

#include "tIES.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// Index of the TILT line: the first line that contains "=" and whose text before its first "=" is "tilt" in any
// letter case (" TILT=NONE" and "TILT =NONE" are not TILT lines). Returns lines.size() when there is none.
std::size_t FindTiltLine(const TStringList& lines);

// Whether line is a TILT line, as FindTiltLine decides it.
bool IsTiltLine(std::string_view line);

// True when a TILT line announces tilt data in the file itself: its text after "=", blanks aside, is "INCLUDE"
// in any letter case.
bool TiltDataIncluded(std::string_view tiltLine);

// The keywords of the six header entries the viewer shows, in the order it shows them.
inline constexpr std::array<const char*, 6> kHeaderKeywords
    = { "[TEST]", "[MANUFAC]", "[LUMINAIRE]", "[LUMCAT]", "[LAMP]", "[LAMPCAT]" };

// The text following the first case-sensitive occurrence of keyword in headerText, cut before the first
// LF, CR and "[", untrimmed; empty when the keyword is absent.
std::string KeywordValue(const std::string& keyword, const std::string& headerText);

// The six-line header display text; every line, the last one too, ends in "\r".
std::string HeaderDisplayText(const TStringList& headerLines);
