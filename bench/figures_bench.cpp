// Photometric figures (flux, zones, maximum, beam and field angles) of a generated 361 x 1801 table, the largest a
// real file holds, and of a typical 37 x 73 table. Before timing, the generated distribution's figures are checked
// to be computed.
#include "PhotometricFigures.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace {

// numVert vertical angles from 0 to 180 and numHoriz planes from 0 to 360, a smooth downlight with some noise.
tIES Generate(int numVert, int numHoriz)
{
    tIES ies;
    ies.NumVertAngles = static_cast<uint16_t>(numVert);
    ies.NumHorizAngles = static_cast<uint16_t>(numHoriz);
    for (int v = 0; v < numVert; ++v)
        ies.VertAngles.push_back(180.0L * v / (numVert - 1));
    for (int h = 0; h < numHoriz; ++h)
        ies.HorizAngles.push_back(360.0L * h / (numHoriz - 1));
    std::mt19937 random(5);
    for (int h = 0; h < numHoriz; ++h) {
        tArrEx row;
        for (const long double angle : ies.VertAngles)
            row.push_back(
                24000.0L * std::exp(-angle * angle / 1800) * (1 + 0.2L * std::cos(h * 0.05L)) + random() % 100);
        ies.Candela.push_back(row);
    }
    return ies;
}

tPhotometricHeader Header()
{
    tPhotometricHeader header;
    header.NumberOfLamps = 1;
    header.LumensPerLamp = -1;
    header.CandelaMultiplier = 1;
    header.PhotometricType = 1;
    header.BallastFactor = 1;
    header.InputWatts = 120.5L;
    return header;
}

void Figures(benchmark::State& state, int numVert, int numHoriz)
{
    const tIES ies = Generate(numVert, numHoriz);
    const tPhotometricHeader header = Header();
    const PhotometricFigures check = ComputeFigures(ies, header);
    if (!check.Flux || !check.Beam.First || !check.Field.Second || !check.ZonalFlux) {
        std::fprintf(
            stderr, "figures of the generated %d x %d table not computed: %s\n", numVert, numHoriz, check.Note.c_str());
        std::exit(1);
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeFigures(ies, header));
}

} // namespace

BENCHMARK_CAPTURE(Figures, generated_361x1801, 361, 1801)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Figures, typical_37x73, 37, 73)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
