// Checking a catalogue: a generated folder of 10,000 IES files of about 9 kB each (37 x 37 angles), checked by
// `gonilux-cli check` as a user runs it (all cores, output discarded), and one such file checked in memory.
#include "Checker.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int kFiles = 10000;

// An LM-63-2002 file, 37 vertical angles 0 to 90 by 37 planes 0 to 360, intensities varied by seed.
std::string GeneratedFile(int seed)
{
    std::string text = "IESNA:LM-63-2002\r\n[TEST] BENCH-" + std::to_string(seed)
        + "\r\n[MANUFAC] Bench Lighting\r\n[LUMINAIRE] Generated\r\n[LAMP] LED\r\nTILT=NONE\r\n"
          "1 -1 1 37 37 1 2 0.5 0.5 0\r\n1 1 42.5\r\n";
    char number[32];
    for (int v = 0; v < 37; ++v) {
        std::snprintf(number, sizeof number, "%g%s", 2.5 * v, v % 10 == 9 || v == 36 ? "\r\n" : " ");
        text += number;
    }
    for (int h = 0; h < 37; ++h) {
        std::snprintf(number, sizeof number, "%d%s", 10 * h, h % 10 == 9 || h == 36 ? "\r\n" : " ");
        text += number;
    }
    for (int h = 0; h < 37; ++h)
        for (int v = 0; v < 37; ++v) {
            const double candela = 4000.0 * std::cos(v * 2.5 * M_PI / 180) * (1 + 0.1 * std::sin(h + seed)) + 100;
            std::snprintf(number, sizeof number, "%.1f%s", candela, v % 10 == 9 || v == 36 ? "\r\n" : " ");
            text += number;
        }
    return text;
}

// The folder lives in the system's temporary folder for the whole run.
const std::string& Catalogue()
{
    static const std::string dir = [] {
        const fs::path path = fs::temp_directory_path() / ("gonilux_check_bench_" + std::to_string(::getpid()));
        fs::create_directories(path);
        for (int i = 0; i < kFiles; ++i)
            std::ofstream(path / ("lum" + std::to_string(100000 + i) + ".ies"), std::ios::binary) << GeneratedFile(i);
        std::atexit(
            [] { fs::remove_all(fs::temp_directory_path() / ("gonilux_check_bench_" + std::to_string(::getpid()))); });
        return path.string();
    }();
    return dir;
}

void BM_CheckFolderOf10000Files(benchmark::State& state)
{
    const std::string command = std::string("'") + GONILUX_CLI + "' check --quiet '" + Catalogue() + "' >/dev/null";
    if (std::system(command.c_str()) != 0) // a warm run that must find the generated files clean
        state.SkipWithError("the generated files are not clean");
    std::uintmax_t bytes = 0;
    for (const auto& entry : fs::directory_iterator(Catalogue()))
        bytes += entry.file_size();
    for (auto _ : state)
        benchmark::DoNotOptimize(std::system(command.c_str()));
    state.counters["files"] = kFiles;
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_CheckFolderOf10000Files)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_CheckOneFileInMemory(benchmark::State& state)
{
    const std::string bytes = GeneratedFile(7);
    for (auto _ : state)
        benchmark::DoNotOptimize(CheckIesText(bytes));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_CheckOneFileInMemory)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
