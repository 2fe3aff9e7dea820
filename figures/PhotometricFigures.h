#pragma once
// The figures quoted beside a light distribution: flux, light output ratio, efficacy, maximum intensity, beam and
// field angles, zonal flux and the downward/upward split. Computed in extended reals, reported as doubles; a figure
// that is not defined (or would not be a finite number) is empty.

#include "PhotometricHeader.h"
#include "tIES.h"

#include <array>
#include <optional>
#include <string>

// A spread angle (beam or field) in each of the two sections it is measured in: C0-C180 and C90-C270 for type C,
// horizontal and vertical for types A and B.
struct tSectionAngles {
    const char* FirstKey = "c0_180"; // JSON key
    const char* SecondKey = "c90_270";
    const char* FirstLabel = "C0-C180"; // for people
    const char* SecondLabel = "C90-C270";
    std::optional<double> First; // degrees
    std::optional<double> Second;
};

inline constexpr int kZoneCount = 18; // 0-10, 10-20, ..., 170-180 degrees from nadir

struct PhotometricFigures {
    std::optional<double> PhotometricType; // rounded to a whole number
    std::optional<double> InputWatts; // as read, never applied
    std::optional<double> BallastFactor; // as read, never applied
    std::optional<double> NumberOfLamps; // rounded to a whole number
    std::optional<double> LampFlux; // lm; empty for absolute photometry
    std::optional<double> MaxIntensity; // cd
    std::optional<double> MaxHorizontal; // degrees: where the maximum first stands
    std::optional<double> MaxVertical;

    std::optional<double> Flux; // lm
    std::optional<double> LightOutputRatio; // percent of the lamp flux
    std::optional<double> Efficacy; // lm/W
    std::optional<std::array<double, kZoneCount>> ZonalFlux; // lm, type C only
    std::optional<double> DownwardPercent; // zones up to 90 degrees, percent of the flux
    std::optional<double> UpwardPercent;

    tSectionAngles Beam; // 50 % of the section's maximum
    tSectionAngles Field; // 10 %

    std::string Note; // empty exactly when Flux holds a value; otherwise why it does not
};

// The note when the intensities are numbers but the flux they give is not a finite double.
inline constexpr const char* kFluxNotFiniteNote = "the flux does not come out as a finite number";

// The figures of a record and the header read with it. Intensity is the table's value times the header's candela
// multiplier; photometric type 1 is type C, 2 type B, 3 type A.
PhotometricFigures ComputeFigures(const tIES& ies, const tPhotometricHeader& header);
