// The image loop of the render. It computes every sample with the same operations, in the same order and in
// the same 80-bit precision as PixelColor, so the bytes are those of the pixel-by-pixel loop; it only avoids
// repeating work whose result cannot differ:
// - the signed vertical angle of a sample depends on the geometry alone: computed once per process;
// - the bracket search depends on g = |x| and the vertical angles alone. The samples are grouped once per
//   process into bands of g 1/64 degree wide; each render finds the brackets of every band's least and greatest
//   g in one pass over the bands and the angles together. Where the two are equal (nearly always) every sample
//   of the band has that bracket; otherwise the search goes on from the least one's bracket, over the few angles
//   inside the band;
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

constexpr int32_t BandsPerDegree = 64; // a power of two: g * 64 is exact, and so is the band it gives

// What a sample needs besides its angle; two bytes each keep the per-process tables small (every page of them is
// touched once, on the first render).
struct SampleIndex {
    uint16_t sumRank; // index of a*a + b*b in Geometry::squareSums
    uint16_t band; // index of the band of |x| among the bands that hold samples
};

struct Geometry {
    std::vector<long double> x; // the signed vertical angle of each sample, in loop order: r = 0..300, X = 0..300
    std::vector<SampleIndex> index; // the same order
    std::vector<int32_t> squareSums; // the distinct values of a*a + b*b
    // For band i (ascending g), its least g at 2i and its greatest at 2i + 1: the whole is ascending.
    std::vector<long double> bandBounds;
};

// Numbers the bands that hold samples in ascending order, notes each one's least and greatest |x| and gives
// each sample its band's number. No sort: a sample's band is its |x| scaled by a power of two and truncated.
void BandVerticalAngles(Geometry& geometry)
{
    const auto bandOf = [](long double x) { return static_cast<size_t>(std::fabs(x) * BandsPerDegree); };
    size_t bandCount = 0;
    for (const long double x : geometry.x)
        bandCount = std::max(bandCount, bandOf(x) + 1);
    // Every band's least and greatest |x| first, then the empty bands squeezed out in place (a band's number is
    // never above its place, so nothing is overwritten before it is read).
    std::vector<long double>& bounds = geometry.bandBounds;
    bounds.resize(2 * bandCount);
    for (size_t band = 0; band < bandCount; ++band) {
        bounds[2 * band] = HUGE_VALL;
        bounds[2 * band + 1] = -HUGE_VALL;
    }
    for (const long double x : geometry.x) {
        const size_t band = bandOf(x);
        bounds[2 * band] = std::min(bounds[2 * band], std::fabs(x));
        bounds[2 * band + 1] = std::max(bounds[2 * band + 1], std::fabs(x));
    }
    std::vector<uint16_t> number(bandCount, 0);
    size_t kept = 0;
    for (size_t band = 0; band < bandCount; ++band) {
        if (bounds[2 * band] > bounds[2 * band + 1])
            continue; // no sample falls into it
        number[band] = static_cast<uint16_t>(kept);
        bounds[2 * kept] = bounds[2 * band];
        bounds[2 * kept + 1] = bounds[2 * band + 1];
        ++kept;
    }
    bounds.resize(2 * kept);
    for (size_t i = 0; i < geometry.x.size(); ++i)
        geometry.index[i].band = number[bandOf(geometry.x[i])];
}

Geometry BuildGeometry()
{
    static_assert(180 * BandsPerDegree < 65536 && MaxSquareSum < 65536, "two-byte sample indexes");
    Geometry geometry;
    geometry.x.reserve(static_cast<size_t>(Samples) * Samples);
    geometry.index.reserve(static_cast<size_t>(Samples) * Samples);
    std::vector<uint16_t> rankOfSum(MaxSquareSum + 1, 0);
    std::vector<bool> seen(MaxSquareSum + 1, false);
    for (int r = 0; r < Samples; ++r) {
        for (int X = 0; X < Samples; ++X) {
            const int32_t a = X - 150;
            const int32_t b = 150 - r;
            const int32_t sum = a * a + b * b;
            if (!seen[sum]) {
                seen[sum] = true;
                rankOfSum[sum] = static_cast<uint16_t>(geometry.squareSums.size());
                geometry.squareSums.push_back(sum);
            }
            geometry.x.push_back(SignedVerticalAngle(a, b));
            geometry.index.push_back({ rankOfSum[sum], 0 });
        }
    }
    BandVerticalAngles(geometry);
    return geometry;
}

// The bracket of g, given `from`, the bracket of a g' <= g: the literal search passed every angle before
// from - 1 for g', so it passes them for g too and may go on from there.
inline int32_t BracketFrom(const tArrEx& angles, int32_t last, int32_t from, long double g)
{
    int32_t k = from - 1;
    while (k < last && angles[k] < g)
        ++k;
    return std::max<int32_t>(k, 1);
}

// Thread-safe, built on first use.
const Geometry& PixelGeometry()
{
    static const Geometry geometry = BuildGeometry();
    return geometry;
}

// What the lookup reads of bracket k (k = 1..VertLast) of one plane, covering angles k-1 and k: kept together so
// that a lookup touches one cache line, which matters when the vertical angles are many.
struct Bracket {
    long double start; // angle k-1
    long double value; // the value at angle k-1
    long double quotient; // the difference quotient over the bracket
    bool zeroStep; // angles k-1 and k are equal: a fault only when a sample falls into this bracket
};

