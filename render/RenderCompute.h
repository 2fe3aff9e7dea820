#pragma once
// The 300 x 300 grey render of the vertical section through the selected plane and its partner.

#include "tIES.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

constexpr int RenderSize = 300;
using GreyImage = std::array<uint8_t, RenderSize * RenderSize>; // row-major, row 0 at the top

struct RenderSettings {
    int brightnessPosition = 15; // TrackBar2 position, 1..100
    int zoomPosition = 500; // TrackBarZoom position, 1..10000
    bool radiosity = false;
};

// Renders plane `plane` and its partner into `image`. progress(r) is called at r = 0, 20, ..., 300 (sixteen
// calls, as each band of rows begins); a caller that shows a progress bar sets it to 0 itself before the call.
// Positions outside the track bars' ranges are clamped to them.
// Throws std::runtime_error with the user's message on failure; `image` is then left untouched.
void RenderImage(const tIES& ies, int plane, const RenderSettings& settings, GreyImage& image,
    const std::function<void(int)>& progress);

// The same image computed pixel by pixel, as literally as the definition reads: an arc tangent, a linear
// bracket search and a square root for each of the 301 x 301 samples. Slow; the reference for RenderImage.
void RenderImageLiteral(const tIES& ies, int plane, const RenderSettings& settings, GreyImage& image,
    const std::function<void(int)>& progress);

// "Rendering time: S.mmm sec", seconds and milliseconds truncated.
std::string RenderTimeText(std::chrono::steady_clock::duration elapsed);
