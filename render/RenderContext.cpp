#include "RenderContext.h"

#include "PlaneSampling.h"

#include <algorithm>
#include <numbers>
#include <stdexcept>

namespace {

// A plane of the pair must hold a value for every vertical angle: the lookup reads up to index VertLast.
void RequireFullPlane(const tIES& ies, int plane)
{
    if (ies.Candela[plane].size() < ies.VertAngles.size())
        throw std::runtime_error(
            "Plane " + std::to_string(plane) + " holds fewer values than there are vertical angles");
}

} // namespace

RenderContext PrepareRenderContext(const tIES& ies, int plane, const RenderSettings& settings)
{
    if (IsEmpty(ies))
        throw std::runtime_error(NothingLoadedMessage);
    const int planes = static_cast<int>(std::max(ies.Candela.size(), ies.HorizAngles.size()));
    if (plane < 0 || plane >= static_cast<int>(ies.Candela.size())
        || (!ies.HorizAngles.empty() && plane >= static_cast<int>(ies.HorizAngles.size())))
        throw std::runtime_error("There is no plane " + std::to_string(plane) + ": the file has "
            + std::to_string(planes) + (planes == 1 ? " plane" : " planes"));
    // No bracket of two vertical angles exists: the interpolation would read past the plane's values.
    if (ies.VertAngles.size() < 2)
        throw std::runtime_error(TooFewVerticalAnglesMessage);

    RenderContext context;
    // The plane pair, paired as the goniogram pairs them.
    context.RightPlane = plane;
    context.LeftPlane = OppositePlane(ies, plane);
    if (context.LeftPlane >= static_cast<int>(ies.Candela.size()))
        throw std::runtime_error(
            "There is no plane " + std::to_string(context.LeftPlane) + " to pair with plane " + std::to_string(plane));
    RequireFullPlane(ies, context.RightPlane);
    RequireFullPlane(ies, context.LeftPlane);

    // The admissible range: an uplight (first angle exactly 90) also takes the mirrored range on the left.
    context.AngleHigh = ies.VertAngles.back();
    context.AngleLow = ies.VertAngles.front() == 90 ? ies.VertAngles.front() : -context.AngleHigh;
    context.VertLast = static_cast<int32_t>(ies.VertAngles.size()) - 1;

    context.BrightnessFactor
        = static_cast<long double>(std::clamp(settings.brightnessPosition, BrightnessMin, BrightnessMax)) / 10;
    context.ZoomFactor = static_cast<long double>(std::clamp(settings.zoomPosition, ZoomMin, ZoomMax));
    context.Radiosity = settings.radiosity;

    // Starts at 0, not at the first value: a pair without a positive value leaves 0 and the render fails.
    context.RenderMax = 0;
    for (const long double value : ies.Candela[context.RightPlane])
        if (value > context.RenderMax)
            context.RenderMax = value;
    for (const long double value : ies.Candela[context.LeftPlane])
        if (value > context.RenderMax)
            context.RenderMax = value;
    return context;
}

long double SignedVerticalAngle(int32_t a, int32_t b)
{
    constexpr long double degreesPerRadian = 180.0L / std::numbers::pi_v<long double>;
    constexpr long double halfPi = std::numbers::pi_v<long double> / 2;
    // The shift -pi/2 + 1.5 is applied to the degrees as they stand: every direction turns by -0.0708 degrees.
    return std::atan2(static_cast<long double>(a), static_cast<long double>(b)) * degreesPerRadian - halfPi + 1.5L;
}

void ThrowZeroDivisor(long double numerator)
{
    throw std::runtime_error(numerator == 0 ? InvalidOperationMessage : DivisionByZeroMessage);
}

long double IntensityAt(const tIES& ies, const RenderContext& context, int32_t plane, long double x)
{
    const bool admissible = (context.AngleLow <= x && x <= context.AngleHigh)
        || (context.AngleLow == 90 && -context.AngleHigh <= x && x <= -context.AngleLow);
    if (!admissible)
        return 0;
    const long double g = std::fabs(x);
    const tArrEx& angles = ies.VertAngles;
    const tArrEx& values = ies.Candela[plane];
    // Linear search from the first angle at every call: the first angle at least g, else the last one.
    int32_t k = 0;
    while (angles[k] < g && k < context.VertLast)
        ++k;
    if (k == 0)
        k = 1;
    const long double rise = values[k] - values[k - 1];
    const long double step = angles[k] - angles[k - 1];
    if (step == 0)
        ThrowZeroDivisor(rise);
    return values[k - 1] + (g - angles[k - 1]) * (rise / step);
}

uint8_t PixelColor(const tIES& ies, const RenderContext& context, int32_t a, int32_t b)
{
    const long double x = SignedVerticalAngle(a, b);
    const int32_t plane = a < 0 ? context.LeftPlane : context.RightPlane;
    const long double intensity = IntensityAt(ies, context, plane, x);
    const long double radiosity = context.Radiosity ? 1 : 0;
    // a*a + b*b is exact as an integer (at most 45000) before it meets the zoom.
    const long double d = static_cast<long double>(a * a + b * b) / context.ZoomFactor;
    if (context.RenderMax == 0)
        ThrowZeroDivisor(intensity);
    const long double v = std::fabs(255 / (radiosity + 1) * context.BrightnessFactor
        * (intensity / context.RenderMax + radiosity) / std::sqrt(context.BrightnessFactor + d));
    return LevelFromValue(v);
}

void RenderImageLiteral(const tIES& ies, int plane, const RenderSettings& settings, GreyImage& image,
    const std::function<void(int)>& progress)
{
    const RenderContext context = PrepareRenderContext(ies, plane, settings);
    GreyImage rendered {};
    // Rows bottom-up; the samples of row r = 0 and column X = 300 fall outside the image and are discarded,
    // but they are computed all the same (a fault in them stops the render).
    for (int r = 0; r <= RenderSize; ++r) {
        if (r % 20 == 0 && progress)
            progress(r);
        for (int X = 0; X <= RenderSize; ++X) {
            const uint8_t level = PixelColor(ies, context, X - 150, 150 - r);
            const int Y = RenderSize - r;
            if (X < RenderSize && Y < RenderSize)
                rendered[static_cast<size_t>(Y) * RenderSize + X] = level;
        }
    }
    image = rendered;
}
