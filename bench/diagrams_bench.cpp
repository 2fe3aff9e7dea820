// The diagrams of a generated 361 x 1801 table (the largest a real file holds): the isolux picture at 600 x 600
// (laid out, then painted into a PNG as the command line writes it), its layout and its painting alone, and the isolux
// numbers on the default 41 x 41 grid.
#include "Diagrams.h"
#include "ScenePainter.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include "gui_main.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// 361 vertical angles from 0 to 180 and 1801 planes from 0 to 360: a spot, wider along C90.
tIES Generate()
{
    tIES ies;
    ies.NumVertAngles = 361;
    ies.NumHorizAngles = 1801;
    for (int v = 0; v < 361; ++v)
        ies.VertAngles.push_back(0.5L * v);
    for (int h = 0; h < 1801; ++h)
        ies.HorizAngles.push_back(0.2L * h);
    for (int h = 0; h < 1801; ++h) {
        const long double width = 900 + 600 * std::pow(std::sin(ies.HorizAngles[h] * 3.14159265358979L / 180), 2);
        tArrEx row;
        for (const long double angle : ies.VertAngles)
            row.push_back(12000.0L * std::exp(-angle * angle / width));
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
    return header;
}

const tIES& Record()
{
    static const tIES ies = Generate();
    return ies;
}

diagrams::DiagramInput Input()
{
    static const tPhotometricHeader header = Header();
    diagrams::DiagramInput input;
    input.ies = &Record();
    input.header = &header;
    return input;
}

void IsoluxPicture(benchmark::State& state)
{
    const diagrams::DiagramInput input = Input();
    if (ScenePng(diagrams::BuildIsolux(input, 600, 600), QSize(600, 600)).isEmpty()) {
        std::fputs("the isolux picture was not drawn\n", stderr);
        std::exit(1);
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(ScenePng(diagrams::BuildIsolux(input, 600, 600), QSize(600, 600)));
}

void IsoluxLayout(benchmark::State& state)
{
    const diagrams::DiagramInput input = Input();
    for (auto _ : state)
        benchmark::DoNotOptimize(diagrams::BuildIsolux(input, 600, 600));
}

void IsoluxPainting(benchmark::State& state)
{
    const scene::Scene scene = diagrams::BuildIsolux(Input(), 600, 600);
    for (auto _ : state) {
        QImage image(600, 600, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        PaintScene(painter, scene, QRectF(0, 0, 600, 600));
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void IsoluxValues(benchmark::State& state)
{
    const diagrams::DiagramInput input = Input();
    if (diagrams::IsoluxValues(input).rows.size() != 41u * 41u) {
        std::fputs("the isolux values are not on a 41 x 41 grid\n", stderr);
        std::exit(1);
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(diagrams::ValuesText(diagrams::IsoluxValues(input), ','));
}

} // namespace

BENCHMARK(IsoluxPicture)->Unit(benchmark::kMillisecond);
BENCHMARK(IsoluxLayout)->Unit(benchmark::kMillisecond);
BENCHMARK(IsoluxPainting)->Unit(benchmark::kMillisecond);
BENCHMARK(IsoluxValues)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) { return RunBenchmarksWithGui(argc, argv); }
