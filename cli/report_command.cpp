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

// Reads, checks and lays out one file and writes its page to output. In a batch, prefix ("FILE: ") starts each
// message.
FileOutcome ReportOne(const DrawModule& module, const Options& options, const std::string& decimalSeparator,
    const std::string& file, const std::string& output, const std::string& prefix)
{
    FileOutcome outcome;
    tDetailsFile details;
    details.Path = file;
    std::string messages;
    try {
        ReadRecordFile(file, details.Record, details.HeaderLines, &details.Header, &messages);
    } catch (const std::exception& error) {
        outcome.err = PrefixLines(messages, prefix);
        outcome.out = "error " + prefix + error.what() + "\n";
        outcome.exitCode = 3;
        return outcome;
    }
    outcome.err = PrefixLines(messages, prefix);
    try {
        details.Checks = CheckFile(file);
    } catch (const std::exception&) {
        // Read a moment ago: a file that went since has nothing more to say than its record.
    }
    datasheet::Datasheet sheet;
    try {
        sheet = datasheet::BuildDatasheet(details, options.paper, decimalSeparator);
    } catch (const std::exception& error) {
        outcome.out += "error " + prefix + error.what() + "\n";
        outcome.exitCode = 3;
        return outcome;
    }
    const std::string problem = module.writePagePdf(output, sheet.Page, sheet.Title);
    if (!problem.empty()) {
        outcome.out += "error " + prefix + "Cannot write file " + output + ": " + problem + "\n";
        outcome.exitCode = 3;
    }
    return outcome;
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
        const std::string output = BatchOutputPath(options.output, file, ".pdf");
        return ReportOne(module, options, decimalSeparator, file, output, file + ": ");
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
    module->startGui();
    int status = 0;
    if (options->Batch()) {
        status = ReportBatch(*module, *options, separator);
    } else {
        const FileOutcome outcome
            = ReportOne(*module, *options, separator, options->files.front(), options->output, "");
        PrintOutcome(outcome);
        status = outcome.exitCode != 0 ? outcome.exitCode : std::fflush(stdout) == 0 ? 0 : 3;
    }
    module->stopGui();
    return status;
}
