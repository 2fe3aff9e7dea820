// The datasheet as a user makes it: `gonilux-cli report FILE -o sheet.pdf` on a 361 x 1801 file (every degree of
// C, every tenth of a degree of gamma), the whole process from start to the PDF written; the counter gives the
// PDF's size.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "spawn_timed.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// 361 planes (C 0 to 360 by 1) by 1801 vertical angles (0 to 180 by 0.1), a wide beam varying with C.
std::string WriteLargest(const fs::path& path)
{
    std::ofstream out(path);
    out << "IESNA:LM-63-2002\r\n[TEST] datasheet bench\r\n[MANUFAC] Gonilux bench\r\n[LUMINAIRE] Generated 361 x 1801"
           "\r\nTILT=NONE\r\n1 -1 1 1801 361 1 2 0.5 0.5 0\r\n1 1 40\r\n";
    for (int v = 0; v <= 1800; ++v)
        out << v / 10 << '.' << v % 10 << (v % 10 == 9 || v == 1800 ? "\r\n" : " ");
    for (int h = 0; h <= 360; ++h)
        out << h << (h % 20 == 19 || h == 360 ? "\r\n" : " ");
    for (int h = 0; h <= 360; ++h)
        for (int v = 0; v <= 1800; ++v) {
            const double gamma = v / 10.0 * M_PI / 180, c = h * M_PI / 180;
            const double value = std::max(0.0, 1000 * std::cos(gamma) * (1 + 0.3 * std::cos(2 * c)));
            out << std::lround(value * 10) / 10.0 << (v % 10 == 9 || v == 1800 ? "\r\n" : " ");
        }
    return path.string();
}

void ReportLargest(benchmark::State& state)
{
    const fs::path folder = fs::temp_directory_path() / "gonilux_datasheet_bench";
    fs::create_directories(folder);
    const std::string file = WriteLargest(folder / "largest_361x1801.ies");
    const std::string sheet = (folder / "sheet.pdf").string();
    for (auto _ : state)
        state.SetIterationTime(Spawn({ GONILUX_CLI, "report", file, "-o", sheet }));
    state.counters["pdf_kB"] = static_cast<double>(fs::file_size(sheet)) / 1024;
    fs::remove_all(folder);
}
BENCHMARK(ReportLargest)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
