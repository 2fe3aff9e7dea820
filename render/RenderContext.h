#pragma once
// The per-render context and the per-pixel steps of the render: the plane pair, the admissible range of signed
// vertical angles, the intensity lookup and the grey level of one pixel. These are the reference steps; the fast
// image loop in RenderCompute.cpp must give the same bytes.

#include "RenderCompute.h"
#include "tIES.h"

#include <cmath>
#include <cstdint>

// The messages a failed render shows; they are the texts of the floating-point faults they stand for.
inline constexpr const char* InvalidOperationMessage = "Invalid floating point operation";
inline constexpr const char* DivisionByZeroMessage = "Floating point division by zero";
inline constexpr const char* TooFewVerticalAnglesMessage
    = "The file has fewer than two vertical angles: nothing to render";
inline constexpr const char* NothingLoadedMessage = "No file is loaded: nothing to render";

// Track bar limits of the render window; out-of-range positions are clamped to them.
inline constexpr int BrightnessMin = 1;
inline constexpr int BrightnessMax = 100;
inline constexpr int ZoomMin = 1;
inline constexpr int ZoomMax = 10000;

struct RenderContext {
    int32_t RightPlane = 0; // the selected plane, shown on the right half (a >= 0)
    int32_t LeftPlane = 0; // its partner, shown on the left half (a < 0)
    long double AngleLow = 0; // lowest admissible signed vertical angle, degrees
    long double AngleHigh = 0; // highest admissible signed vertical angle, degrees
    int32_t VertLast = 0; // last index of VertAngles: the upper limit of the bracket search
    long double BrightnessFactor = 1.5L; // brightness position / 10
    long double ZoomFactor = 500; // zoom position
    long double RenderMax = 0; // largest value of the pair's two planes, never below 0
    bool Radiosity = false;
};

// Checks that `plane` and its partner can be rendered and fills the context: the plane pair, the angle range,
// the factors (positions clamped to the track bars' ranges) and RenderMax. Throws std::runtime_error with the
// user's message when the record cannot be rendered (nothing loaded, no such plane, fewer than two vertical
// angles, a plane of the pair holding fewer values than there are vertical angles).
RenderContext PrepareRenderContext(const tIES& ies, int plane, const RenderSettings& settings);

// x = atan2(a, b) in degrees, shifted by -pi/2 + 1.5 (the shift is applied to the degrees as they stand).
// Straight down on the screen (positive b) is 0; the right side (positive a) is positive. Kept out of line so
// that every caller gets the bits of the same run-time arc tangent (never a compile-time folded one).
long double SignedVerticalAngle(int32_t a, int32_t b);

// The intensity in `plane` at signed vertical angle x: 0 outside the admissible range, else the linear
// interpolation between the two tabulated vertical angles that bracket |x|. Throws on a zero step between them.
long double IntensityAt(const tIES& ies, const RenderContext& context, int32_t plane, long double x);

// Grey level (0..255) of the pixel at offset (a, b) from the centre, b growing downward.
// Throws when RenderMax is 0 (the quotient I / RenderMax has no value).
uint8_t PixelColor(const tIES& ies, const RenderContext& context, int32_t a, int32_t b);

// The divisor-zero rule of the floating-point unit: 0 / 0 is an invalid operation, any other value over 0 a
// division by zero. Only called with a zero divisor.
[[noreturn]] void ThrowZeroDivisor(long double numerator);

// Level from v = |...|: clipped at 255, rounded half to even (lrint rounds in the current mode, to nearest); NaN is
// black. Where errno need not be set (the image loop's file is built so), lrint becomes one instruction that stores
// the integer, rather than a library call.
inline uint8_t LevelFromValue(long double v)
{
    if (v > 255)
        return 255;
    if (!(v >= 0)) // NaN: no defined level
        return 0;
    return static_cast<uint8_t>(std::lrint(v));
}
