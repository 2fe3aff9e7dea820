#pragma once
// A type C luminaire as the glare rating sees it: intensities per 1000 lm of lamp flux in any direction, its
// luminous area, its lamp flux and its light output ratio.

#include "LuminousArea.h"
#include "PhotometricHeader.h"
#include "tIES.h"

#include <optional>
#include <string>
#include <vector>

class tGlareLuminaire {
public:
    // The luminaire of a record and the header read with it; empty with the reason when the rating cannot be had:
    // not type C, planes that do not cover the circle by a symmetry, vertical angles not covering 0 to 85 degrees,
    // no flux, no luminous area. Absolute photometry counts the luminaire's flux as the lamp flux (ratio 1); an
    // EULUMDAT file's stated light output ratio is taken when it is one (0 to 100 %), otherwise the computed one.
    static std::optional<tGlareLuminaire> Of(const tIES& ies, const tPhotometricHeader& header, std::string& reason);

    // cd per 1000 lm at (C, gamma) in degrees: bilinear between the stored planes (unfolded by the file's symmetry)
    // and vertical angles; 0 beyond the last vertical angle.
    long double Intensity(long double c, long double gamma) const;
    // The mean over C of Intensity(C, gamma) (the circle's integral of the interpolated intensities / 360).
    long double MeanIntensity(long double gamma) const;

    const tLuminousArea& Area() const { return area_; }
    long double LampFlux() const { return lampFlux_; } // lm
    long double LightOutputRatio() const { return ratio_; } // luminaire flux / lamp flux
    bool Absolute() const { return absolute_; } // absolute photometry: LampFlux() is the luminaire's flux

private:
    long double AtPlane(std::size_t plane, long double gamma) const;
    long double StoredC(long double c) const;

    int layout_ = 0;
    tArrEx planes_; // stored horizontal angles
    tArrEx gammas_;
    tArrEx values_; // cd/klm, plane after plane
    std::vector<long double> circle_; // C angles over 0 to 360 between which the intensity is linear
    tLuminousArea area_;
    long double lampFlux_ = 0;
    long double ratio_ = 0;
    bool absolute_ = false;
};
