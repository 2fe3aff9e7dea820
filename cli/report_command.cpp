// gonilux-cli report FILE...: the one-page datasheet of IES and EULUMDAT files as PDF, A4 or US Letter; several
// files (or --format) are written into a folder on every core.
#include "Commands.h"
#include "arguments.h"
#include "batch.h"
#include "draw_module.h"
#include "messages.h"
#include "output_file.h"
#include "usage.h"

#include "Checker.h"
#include "Datasheet.h"
#include "LargeFileHeap.h"

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

constexpr CommandUsage kUsage { "report",
    "usage: gonilux-cli report FILE -o OUT.pdf [--letter]\n"
    "       gonilux-cli report FILE... --format pdf -o FOLDER [--letter]\n"
    "  A one-page photometric datasheet per file, A4 portrait (US Letter with --letter).\n" };

// Fills options from argv (argv[0] is "report"); returns what is wrong with the arguments, "" when usable.
std::string ParseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "-o" || arg == "--format") && i + 1 >= argc)
            return arg + " needs a value";
        if (arg == "-o") {
            options.output = argv[++i];
        } else if (arg == "--format") {
            const std::string format = argv[++i];
            if (format != "pdf")
                return "--format needs pdf, not \"" + format + "\"";
            options.format = true;
        } else if (arg == "--letter" || arg == "--a4") {
            options.paper = arg == "--letter" ? datasheet::Paper::Letter : datasheet::Paper::A4;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return "unknown option " + arg;
        } else {
            options.files.push_back(arg);
        }
    }
    if (options.files.empty())
        return "no file given";
    if (options.Batch())
        return options.output.empty() ? "several files need --format pdf -o FOLDER" : "";
    if (options.output.empty())
        return "give -o OUT.pdf";
    if (!EndsWith(options.output, ".pdf"))
        return "the datasheet's name must end in .pdf: " + options.output;
    return {};
}

// One file's page, or what went wrong on the way to it.
struct Prepared {
    FileOutcome outcome;
    std::optional<datasheet::Datasheet> sheet;
};

// Reads, checks and lays out one file; the check reads the file on a second thread meanwhile. A file the header
// check finds not valid still gets its page, as the viewer shows it, and exit code 1.
Prepared PrepareOne(const Options& options, const std::string& decimalSeparator, const std::string& file)
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
    try {
        if (ReadRecordFile(file, details.Record, details.HeaderLines, &details.Header, &outcome.err))
            outcome.exitCode = 1;
        details.Checks = checks.get();
        prepared.sheet = datasheet::BuildDatasheet(details, options.paper, decimalSeparator);
    } catch (const std::exception& error) {
        // The reader's reasons name the file; the datasheet's does not.
        const std::string reason = error.what();
        outcome.err += ErrorLine(reason.starts_with(file) ? reason : file + ": " + reason);
        outcome.exitCode = 3;
    }
    return prepared;
}

// Writes a prepared page to output; in a batch, prefix ("FILE: ") starts the message.
FileOutcome WriteOne(const DrawModule& module, Prepared prepared, const std::string& output, const std::string& prefix)
{
    if (!prepared.sheet)
        return prepared.outcome;
    std::string bytes;
    const bool drawn = module.pagePdfBytes(prepared.sheet->Page, prepared.sheet->Title, bytes);
    const std::string problem = drawn ? WriteOutputFile(output, bytes) : "cannot draw " + output;
    if (!problem.empty()) {
        prepared.outcome.err += ErrorLine(prefix + problem);
        prepared.outcome.exitCode = 3;
    }
    return prepared.outcome;
}

int ReportBatch(const DrawModule& module, const Options& options, const std::string& decimalSeparator)
{
    return DrawIntoFolder(module, options.files, options.output, ".pdf", "datasheet",
        [&](const std::string& file, const std::string& output) {
            return WriteOne(module, PrepareOne(options, decimalSeparator, file), output, file + ": ");
        });
}

} // namespace

int RunReport(int argc, char** argv)
{
    if (AsksForHelp(argc, argv))
        return PrintHelp(kUsage);
    Options options;
    const std::string problem = ParseOptions(argc, argv, options);
    if (!problem.empty())
        return UsageError(kUsage, problem);

    // The page is drawn through Qt.
    const DrawModule* module = LinkedDrawModule();
    if (!module)
        return HandOverToDrawProgram(argc, argv);
    char separator[8] = ".";
    module->decimalSeparator(separator, sizeof separator);
    const std::string decimalSeparator = separator;
    if (options.Batch())
        return ReportBatch(*module, options, decimalSeparator);

    // The file is read, checked and laid out while the GUI application starts; a large table's memory comes in
    // large pages.
    fileio::PrepareHeapForLargeFiles();
    std::future<Prepared> prepared
        = std::async(std::launch::async, [&] { return PrepareOne(options, decimalSeparator, options.files.front()); });
    module->startGui();
    const FileOutcome outcome = WriteOne(*module, prepared.get(), options.output, "");
    module->stopGui();
    PrintOutcome(outcome);
    return FinishOutput() ? outcome.exitCode : 3;
}
