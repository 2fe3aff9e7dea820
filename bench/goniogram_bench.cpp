// Redrawing the goniogram of a large file (361 planes x 1801 vertical angles) onto a 1000 x 1000 image, as
// dragging the degree track bar does on a large screen: ShowGrid then DrawIES, ortho pair on.
#include "Goniogram.h"
#include "PlaneSampling.h"
#include "QtSurface.h"
#include "RecordingSurface.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include "gui_main.h"

#include <cmath>

namespace {

constexpr int Side = 1000;

// A smooth asymmetric distribution: a wide beam tilted with the plane angle.
const tIES& LargeRecord()
{
    static const tIES ies = [] {
        tIES r;
        r.NumHorizAngles = 361;
        r.NumVertAngles = 1801;
        for (int h = 0; h < 361; ++h)
            r.HorizAngles.push_back(h);
        for (int v = 0; v < 1801; ++v)
            r.VertAngles.push_back(v * 0.1L);
        for (int h = 0; h < 361; ++h) {
            r.Candela.emplace_back();
            for (int v = 0; v < 1801; ++v) {
                const long double angle = v * 0.1L * 0.017453292519943295769L;
                const long double tilt = 1 + 0.3L * std::cos(h * 0.017453292519943295769L);
                r.Candela.back().push_back(1000 * tilt * std::pow(std::fabs(std::cos(angle / 1.2L)), 3) + 20);
            }
        }
        return r;
    }();
    return ies;
}

GoniogramInput Input(int plane, bool fitDown)
{
    const tIES& ies = LargeRecord();
    GoniogramInput input;
    input.ies = &ies;
    input.plane = plane;
    input.fitDown = fitDown;
    input.orthoDown = true;
    input.maxIntensity = ComputeMaxIntensity(ies, 0, 360);
    input.width = Side;
    input.height = Side;
    return input;
}

// Plane 0 with the ortho pair: four curves of 1801 points.
void BM_GoniogramQImage(benchmark::State& state)
{
    const GoniogramInput input = Input(0, state.range(0) != 0);
    QImage image(Side, Side, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        QtSurface surface(&painter, QColor(240, 240, 240));
        ShowGrid(surface, Side, Side);
        DrawIES(surface, input);
    }
    benchmark::DoNotOptimize(image.constBits());
}
BENCHMARK(BM_GoniogramQImage)->Arg(1)->Arg(0)->ArgName("fit")->Unit(benchmark::kMillisecond);

// The drawing code alone, without pixels.
void BM_GoniogramRecorded(benchmark::State& state)
{
    const GoniogramInput input = Input(0, true);
    for (auto _ : state) {
        RecordingSurface surface;
        ShowGrid(surface, Side, Side);
        DrawIES(surface, input);
        benchmark::DoNotOptimize(surface.Text().size());
    }
}
BENCHMARK(BM_GoniogramRecorded)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return RunBenchmarksWithGui(argc, argv); }
