// gonilux-cli convert as a user meets it, whole processes started with posix_spawn:
//  - ConvertBatch1000ToLdt: 1,000 corpus files (the type C files EULUMDAT can hold, repeated under their own names)
//    converted into a folder of EULUMDAT files, wall time of the one batch process.
//  - ConvertLargeToIes: one file of 361 vertical by 1801 horizontal angles (0.5 and 0.2 degree steps) written as
//    IES, the whole process: start, read, write.
#include "Convert.h"

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

// The corpus files that convert to EULUMDAT, tried once here so that the batch measures conversions only.
std::vector<fs::path> ConvertibleCorpusFiles(const fs::path& scratch)
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(GONILUX_CORPUS_DIR)) {
        const std::string path = entry.path().string();
        if (entry.is_regular_file() && FormatOfPath(path)
            && ConvertFile(path, (scratch / "probe.ldt").string()).empty())
            files.push_back(entry.path());
    }
    return files;
}

void ConvertBatch1000ToLdt(benchmark::State& state)
{
    const fs::path folder = fs::temp_directory_path() / "gonilux_convert_bench_batch";
    fs::create_directories(folder / "in");
    const std::vector<fs::path> corpus = ConvertibleCorpusFiles(folder);
    std::vector<std::string> arguments { GONILUX_CLI, "convert" };
    for (int i = 0; i < 1000 && !corpus.empty(); ++i) {
        const fs::path& source = corpus[static_cast<size_t>(i) % corpus.size()];
        const fs::path copy = folder / "in" / ("lamp" + std::to_string(i) + source.extension().string());
        fs::copy_file(source, copy, fs::copy_options::overwrite_existing);
        arguments.push_back(copy.string());
    }
    arguments.insert(arguments.end(), { "--format", "ldt", "-o", (folder / "out").string() });
    for (auto _ : state)
        state.SetIterationTime(Spawn(arguments));
    state.counters["files"] = static_cast<double>(arguments.size() - 6);
    state.counters["distinct"] = static_cast<double>(corpus.size());
    fs::remove_all(folder);
}
BENCHMARK(ConvertBatch1000ToLdt)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

// 361 vertical angles (0 to 180 by 0.5) by 1801 horizontal angles (0 to 360 by 0.2), values with one or two decimals.
std::string WriteLarge(const fs::path& path)
{
    std::ofstream out(path, std::ios::binary);
    out << "IESNA:LM-63-2002\r\n[TEST] large bench\r\n[MANUFAC] bench\r\nTILT=NONE\r\n"
           "1 1000 1 361 1801 1 2 0.5 0.5 0\r\n1 1 100\r\n";
    for (int v = 0; v <= 360; ++v)
        out << v / 2 << (v % 2 ? ".5" : "") << (v % 10 == 9 || v == 360 ? "\r\n" : " ");
    for (int h = 0; h <= 1800; ++h)
        out << h / 5 << '.' << h % 5 * 2 << (h % 10 == 9 || h == 1800 ? "\r\n" : " ");
    for (int h = 0; h <= 1800; ++h)
        for (int v = 0; v <= 360; ++v)
            out << 2000 - 5 * v + h % 7 << '.' << (v * 7 + h) % 100 << (v % 10 == 9 || v == 360 ? "\r\n" : " ");
    return path.string();
}

void ConvertLargeToIes(benchmark::State& state)
{
    const fs::path folder = fs::temp_directory_path() / "gonilux_convert_bench_large";
    fs::create_directories(folder);
    const std::string file = WriteLarge(folder / "large_361x1801.ies");
    const std::string output = (folder / "written.ies").string();
    for (auto _ : state)
        state.SetIterationTime(Spawn({ GONILUX_CLI, "convert", file, "-o", output }));
    fs::remove_all(folder);
}
BENCHMARK(ConvertLargeToIes)->Iterations(30)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
