// Reading IES files: a generated 361 x 1801 file (about 5 MB) and a typical 37 x 73 file, loaded from disk and read
// into the record. Before timing, every value read is checked against correctly rounded conversion (strtold in the
// C locale), so the speed is that of a reader whose results are exact.
#include "IesReader.h"
#include "NumberText.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <locale.h>
#include <random>
#include <string>
#include <vector>

namespace {

struct GeneratedFile {
    std::string path;
    std::size_t bytes = 0;
    std::vector<std::string> tokens; // every number after the TILT line, in file order
};

// Writes an LM-63-2002 file with numVert vertical angles (0 to 180) and numHoriz planes (0 to 360), ten numbers
// per line, candela values of a smooth distribution written with 0 to 3 decimals as photometry software does.
GeneratedFile Generate(int numVert, int numHoriz)
{
    GeneratedFile file;
    const std::filesystem::path dir = std::filesystem::temp_directory_path();
    file.path = (dir
        / ("gonilux_bench_" + std::to_string(numVert) + "x" + std::to_string(numHoriz) + "_"
            + std::to_string(::getpid()) + ".ies"))
                    .string();
    std::string text = "IESNA:LM-63-2002\r\n[TEST] BENCH-1\r\n[MANUFAC] Bench Lighting\r\n[LUMINAIRE] Generated\r\n"
                       "[LUMCAT] GEN-1\r\n[LAMP] LED\r\n[LAMPCAT] LED-1\r\nTILT=NONE\r\n";
    std::vector<std::string> numbers = { "1", "-1", "1", std::to_string(numVert), std::to_string(numHoriz), "1", "2",
        "0.5", "0.5", "0", "1", "1", "120.5" };
    char token[48];
    for (int v = 0; v < numVert; ++v) {
        std::snprintf(token, sizeof token, "%.2f", 180.0 * v / (numVert - 1));
        numbers.push_back(token);
    }
    for (int h = 0; h < numHoriz; ++h) {
        std::snprintf(token, sizeof token, "%.2f", 360.0 * h / (numHoriz - 1));
        numbers.push_back(token);
    }
    std::mt19937 random(5);
    for (int h = 0; h < numHoriz; ++h)
        for (int v = 0; v < numVert; ++v) {
            const double angle = 180.0 * v / (numVert - 1);
            const double candela
                = 24000.0 * std::exp(-angle * angle / 1800.0) * (1.0 + 0.2 * std::cos(h * 0.05)) + random() % 100;
            std::snprintf(token, sizeof token, "%.*f", static_cast<int>(1 + random() % 4), candela);
            numbers.push_back(token);
        }
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        text += numbers[i];
        text += (i < 13 ? (i == 9 || i == 12) : (i - 13) % 10 == 9) ? "\r\n" : " ";
    }
    text += "\r\n";
    std::ofstream(file.path, std::ios::binary) << text;
    file.bytes = text.size();
    file.tokens = std::move(numbers);
    return file;
}

// True when the record holds exactly the correctly rounded value of every token.
bool MatchesReference(const tIES& ies, const std::vector<std::string>& tokens)
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    std::size_t k = 13;
    const auto same = [&](long double value) {
        const long double reference = strtold_l(tokens[k++].c_str(), nullptr, c);
        return std::memcmp(&value, &reference, 10) == 0;
    };
    for (const long double v : ies.VertAngles)
        if (!same(v))
            return false;
    for (const long double h : ies.HorizAngles)
        if (!same(h))
            return false;
    for (const tArrEx& row : ies.Candela)
        for (const long double value : row)
            if (!same(value))
                return false;
    return k == tokens.size();
}

void ReadFile(benchmark::State& state, int numVert, int numHoriz)
{
    const GeneratedFile file = Generate(numVert, numHoriz);
    TStringList lines;
    TStringList header;
    tIES ies;
    const auto read = [&] {
        LoadFileLines(file.path, lines);
        ReadIES(lines, header, ies, [&](const std::string&) { state.SkipWithError("header check failed"); });
    };
    read();
    if (ies.NumVertAngles != numVert || ies.NumHorizAngles != numHoriz || !MatchesReference(ies, file.tokens))
        state.SkipWithError("values differ from correctly rounded conversion");
    for (auto _ : state) {
        read();
        benchmark::DoNotOptimize(ies.Candela.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(file.bytes));
    state.counters["file_bytes"] = static_cast<double>(file.bytes);
    std::filesystem::remove(file.path);
}

void BM_ReadLargeFile(benchmark::State& state) { ReadFile(state, 361, 1801); }
void BM_ReadTypicalFile(benchmark::State& state) { ReadFile(state, 37, 73); }

// The conversion alone over the tokens of the large file, against the C library's correctly rounded one.
void BM_ConvertTokens(benchmark::State& state)
{
    const GeneratedFile file = Generate(361, 1801);
    std::filesystem::remove(file.path);
    std::size_t bytes = 0;
    for (const std::string& token : file.tokens)
        bytes += token.size() + 1;
    const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    const bool reference = state.range(0) == 1;
    for (auto _ : state) {
        long double sum = 0;
        for (const std::string& token : file.tokens) {
            long double value = 0;
            if (reference)
                value = strtold_l(token.c_str(), nullptr, c);
            else
                ConvertToken(token, value);
            sum += value;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
    state.SetLabel(reference ? "strtold_l" : "ConvertToken");
    freelocale(c);
}

} // namespace

BENCHMARK(BM_ReadLargeFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadTypicalFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ConvertTokens)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
