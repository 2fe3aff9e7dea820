// gonilux-cli as a user meets it, whole processes started with posix_spawn:
//  - InfoAgainstReadOnly: `gonilux-cli info` on a 37 x 73 file and a C program that only reads the file, started
//    alternately in one run; the counters give each one's mean wall time and their ratio.
//  - RenderPgmFineStep: `gonilux-cli render -o x.pgm` on a file of 1801 vertical angles (0.1 degree steps) by 37
//    planes, the whole process: start, read, the first render of the process, write.
//  - RenderBatch1000: `gonilux-cli render` of 1,000 files into a folder of PGM pictures, wall time.
#include <benchmark/benchmark.h>

#include <chrono>
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

// An IES file of 37 vertical angles (0 to 180 degrees) by 73 horizontal angles (0 to 360 degrees).
std::string WriteGrid(const fs::path& path)
{
    std::ofstream out(path);
    out << "IESNA:LM-63-2002\r\n[TEST] start-up bench\r\nTILT=NONE\r\n1 1000 1 37 73 1 2 0.5 0.5 0\r\n1 1 100\r\n";
    for (int v = 0; v < 37; ++v)
        out << v * 5 << (v == 36 ? "\r\n" : " ");
    for (int h = 0; h < 73; ++h)
        out << h * 5 << (h == 72 ? "\r\n" : " ");
    for (int h = 0; h < 73; ++h)
        for (int v = 0; v < 37; ++v)
            out << 1000 - v * 20 + h % 7 << (v == 36 ? "\r\n" : " ");
    return path.string();
}

void InfoAgainstReadOnly(benchmark::State& state)
{
    const fs::path folder = fs::temp_directory_path() / "gonilux_cli_bench_info";
    fs::create_directories(folder);
    const std::string file = WriteGrid(folder / "grid_37x73.ies");
    double cli = 0, reader = 0;
    for (auto _ : state) {
        cli += Spawn({ GONILUX_CLI, "info", file });
        reader += Spawn({ GONILUX_READ_ONLY, file });
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["cli_ms"] = cli / runs * 1e3;
    state.counters["read_only_ms"] = reader / runs * 1e3;
    state.counters["ratio"] = reader > 0 ? cli / reader : 0;
    fs::remove_all(folder);
}
BENCHMARK(InfoAgainstReadOnly)->Iterations(300)->UseRealTime()->Unit(benchmark::kMillisecond);

// An IES file of 1801 vertical angles (0 to 180 degrees by 0.1) by 37 horizontal angles (0 to 360 by 10).
std::string WriteFineStep(const fs::path& path)
{
    std::ofstream out(path);
    out << "IESNA:LM-63-2002\r\n[TEST] fine-step bench\r\nTILT=NONE\r\n1 1000 1 1801 37 1 2 0.5 0.5 0\r\n1 1 100\r\n";
    for (int v = 0; v <= 1800; ++v)
        out << v / 10 << '.' << v % 10 << (v % 10 == 9 || v == 1800 ? "\r\n" : " ");
    for (int h = 0; h < 37; ++h)
        out << h * 10 << (h == 36 ? "\r\n" : " ");
    for (int h = 0; h < 37; ++h)
        for (int v = 0; v <= 1800; ++v)
            out << 2000 - v + h % 5 << (v % 10 == 9 || v == 1800 ? "\r\n" : " ");
    return path.string();
}

void RenderPgmFineStep(benchmark::State& state)
{
    const fs::path folder = fs::temp_directory_path() / "gonilux_cli_bench_fine";
    fs::create_directories(folder);
    const std::string file = WriteFineStep(folder / "fine_1801x37.ies");
    const std::string picture = (folder / "fine.pgm").string();
    for (auto _ : state)
        state.SetIterationTime(Spawn({ GONILUX_CLI, "render", file, "-o", picture }));
    fs::remove_all(folder);
}
BENCHMARK(RenderPgmFineStep)->Iterations(50)->UseManualTime()->Unit(benchmark::kMillisecond);

void RenderBatch1000(benchmark::State& state)
{
    const fs::path folder = fs::temp_directory_path() / "gonilux_cli_bench_batch";
    fs::create_directories(folder / "in");
    std::vector<std::string> arguments { GONILUX_CLI, "render" };
    std::vector<fs::path> samples;
    for (const auto& entry : fs::directory_iterator(GONILUX_SAMPLES_DIR))
        if (entry.path().extension() == ".ies")
            samples.push_back(entry.path());
    for (int i = 0; i < 1000; ++i) {
        const fs::path copy = folder / "in" / ("lamp" + std::to_string(i) + ".ies");
        fs::copy_file(samples[static_cast<size_t>(i) % samples.size()], copy, fs::copy_options::overwrite_existing);
        arguments.push_back(copy.string());
    }
    for (const char* tail : { "--format", "pgm", "-o" })
        arguments.emplace_back(tail);
    arguments.push_back((folder / "out").string());
    for (auto _ : state)
        state.SetIterationTime(Spawn(arguments));
    fs::remove_all(folder);
}
BENCHMARK(RenderBatch1000)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
