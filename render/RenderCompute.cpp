// The image loop of the render. It computes every sample with the same operations, in the same order and in
// the same 80-bit precision as PixelColor, so the bytes are those of the pixel-by-pixel loop; it only avoids
// repeating work whose result cannot differ:
// - the signed vertical angle of a sample depends on the geometry alone: computed once per process, with the
//   distinct values of g = |x| sorted once per process too;
// - the bracket search depends on g and the vertical angles alone: one pass over the sorted g values and the
//   angles together finds every bracket of the render, whatever the order of the angles, and each sample then
//   reads its own, in constant time;
// - the difference quotient of a bracket is the same for every sample in it: one division per bracket;
// - the square root depends on a*a + b*b alone: one per distinct sum and render.
#include "RenderCompute.h"

#include "RenderContext.h"
#include "VerticalBrackets.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

constexpr int Samples = RenderSize + 1; // 301 samples per row and per column
constexpr int MaxSquareSum = 2 * 150 * 150;

struct Sample {
    long double x; // signed vertical angle of the direction, degrees
    int32_t sumRank; // index of a*a + b*b in Geometry::squareSums
    int32_t gRank; // index of |x| in Geometry::gValues
    bool left; // a < 0: the left plane
};

struct Geometry {
    std::vector<Sample> samples; // in loop order: r = 0..300, then X = 0..300
    std::vector<int32_t> squareSums; // the distinct values of a*a + b*b
    std::vector<long double> gValues; // the distinct values of |x|, ascending
};

// Sorts the distinct |x| of the samples and gives each sample the index of its own: one sort of (|x|, sample)
// pairs, then one pass that numbers the distinct values in order.
void RankVerticalAngles(Geometry& geometry)
{
    std::vector<std::pair<long double, int32_t>> order;
    order.reserve(geometry.samples.size());
    for (std::size_t i = 0; i < geometry.samples.size(); ++i)
        order.emplace_back(std::fabs(geometry.samples[i].x), static_cast<int32_t>(i));
    std::sort(order.begin(), order.end());
    std::vector<long double>& values = geometry.gValues;
    values.clear();
    for (const auto& [value, index] : order) {
        if (values.empty() || values.back() != value)
            values.push_back(value);
        geometry.samples[static_cast<std::size_t>(index)].gRank = static_cast<int32_t>(values.size() - 1);
    }
}

Geometry BuildGeometry()
{
    Geometry geometry;
    geometry.samples.reserve(static_cast<size_t>(Samples) * Samples);
    std::vector<int32_t> rankOfSum(MaxSquareSum + 1, -1);
    for (int r = 0; r < Samples; ++r) {
        for (int X = 0; X < Samples; ++X) {
            const int32_t a = X - 150;
            const int32_t b = 150 - r;
            const int32_t sum = a * a + b * b;
            if (rankOfSum[sum] < 0) {
                rankOfSum[sum] = static_cast<int32_t>(geometry.squareSums.size());
                geometry.squareSums.push_back(sum);
            }
            geometry.samples.push_back({ SignedVerticalAngle(a, b), rankOfSum[sum], 0, a < 0 });
        }
    }
    RankVerticalAngles(geometry);
    return geometry;
}

// Thread-safe, built on first use.
const Geometry& PixelGeometry()
{
    static const Geometry geometry = BuildGeometry();
    return geometry;
}

// The difference quotients of one plane, bracket k (k = 1..VertLast) covering angles k-1 and k.
struct PlaneSlopes {
    std::vector<long double> quotient;
    std::vector<uint8_t> zeroStep;
};

PlaneSlopes SlopesOf(const tArrEx& angles, const tArrEx& values, int32_t last)
{
    PlaneSlopes slopes { std::vector<long double>(static_cast<size_t>(last) + 1, 0),
        std::vector<uint8_t>(static_cast<size_t>(last) + 1, 0) };
    for (int32_t k = 1; k <= last; ++k) {
        const long double rise = values[k] - values[k - 1];
        const long double step = angles[k] - angles[k - 1];
        if (step == 0)
            slopes.zeroStep[k] = 1; // a fault only when a sample falls into this bracket
        else
            slopes.quotient[k] = rise / step;
    }
    return slopes;
}

