// The bracket index of the render against the linear search it stands for, and the fast image loop against the
// literal one on fine-step records (0.1 degree steps) whose vertical angles repeat, fall back or come unsorted.
#include "RenderContext.h"
#include "VerticalBrackets.h"
#include "render_records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace {

constexpr long double Infinity = std::numeric_limits<long double>::infinity();

// The search as the lookup reads it: from the first angle on, the first one not below g, else the last.
int32_t LinearBracket(const tArrEx& angles, long double g)
{
    const int32_t last = static_cast<int32_t>(angles.size()) - 1;
    int32_t k = 0;
    while (angles[k] < g && k < last)
        ++k;
    return std::max<int32_t>(k, 1);
}

// Every finite angle, the reals just below and above it, the midpoints of neighbours and values beyond both
// ends: ascending and distinct, as the index takes them.
std::vector<long double> ProbesAround(const tArrEx& angles)
{
    std::vector<long double> probes { -1, 0, 1000, Infinity };
    for (size_t i = 0; i < angles.size(); ++i) {
        const long double angle = angles[i];
        if (!std::isfinite(angle))
            continue;
        probes.insert(probes.end(), { angle, std::nextafter(angle, -Infinity), std::nextafter(angle, Infinity) });
        if (i > 0 && std::isfinite(angles[i - 1]))
            probes.push_back((angle + angles[i - 1]) / 2);
    }
    std::sort(probes.begin(), probes.end());
    probes.erase(std::unique(probes.begin(), probes.end()), probes.end());
    return probes;
}

tArrEx Shuffled(tArrEx angles, unsigned seed)
{
    std::shuffle(angles.begin(), angles.end(), std::mt19937(seed));
    return angles;
}

// Each angle `times` times in a row.
tArrEx Repeated(const tArrEx& angles, int times)
{
    tArrEx repeated;
    for (const long double angle : angles)
        repeated.insert(repeated.end(), static_cast<size_t>(times), angle);
    return repeated;
}

// Ascending by `step`, but every run of `run` angles reversed: descending inside each run.
tArrEx RunsReversed(int count, long double step, int run)
{
    tArrEx angles = Steps(0, step, count);
    for (size_t start = 0; start < angles.size(); start += static_cast<size_t>(run))
        std::reverse(angles.begin() + static_cast<std::ptrdiff_t>(start),
            angles.begin() + static_cast<std::ptrdiff_t>(std::min(angles.size(), start + static_cast<size_t>(run))));
    return angles;
}

tArrEx Joined(tArrEx first, const tArrEx& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// |x| of the samples along the row b = 100, sorted: angles that the render's own samples hit exactly.
tArrEx SampleAngles()
{
    tArrEx angles;
    for (int a = -150; a <= 150; ++a)
        angles.push_back(std::fabs(SignedVerticalAngle(a, 100)));
    std::sort(angles.begin(), angles.end());
    angles.erase(std::unique(angles.begin(), angles.end()), angles.end());
    return angles;
}

const tArrEx Fine = Steps(0, 0.1L, 1801);

} // namespace

TEST(RenderBrackets, SameAsTheLinearSearch)
{
    struct Case {
        const char* name;
        tArrEx angles;
    };
    const Case cases[] = {
        { "fine ascending", Fine },
        { "two angles", { 0, 90 } },
        { "descending", Steps(180, -0.5L, 361) },
        { "shuffled", Shuffled(Fine, 11) },
        { "each angle three times", Repeated(Steps(0, 0.5L, 361), 3) },
        { "runs of seven reversed", RunsReversed(1801, 0.1L, 7) },
        { "up to 90, back to 45, up to 180", Joined(Steps(0, 0.1L, 901), Steps(45, 0.1L, 1351)) },
        { "all equal", tArrEx(50, 30) },
        { "the samples' own angles, twice over", Joined(SampleAngles(), SampleAngles()) },
        { "NaN and infinities among them",
            { 0, 10, std::numeric_limits<long double>::quiet_NaN(), 5, Infinity, 20, -Infinity, 90 } },
        { "infinity first", { Infinity, 0, 90 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<long double> probes = ProbesAround(c.angles);
        std::vector<int32_t> brackets;
        BracketsFor(c.angles, static_cast<int32_t>(c.angles.size()) - 1, probes, brackets);
        ASSERT_EQ(brackets.size(), probes.size());
        size_t differing = 0;
        for (size_t i = 0; i < probes.size(); ++i)
            differing += brackets[i] != LinearBracket(c.angles, probes[i]);
        EXPECT_EQ(differing, 0u);
    }
}

TEST(RenderFastPath, SameBytesAsLiteralOnFineStepRecords)
{
    const tArrEx samples = SampleAngles();
    struct Case {
        const char* name;
        tIES ies;
        int plane;
    };
    const Case cases[] = {
        { "37 planes by 10, vertical by 0.1", RandomRecord(Fine, Steps(0, 10, 37), 21), 3 },
        { "uplight by 0.1", RandomRecord(Steps(90, 0.1L, 901), Steps(0, 90, 5), 22), 1 },
        { "each angle twice", RandomRecord(Repeated(Steps(0, 0.2L, 901), 2), { 0 }, 23), 0 },
        { "shuffled", RandomRecord(Joined(Shuffled(Fine, 24), { 180 }), Steps(0, 180, 2), 24), 0 },
        { "runs of seven reversed", RandomRecord(RunsReversed(1801, 0.1L, 7), { 0 }, 25), 0 },
        { "up to 90, back to 45, up to 180", RandomRecord(Joined(Fine, Steps(45, 0.1L, 1351)), { 0 }, 26), 0 },
        { "plateaus of five", RandomRecord(Joined({ -1 }, Repeated(Steps(0, 0.5L, 361), 5)), { 0 }, 27), 0 },
        // From 0, then each angle the samples of a row hit exactly, twice in a row, then on to 180.
        { "the samples' own angles, twice",
            RandomRecord(Joined(Joined({ 0 }, Repeated(samples, 2)), { 90, 180 }), Steps(0, 90, 5), 28, true), 2 },
        { "the samples' own angles, shuffled, twice over",
            RandomRecord(Joined(Joined({ 0 }, Shuffled(samples, 29)), Joined(samples, { 180 })), { 0 }, 29), 0 },
        // Many angles between the directions of neighbouring samples, where one lookup passes them all.
        { "two hundred angles inside a hundredth of a degree",
            RandomRecord(Joined(Joined(Steps(0, 1, 31), Steps(30.001L, 0.00005L, 200)), Steps(31, 1, 150)), { 0 }, 30),
            0 },
        { "every sixty-fourth of a degree, shuffled",
            RandomRecord(Joined({ 0 }, Joined(Shuffled(Steps(0, 1.0L / 64, 11521), 31), { 180 })), { 0 }, 31), 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // The index is the same for every setting: the plain one and one with radiosity suffice.
        for (const RenderSettings& settings : { ComparedSettings[0], ComparedSettings[3] })
            EXPECT_EQ(ExpectSameAsLiteral(c.ies, c.plane, settings), "") << "the record was meant to render";
    }
}
