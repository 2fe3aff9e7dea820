#include "FigureChecks.h"
#include "IesChecks.h"

#include <cmath>
#include <cstdio>

std::string LightOutputOver100(const PhotometricFigures& figures, const std::string& lampFields)
{
    if (!figures.LightOutputRatio || !figures.Flux || !figures.LampFlux
        || !(*figures.LightOutputRatio > 100 + kRatioTolerance))
        return {};
    char text[200];
    std::snprintf(text, sizeof text,
        "the intensities give %.6g lm, a light output ratio of %.1f %% of the lamps' %.6g lm", *figures.Flux,
        *figures.LightOutputRatio, *figures.LampFlux);
    return std::string(text) + ": more light than the lamps emit; check " + lampFields;
}

std::string RatioDisagreement(
    const char* what, long double stated, const std::optional<double>& computed, const std::string& computedText)
{
    if (!computed || !std::isfinite(stated) || !(std::fabs(*computed - stated) > kRatioTolerance))
        return {};
    char text[64];
    std::snprintf(text, sizeof text, "%.1f %%", *computed);
    return std::string(what) + " " + RealText(stated) + " % differs by more than " + RealText(kRatioTolerance)
        + " points from the " + text + " " + computedText;
}