// nearbyint for 0 <= v <= 255 without a library call: lrint rounds in the current mode too (nearest, halves to
// even), and with this file built without errno (see CMakeLists.txt) the compiler turns it into one store of the
// integer, where a store of the 80-bit value read back as an integer would stall the load.
inline uint8_t RoundLevel(long double v)
{
    if (v > 255)
        return 255;
    if (!(v >= 0)) // NaN: no defined level
        return 0;
    return static_cast<uint8_t>(std::lrint(v));
}

} // namespace

void RenderImage(const tIES& ies, int plane, const RenderSettings& settings, GreyImage& image,
    const std::function<void(int)>& progress)
{
    const RenderContext context = PrepareRenderContext(ies, plane, settings);
    const Geometry& geometry = PixelGeometry();

    const tArrEx& angles = ies.VertAngles;
    const int32_t last = context.VertLast;
    const std::vector<int32_t> brackets = BracketsFor(angles, last, geometry.gValues);
    const tArrEx& rightValues = ies.Candela[context.RightPlane];
    const tArrEx& leftValues = ies.Candela[context.LeftPlane];
    const PlaneSlopes rightSlopes = SlopesOf(angles, rightValues, last);
    const PlaneSlopes leftSlopes
        = context.LeftPlane == context.RightPlane ? rightSlopes : SlopesOf(angles, leftValues, last);

    const long double brightness = context.BrightnessFactor;
    // Indexed by rank rather than by the sum itself: the table stays small enough for the cache.
    std::vector<long double> root(geometry.squareSums.size());
    for (size_t i = 0; i < root.size(); ++i)
        root[i] = std::sqrt(brightness + static_cast<long double>(geometry.squareSums[i]) / context.ZoomFactor);
    const long double radiosity = context.Radiosity ? 1 : 0;
    const long double scale = 255 / (radiosity + 1) * brightness;
    const long double renderMax = context.RenderMax;
    const long double low = context.AngleLow;
    const long double high = context.AngleHigh;
    const bool uplight = low == 90;

    GreyImage rendered {};
    const Sample* sample = geometry.samples.data();
    for (int r = 0; r < Samples; ++r) {
        if (r % 20 == 0 && progress)
            progress(r);
        const int Y = RenderSize - r;
        for (int X = 0; X < Samples; ++X, ++sample) {
            const long double x = sample->x;
            long double intensity = 0;
            if ((low <= x && x <= high) || (uplight && -high <= x && x <= -low)) {
                const long double g = std::fabs(x);
                const int32_t bracket = brackets[sample->gRank];
                const tArrEx& values = sample->left ? leftValues : rightValues;
                const PlaneSlopes& slopes = sample->left ? leftSlopes : rightSlopes;
                if (slopes.zeroStep[bracket])
                    ThrowZeroDivisor(values[bracket] - values[bracket - 1]);
                intensity = values[bracket - 1] + (g - angles[bracket - 1]) * slopes.quotient[bracket];
            }
            if (renderMax == 0)
                ThrowZeroDivisor(intensity);
            if (X < RenderSize && Y < RenderSize) {
                const long double v = std::fabs(scale * (intensity / renderMax + radiosity) / root[sample->sumRank]);
                rendered[static_cast<size_t>(Y) * RenderSize + X] = RoundLevel(v);
            }
        }
    }
    image = rendered;
}

std::string RenderTimeText(std::chrono::steady_clock::duration elapsed)
{
    // Both parts truncated: 50.7 ms reads 0.050, 2.3459 s reads 2.345.
    const long long milliseconds
        = std::max<long long>(0, std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
    std::string millis = std::to_string(milliseconds % 1000);
    millis.insert(0, 3 - millis.size(), '0');
    return "Rendering time: " + std::to_string(milliseconds / 1000) + "." + millis + " sec";
}
