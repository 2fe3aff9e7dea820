#pragma once
// The numbers of a photometric file that the record does not hold: kept beside it for the figures and the
// details, read as they stand (nothing is rounded, scaled or checked here).

#include "tIES.h"

#include <array>
#include <optional>

// Tilt data that follow TILT=INCLUDE: how the lamp's output changes when the luminaire is tilted.
struct tTiltData {
    bool Included = false; // the TILT line said INCLUDE and the data were taken
    long double LampToLuminaireGeometry = 0;
    tArrEx Angles; // degrees
    tArrEx MultiplyingFactors; // one per angle
};

struct tPhotometricHeader {
    long double NumberOfLamps = 0;
    long double LumensPerLamp = 0; // -1: absolute photometry
    long double CandelaMultiplier = 0;
    long double PhotometricType = 0; // 1 type C, 2 type B, 3 type A
    long double UnitsType = 0; // 1 feet, 2 metres
    long double Width = 0; // luminous opening, in the file's units
    long double Length = 0;
    long double Height = 0;
    // EULUMDAT files only: the heights of the luminous area's sides facing C0, C90, C180 and C270, in metres
    // (Height above is their mean). Empty for IES files, whose opening has one height.
    std::optional<std::array<long double, 4>> SideHeights;
    // EULUMDAT files only: the light output ratio the file states (LORL), percent; empty when it did not convert.
    std::optional<long double> StatedLightOutputRatio;
    long double BallastFactor = 0;
    long double FutureUse = 0; // the field after the ballast factor (ballast-lamp photometric factor in old files)
    long double InputWatts = 0;
    tTiltData Tilt;
};
