// gonilux-cli report FILE...: the one-page datasheet of IES and EULUMDAT files as PDF, A4 or US Letter; several
// files (or --format) are written into a folder on every core.
#include "Commands.h"
#include "arguments.h"
#include "batch.h"
#include "draw_module.h"

#include "Checker.h"
#include "Datasheet.h"

#include <cstdio>
#include <exception>
#include <future>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Options {
    std::vector<std::string> files;
    std::string output; // one file: the PDF; several: the folder
    bool format = false; // --format pdf given
    datasheet::Paper paper = datasheet::Paper::A4;

    bool Batch() const { return files.size() > 1 || format; }
};

int Usage()
{
    std::fputs("usage: gonilux-cli report FILE -o OUT.pdf [--letter]\n"
               "       gonilux-cli report FILE... --format pdf -o FOLDER [--letter]\n",
        stderr);
    return 2;
}

std::optional<Options> ParseOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "-o" && hasValue) {
            options.output = argv[++i];
        } else if (arg == "--format" && hasValue) {
            if (std::string(argv[++i]) != "pdf")
                return std::nullopt;
            options.format = true;
        } else if (arg == "--letter" || arg == "--a4") {
            options.paper = arg == "--letter" ? datasheet::Paper::Letter : datasheet::Paper::A4;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return std::nullopt;
        } else {
            options.files.push_back(arg);
        }
    }
    if (options.files.empty() || options.output.empty())
        return std::nullopt;
    if (!options.Batch() && !EndsWith(options.output, ".pdf"))
        return std::nullopt;
    return options;
}

// One file's page, or what went wrong on the way to it.
struct Prepared {
    FileOutcome outcome;
    std::optional<datasheet::Datasheet> sheet;
};

// Reads, checks and lays out one file. The check reads the file on a second thread meanwhile. In a batch, prefix
// ("FILE: ") starts each message.
Prepared PrepareOne(
    const Options& options, const std::string& decimalSeparator, const std::string& file, const std::string& prefix)
{
    Prepared prepared;
    FileOutcome& outcome = prepared.outcome;
    std::future<Diagnostics> checks = std::async(std::launch::async, [&file] {
        try {
            return CheckFile(file);
        } catch (const std::exception&) {
            return Diagnostics {}; // the read below says why
        }
    });
    tDetailsFile details;
    details.Path = file;
    std::string messages;
    try {
        ReadRecordFile(file, details.Record, details.HeaderLines, &details.Header, &messages);
        outcome.err = PrefixLines(messages, prefix);
        details.Checks = checks.get();
        prepared.sheet = datasheet::BuildDatasheet(details, options.paper, decimalSeparator);
    } catch (const std::exception& error) {
        outcome.err = PrefixLines(messages, prefix);
        outcome.out = "error " + prefix + error.what() + "\n";
        outcome.exitCode = 3;
    }
    return prepared;
}

// Writes a prepared page to output.
FileOutcome WriteOne(const DrawModule& module, Prepared prepared, const std::string& output, const std::string& prefix)
{
    if (!prepared.sheet)
        return prepared.outcome;
    const std::string problem = module.writePagePdf(output, prepared.sheet->Page, prepared.sheet->Title);
    if (!problem.empty()) {
        prepared.outcome.out += "error " + prefix + "Cannot write file " + output + ": " + problem + "\n";
        prepared.outcome.exitCode = 3;
    }
    return prepared.outcome;
}

int ReportBatch(const DrawModule& module, const Options& options, const std::string& decimalSeparator)
{
    const std::string problem = MakeOutputFolder(options.output);
    if (!problem.empty()) {
        std::printf("error %s\n", problem.c_str());
        return 3;
    }
    const std::vector<std::string> clashes = OutputClashes(options.files, ".pdf");
    return RunBatch(options.files.size(), [&](size_t index) {
        const std::string& file = options.files[index];
        if (!clashes[index].empty())
            return FileOutcome { 3, "error " + file + ": gives the same datasheet name as " + clashes[index] + "\n",
                {} };
        const std::string prefix = file + ": ";
        return WriteOne(module, PrepareOne(options, decimalSeparator, file, prefix),
            BatchOutputPath(options.output, file, ".pdf"), prefix);
    });
}

} // namespace

int RunReport(int argc, char** argv)
{
    const std::optional<Options> options = ParseOptions(argc, argv);
    if (!options)
        return Usage();
    // The page is drawn through Qt.
    const DrawModule* module = LinkedDrawModule();
    if (!module)
        return HandOverToDrawProgram(argc, argv);
    char separator[8] = ".";
    module->decimalSeparator(separator, sizeof separator);
    const std::string decimalSeparator = separator;
    if (options->Batch()) {
        module->startGui();
        const int worst = ReportBatch(*module, *options, decimalSeparator);
        module->stopGui();
        return worst;
    }
    // The file is read and laid out while the GUI application starts.
    std::future<Prepared> prepared = std::async(
        std::launch::async, [&] { return PrepareOne(*options, decimalSeparator, options->files.front(), ""); });
    module->startGui();
    const FileOutcome outcome = WriteOne(*module, prepared.get(), options->output, "");
    module->stopGui();
    PrintOutcome(outcome);
    if (outcome.exitCode != 0)
        return outcome.exitCode;
    return std::fflush(stdout) == 0 ? 0 : 3;
}
