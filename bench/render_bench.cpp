// The render image at the default settings: the fast loop against the literal pixel-by-pixel loop, for a
// 37 x 73 file (vertical 0..180 by 5, planes 0..360 by 5), a 181 x 361 one (vertical 0..180 by 1, planes
// 0..360 by 1) and two fine-step ones with vertical angles 0..180 by 0.1 (1801 of them) on 37 planes
// (0..360 by 10) and on 361 planes (by 1). Both loops give the same bytes; the ratio of the two times is the
// speed-up.
#include "RenderCompute.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <stdexcept>

namespace {

// A smooth, realistic distribution: a wide beam that changes slowly from plane to plane.
tIES SyntheticFile(int verticalCount, long double verticalStep, int planeCount, long double planeStep)
{
    tIES ies;
    ies.NumVertAngles = static_cast<uint16_t>(verticalCount);
    ies.NumHorizAngles = static_cast<uint16_t>(planeCount);
    for (int v = 0; v < verticalCount; ++v)
        ies.VertAngles.push_back(v * verticalStep);
    for (int h = 0; h < planeCount; ++h) {
        ies.HorizAngles.push_back(h * planeStep);
        tArrEx values;
        for (const long double angle : ies.VertAngles) {
            const long double radians = angle * 3.14159265358979323846L / 180;
            const long double beam = std::pow(std::max(0.0L, std::cos(radians)), 1.5L);
            values.push_back(2000 * beam * (1 + 0.2L * std::sin(h * planeStep / 30)) + 15);
        }
        ies.Candela.push_back(values);
    }
    return ies;
}

const tIES& SmallFile()
{
    static const tIES ies = SyntheticFile(37, 5, 73, 5);
    return ies;
}

const tIES& LargeFile()
{
    static const tIES ies = SyntheticFile(181, 1, 361, 1);
    return ies;
}

const tIES& FineFile()
{
    static const tIES ies = SyntheticFile(1801, 0.1L, 37, 10);
    return ies;
}

const tIES& FineLargeFile()
{
    static const tIES ies = SyntheticFile(1801, 0.1L, 361, 1);
    return ies;
}

void RenderWith(benchmark::State& state, const tIES& ies,
    void (*render)(const tIES&, int, const RenderSettings&, GreyImage&, const std::function<void(int)>&))
{
    using Clock = std::chrono::steady_clock;
    GreyImage image {};
    GreyImage reference {};
    // The literal time once more outside the loop, for the speed-up counter.
    const Clock::time_point literalStart = Clock::now();
    RenderImageLiteral(ies, 0, RenderSettings {}, reference, nullptr);
    const std::chrono::duration<double> literal = Clock::now() - literalStart;
    render(ies, 0, RenderSettings {}, image, nullptr); // the per-process pixel angles are built on first use

    const Clock::time_point start = Clock::now();
    for (auto _ : state) {
        render(ies, 0, RenderSettings {}, image, nullptr);
        benchmark::DoNotOptimize(image.data());
        benchmark::ClobberMemory();
    }
    const std::chrono::duration<double> total = Clock::now() - start;
    if (image != reference)
        state.SkipWithError("the image differs from the literal one");
    if (state.iterations() > 0)
        state.counters["literal_per_this"]
            = literal.count() / (total.count() / static_cast<double>(state.iterations()));
}

void BM_RenderLiteral_37x73(benchmark::State& state) { RenderWith(state, SmallFile(), &RenderImageLiteral); }
void BM_RenderFast_37x73(benchmark::State& state) { RenderWith(state, SmallFile(), &RenderImage); }
void BM_RenderLiteral_181x361(benchmark::State& state) { RenderWith(state, LargeFile(), &RenderImageLiteral); }
void BM_RenderFast_181x361(benchmark::State& state) { RenderWith(state, LargeFile(), &RenderImage); }
void BM_RenderLiteral_1801x37(benchmark::State& state) { RenderWith(state, FineFile(), &RenderImageLiteral); }
void BM_RenderFast_1801x37(benchmark::State& state) { RenderWith(state, FineFile(), &RenderImage); }
void BM_RenderLiteral_1801x361(benchmark::State& state) { RenderWith(state, FineLargeFile(), &RenderImageLiteral); }
void BM_RenderFast_1801x361(benchmark::State& state) { RenderWith(state, FineLargeFile(), &RenderImage); }

} // namespace

BENCHMARK(BM_RenderLiteral_37x73)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderFast_37x73)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderLiteral_181x361)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderFast_181x361)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderLiteral_1801x37)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderFast_1801x37)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderLiteral_1801x361)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderFast_1801x361)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
