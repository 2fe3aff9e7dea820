// The UGR table of a 24-plane by 37-angle luminaire at the catalogue spacing (SHR 0.25, 10,656 luminaires over the
// 19 rooms, 1,536 in the largest): as a program computes every table after its first (the rooms laid out once),
// with the rooms laid out each time, and the rating alone.
#include "UgrTable.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

// A full circle of 24 planes (0 to 345 degrees) by 37 vertical angles (0 to 180), an asymmetric batwing.
struct Luminaire {
    tIES ies;
    tPhotometricHeader header;
};

Luminaire Generated()
{
    Luminaire l;
    for (int h = 0; h < 24; ++h)
        l.ies.HorizAngles.push_back(15.0L * h);
    for (int v = 0; v < 37; ++v)
        l.ies.VertAngles.push_back(5.0L * v);
    for (int h = 0; h < 24; ++h) {
        tArrEx row;
        for (int v = 0; v < 37; ++v) {
            const long double g = 5.0L * v * M_PI / 180, c = 15.0L * h * M_PI / 180;
            row.push_back(v > 18 ? 20.0L : 300 * std::cos(g) * (1 + 0.4L * std::sin(g) * std::cos(c)) + 5 * h);
        }
        l.ies.Candela.push_back(row);
    }
    l.ies.NumHorizAngles = 24;
    l.ies.NumVertAngles = 37;
    l.header.NumberOfLamps = 1;
    l.header.LumensPerLamp = 3000;
    l.header.CandelaMultiplier = 1;
    l.header.PhotometricType = 1;
    l.header.UnitsType = 2;
    l.header.Width = 1.2L;
    l.header.Length = 0.3L;
    l.header.Height = 0.05L;
    return l;
}

void BM_UgrTableAtSpacingQuarter(benchmark::State& state)
{
    const Luminaire l = Generated();
    for (auto _ : state) {
        tUgrResult result = ComputeUgrTable(l.ies, l.header, { 0.25L, true });
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_UgrTableAtSpacingQuarter)->Unit(benchmark::kMillisecond);

// The first table of a program: the rooms laid out, the luminaire read and rated.
void BM_UgrTableWithItsGeometry(benchmark::State& state)
{
    const Luminaire l = Generated();
    for (auto _ : state) {
        std::string reason;
        const auto luminaire = tGlareLuminaire::Of(l.ies, l.header, reason);
        const auto geometry = ugr::StandardGeometry(0.25L);
        tUgrTable table = ComputeUgrTable(*luminaire, *geometry, true);
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(BM_UgrTableWithItsGeometry)->Unit(benchmark::kMillisecond);

void BM_UgrRatingOverLaidOutRooms(benchmark::State& state)
{
    const Luminaire l = Generated();
    std::string reason;
    const auto luminaire = tGlareLuminaire::Of(l.ies, l.header, reason);
    const auto geometry = ugr::StandardGeometry(0.25L);
    for (auto _ : state) {
        tUgrTable table = ComputeUgrTable(*luminaire, *geometry, false);
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(BM_UgrRatingOverLaidOutRooms)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
