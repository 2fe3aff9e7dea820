#include "batch.h"
#include "in_order.h"
#include "messages.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <system_error>
#include <thread>
#include <unordered_map>

void PrintOutcome(const FileOutcome& outcome)
{
    std::fputs(outcome.err.c_str(), stderr);
    std::fputs(outcome.out.c_str(), stdout);
}

int RunBatch(size_t count, const std::function<FileOutcome(size_t)>& job, unsigned workers)
{
    if (workers == 0)
        workers = std::thread::hardware_concurrency();
    const std::function<FileOutcome(size_t)> guarded = [&job](size_t index) {
        FileOutcome outcome;
        try {
            outcome = job(index);
        } catch (const std::exception& error) {
            outcome.exitCode = 3;
            outcome.err += ErrorLine(error.what());
        } catch (...) {
            outcome.exitCode = 3;
            outcome.err += ErrorLine("unknown failure");
        }
        return outcome;
    };
    int worst = 0;
    RunInOrder<FileOutcome>(count, workers, guarded, [&worst](size_t, FileOutcome& outcome) {
        PrintOutcome(outcome);
        worst = std::max(worst, outcome.exitCode);
    });
    std::fflush(stderr);
    return FinishOutput() ? worst : 3;
}

namespace {
std::string OutputName(const std::string& input, const std::string& extension)
{
    std::string name = std::filesystem::path(input).filename().string();
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name + extension;
}
} // namespace

std::string BatchOutputPath(const std::string& folder, const std::string& input, const std::string& extension)
{
    return (std::filesystem::path(folder) / OutputName(input, extension)).string();
}

std::vector<std::string> OutputClashes(const std::vector<std::string>& inputs, const std::string& extension)
{
    std::vector<std::string> clashes(inputs.size());
    std::unordered_map<std::string, size_t> first;
    for (size_t i = 0; i < inputs.size(); ++i) {
        const auto [at, fresh] = first.emplace(OutputName(inputs[i], extension), i);
        if (!fresh)
            clashes[i] = inputs[at->second];
    }
    return clashes;
}

std::string MakeOutputFolder(const std::string& folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        return "Cannot create folder " + folder + ": " + error.message();
    if (!std::filesystem::is_directory(folder, error))
        return "Not a folder: " + folder;
    return {};
}

int RunIntoFolder(const std::vector<std::string>& files, const std::string& folder, const std::string& extension,
    const std::string& what, const std::function<FileOutcome(const std::string& file, const std::string& output)>& job)
{
    const std::string problem = MakeOutputFolder(folder);
    if (!problem.empty()) {
        ReportError(problem);
        return 3;
    }
    const std::vector<std::string> clashes = OutputClashes(files, extension);
    return RunBatch(files.size(), [&](size_t index) {
        const std::string& file = files[index];
        if (!clashes[index].empty())
            return FileOutcome { 3, {}, ErrorLine(file + ": gives the same " + what + " name as " + clashes[index]) };
        return job(file, BatchOutputPath(folder, file, extension));
    });
}

std::string PrefixLines(const std::string& text, const std::string& prefix)
{
    if (prefix.empty())
        return text;
    std::string result;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        const size_t stop = end == std::string::npos ? text.size() : end + 1;
        result += prefix;
        result.append(text, start, stop - start);
        start = stop;
    }
    return result;
}