// Fills the brackets of one plane, reusing their memory.
void FillBrackets(const tArrEx& angles, const tArrEx& values, int32_t last, std::vector<Bracket>& brackets)
{
    brackets.resize(static_cast<size_t>(last) + 1);
    for (int32_t k = 1; k <= last; ++k) {
        const long double rise = values[k] - values[k - 1];
        const long double step = angles[k] - angles[k - 1];
        Bracket& bracket = brackets[static_cast<size_t>(k)];
        bracket.start = angles[k - 1];
        bracket.value = values[k - 1];
        bracket.zeroStep = step == 0;
        bracket.quotient = step == 0 ? 0 : rise / step;
    }
}

// The tables of one render, kept by each thread from one render to the next. Allocated afresh, the larger ones
// would often go back to the system when freed and have their pages faulted in again on the next render.
struct RenderTables {
    std::vector<int32_t> bandBrackets; // the brackets of every band's least and greatest g, at 2i and 2i + 1
    std::vector<Bracket> right;
    std::vector<Bracket> left;
    std::vector<long double> root; // by rank of a*a + b*b
};

} // namespace

void RenderImage(const tIES& ies, int plane, const RenderSettings& settings, GreyImage& image,
    const std::function<void(int)>& progress)
{
    const RenderContext context = PrepareRenderContext(ies, plane, settings);
    const Geometry& geometry = PixelGeometry();

    const tArrEx& angles = ies.VertAngles;
    const int32_t last = context.VertLast;
    // A render started from within another one's progress call gets tables of its own.
    thread_local RenderTables kept;
    thread_local bool keptInUse = false;
    RenderTables own;
    RenderTables& tables = keptInUse ? own : kept;
    // Whatever way this render ends, the kept tables are as much in use as they were before it.
    const struct Restore {
        bool inUse;
        ~Restore() { keptInUse = inUse; }
    } restore { std::exchange(keptInUse, true) };
    BracketsFor(angles, last, geometry.bandBounds, tables.bandBrackets);
    const std::vector<int32_t>& bandBrackets = tables.bandBrackets;
    const tArrEx& rightValues = ies.Candela[context.RightPlane];
    const tArrEx& leftValues = ies.Candela[context.LeftPlane];
    FillBrackets(angles, rightValues, last, tables.right);
    if (context.LeftPlane != context.RightPlane)
        FillBrackets(angles, leftValues, last, tables.left);
    const std::vector<Bracket>& leftBrackets = context.LeftPlane == context.RightPlane ? tables.right : tables.left;

    const long double brightness = context.BrightnessFactor;
    // Indexed by rank rather than by the sum itself: the table stays small enough for the cache.
    std::vector<long double>& root = tables.root;
    root.resize(geometry.squareSums.size());
    for (size_t i = 0; i < root.size(); ++i)
        root[i] = std::sqrt(brightness + static_cast<long double>(geometry.squareSums[i]) / context.ZoomFactor);
    const long double radiosity = context.Radiosity ? 1 : 0;
    const long double scale = 255 / (radiosity + 1) * brightness;
    const long double renderMax = context.RenderMax;
    const long double low = context.AngleLow;
    const long double high = context.AngleHigh;
    const bool uplight = low == 90;

    // With RenderMax 0 the first sample already fails (its own lookup may fail before the quotient does).
    if (renderMax == 0) {
        if (progress)
            progress(0);
        PixelColor(ies, context, -150, 150);
    }

    GreyImage rendered {};
    const long double* sampleX = geometry.x.data();
    const SampleIndex* sample = geometry.index.data();
    for (int r = 0; r < Samples; ++r) {
        if (r % 20 == 0 && progress)
            progress(r);
        const int Y = RenderSize - r;
        // Row r = 0 and column X = 300 fall outside the image: computed for their faults, not stored.
        uint8_t* row = Y < RenderSize ? &rendered[static_cast<size_t>(Y) * RenderSize] : nullptr;
        // The left half (a < 0) reads the partner plane, the rest the selected one.
        for (int X = 0; X < Samples;) {
            const bool left = X < 150;
            const int end = left ? 150 : Samples;
            const long double* values = left ? leftValues.data() : rightValues.data();
            const Bracket* brackets = left ? leftBrackets.data() : tables.right.data();
            for (; X < end; ++X, ++sampleX, ++sample) {
                const long double x = *sampleX;
                long double intensity = 0;
                if ((low <= x && x <= high) || (uplight && -high <= x && x <= -low)) {
                    const long double g = std::fabs(x);
                    const int32_t* band = &bandBrackets[2 * static_cast<size_t>(sample->band)];
                    const int32_t bracket = band[0] == band[1] ? band[0] : BracketFrom(angles, last, band[0], g);
                    const Bracket& at = brackets[bracket];
                    if (at.zeroStep)
                        ThrowZeroDivisor(values[bracket] - values[bracket - 1]);
                    intensity = at.value + (g - at.start) * at.quotient;
                }
                if (row && X < RenderSize) {
                    const long double v
                        = std::fabs(scale * (intensity / renderMax + radiosity) / root[sample->sumRank]);
                    row[X] = LevelFromValue(v);
                }
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
