// gonilux-cli convert FILE -o OUT.ies|OUT.ldt
// gonilux-cli convert FILE... --format ies|ldt -o FOLDER
// Writes a photometric file in IES LM-63-2002 or EULUMDAT, the format named by the output's extension or by
// --format. Several files (or --format) convert into a folder on every core. A file that cannot be converted is
// named with the reason on standard error (exit status 3); the other files of a batch go on.
#include "Commands.h"
#include "arguments.h"
#include "batch.h"
#include "messages.h"
#include "usage.h"

#include "Convert.h"
#include "LargeFileHeap.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr CommandUsage kUsage { "convert",
    "usage: gonilux-cli convert FILE -o OUT.ies|OUT.ldt\n"
    "       gonilux-cli convert FILE... --format ies|ldt -o FOLDER\n" };

struct ConvertOptions {
    std::vector<std::string> files;
    std::string output; // one file: the file to write; several: the folder
    std::optional<FileFormat> format; // when --format is given
};

std::string ParseArguments(int argc, char** argv, ConvertOptions& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "-o") {
            if (i + 1 >= argc)
                return "-o needs a file or folder name";
            options.output = argv[++i];
        } else if (argument == "--format") {
            const std::string value = i + 1 < argc ? argv[i + 1] : "";
            if (value != "ies" && value != "ldt")
                return "--format needs ies or ldt";
            options.format = value == "ies" ? FileFormat::Ies : FileFormat::Ldt;
            ++i;
        } else if (!argument.empty() && argument[0] == '-') {
            return "unknown option " + argument;
        } else {
            options.files.push_back(argument);
        }
    }
    if (options.files.empty())
        return "no file given";
    if (options.output.empty())
        return "-o names the file to write (or the folder, with --format)";
    if (options.files.size() > 1 && !options.format)
        return "several files need --format ies or ldt, and -o names their folder";
    if (!options.format && !FormatOfPath(options.output))
        return "the file to write must end in .ies or .ldt: " + options.output;
    return {};
}

FileOutcome ConvertOne(const std::string& file, const std::string& output)
{
    FileOutcome outcome;
    std::string messages;
    const std::string refusal = ConvertFile(file, output, &messages);
    outcome.err = PrefixLines(messages, file + ": ");
    if (!refusal.empty()) {
        outcome.err += ErrorLine(file + ": " + refusal);
        outcome.exitCode = 3;
    }
    return outcome;
}

int ConvertBatch(const ConvertOptions& options)
{
    return RunIntoFolder(options.files, options.output, ExtensionOf(*options.format), "file",
        [](const std::string& file, const std::string& output) { return ConvertOne(file, output); });
}

} // namespace

int RunConvert(int argc, char** argv)
{
    if (AsksForHelp(argc, argv))
        return PrintHelp(kUsage);
    ConvertOptions options;
    const std::string problem = ParseArguments(argc, argv, options);
    if (!problem.empty())
        return UsageError(kUsage, problem);
    if (options.format)
        return ConvertBatch(options);
    // One file may be a table of hundreds of thousands of values: its memory comes in large pages.
    fileio::PrepareHeapForLargeFiles();
    const FileOutcome outcome = ConvertOne(options.files.front(), options.output);
    PrintOutcome(outcome);
    return outcome.exitCode;
}
