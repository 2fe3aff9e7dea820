#pragma once
// The figures the viewer computes from a file's intensities (figures/) set against what the file states: a light
// output ratio above 100 %, and for EULUMDAT the stated downward flux fraction and light output ratio.

#include "PhotometricFigures.h"
#include "Report.h"

#include <cstddef>
#include <optional>
#include <string>

// Stated and computed ratios may differ by this much (percentage points): files round them and makers quote them
// from measurements taken differently.
inline constexpr long double kRatioTolerance = 2;

// A computed light output ratio above 100 % (beyond the tolerance the integration leaves): the intensities give
// more light than the lamps emit, so the lamp flux, the multiplier or the intensities are wrong. lampFields names
// the fields to look at. Returns the diagnostic's text, empty when there is nothing to say.
std::string LightOutputOver100(const PhotometricFigures& figures, const std::string& lampFields);

// A stated ratio (percent) against the computed one; empty when they agree within kRatioTolerance or either is
// missing. what names the stated figure ("the downward flux fraction"), computedText the computed one in words.
std::string RatioDisagreement(
    const char* what, long double stated, const std::optional<double>& computed, const std::string& computedText);
