// Reading an EULUMDAT file against the IES reader on the same table: a generated 360-plane file (no symmetry,
// 360 C-planes by 181 gamma angles) and its IES equivalent, each loaded from disk and read into the record. Before
// timing, both records are checked to hold the same angles and candela values.
#include "IesReader.h"
#include "LdtReader.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kPlanes = 360;
constexpr int kGammas = 181;
constexpr long double kFlux = 1000; // per 1000 lm: the stored values are the candela values

struct Table {
    std::vector<std::string> c, gamma, values; // values plane after plane
};

Table MakeTable()
{
    Table t;
    char token[48];
    for (int c = 0; c < kPlanes; ++c)
        t.c.push_back(std::to_string(c));
    for (int g = 0; g < kGammas; ++g)
        t.gamma.push_back(std::to_string(g));
    std::mt19937 random(7);
    for (int c = 0; c < kPlanes; ++c)
        for (int g = 0; g < kGammas; ++g) {
            const double value = 900.0 * std::exp(-g * g / 1800.0) * (1.0 + 0.2 * std::cos(c * 0.05)) + random() % 10;
            std::snprintf(token, sizeof token, "%.*f", static_cast<int>(1 + random() % 2), value);
            t.values.push_back(token);
        }
    return t;
}

std::string LdtText(const Table& t)
{
    std::string text = "Bench Lighting\r\n1\r\n0\r\n" + std::to_string(kPlanes) + "\r\n1\r\n" + std::to_string(kGammas)
        + "\r\n1\r\nBENCH-1\r\nGenerated\r\nGEN-1\r\nbench.ldt\r\n2024-01-01\r\n";
    for (const char* line : { "600", "300", "80", "500", "250", "0", "0", "0", "0", "100", "85", "1", "0", "1", "1",
             "LED", "1000", "3000", "80", "12" })
        text += std::string(line) + "\r\n";
    for (int i = 0; i < 10; ++i)
        text += "0.5\r\n";
    for (const auto* list : { &t.c, &t.gamma, &t.values })
        for (const std::string& value : *list)
            text += value + "\r\n";
    return text;
}

std::string IesText(const Table& t)
{
    std::string text = "IESNA:LM-63-2002\r\n[TEST] BENCH-1\r\n[MANUFAC] Bench Lighting\r\nTILT=NONE\r\n1 1000 1 "
        + std::to_string(kGammas) + " " + std::to_string(kPlanes) + " 1 2 0.25 0.5 0\r\n1 1 12\r\n";
    int n = 0;
    for (const auto* list : { &t.gamma, &t.c, &t.values })
        for (const std::string& value : *list)
            text += value + (++n % 10 == 0 ? "\r\n" : " ");
    return text + "\r\n";
}

struct Files {
    std::string ldt, ies;
    std::size_t ldtBytes = 0, iesBytes = 0;
    Files()
    {
        const Table table = MakeTable();
        const auto dir = std::filesystem::temp_directory_path();
        const std::string stem = "gonilux_bench_ldt_" + std::to_string(::getpid());
        ldt = (dir / (stem + ".ldt")).string();
        ies = (dir / (stem + ".ies")).string();
        const std::string l = LdtText(table), i = IesText(table);
        std::ofstream(ldt, std::ios::binary) << l;
        std::ofstream(ies, std::ios::binary) << i;
        ldtBytes = l.size();
        iesBytes = i.size();
    }
    ~Files()
    {
        std::filesystem::remove(ldt);
        std::filesystem::remove(ies);
    }
};

const Files& TheFiles()
{
    static const Files files;
    return files;
}

void ReadLdtFile(const std::string& path, tIES& ies)
{
    TStringList lines, header;
    tPhotometricHeader numbers;
    LoadFileLines(path, lines);
    ReadLDT(lines, header, ies, numbers, nullptr);
}

void ReadIesFile(const std::string& path, tIES& ies)
{
    TStringList lines, header;
    LoadFileLines(path, lines);
    ReadIES(lines, header, ies, nullptr);
}

void Run(benchmark::State& state, bool ldt)
{
    const Files& files = TheFiles();
    tIES fromLdt, fromIes;
    ReadLdtFile(files.ldt, fromLdt);
    ReadIesFile(files.ies, fromIes);
    if (fromLdt.Candela != fromIes.Candela || fromLdt.HorizAngles != fromIes.HorizAngles
        || fromLdt.VertAngles != fromIes.VertAngles || fromLdt.NumHorizAngles != kPlanes)
        state.SkipWithError("the two files do not read to the same record");
    tIES ies;
    for (auto _ : state) {
        if (ldt)
            ReadLdtFile(files.ldt, ies);
        else
            ReadIesFile(files.ies, ies);
        benchmark::DoNotOptimize(ies.Candela.data());
    }
    const std::size_t bytes = ldt ? files.ldtBytes : files.iesBytes;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
    state.counters["file_bytes"] = static_cast<double>(bytes);
}

void BM_ReadLdt360Planes(benchmark::State& state) { Run(state, true); }
void BM_ReadIesSameTable(benchmark::State& state) { Run(state, false); }

} // namespace

BENCHMARK(BM_ReadLdt360Planes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadIesSameTable)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
