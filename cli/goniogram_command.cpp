// gonilux-cli goniogram FILE...: draws the goniogram of IES files with the viewer's drawing code, as its drawing
// operations (--ops), as SVG or as PNG; several files (or --format) are drawn into a folder on every core.
#include "Commands.h"
#include "arguments.h"
#include "batch.h"
#include "draw_module.h"

#include "Goniogram.h"
#include "PlaneSampling.h"
#include "RecordingSurface.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int MaxSide = 10000; // pixels; larger pictures are refused rather than allocated

struct Options {
    std::vector<std::string> files;
    int plane = 0;
    int width = 600, height = 600;
    bool fit = true, ortho = true; // the switches' state on a first start
    std::string output; // one file: the picture; several: the folder
    std::string format; // ".svg" or ".png" when given
    bool ops = false;

    bool Batch() const { return files.size() > 1 || !format.empty(); }
};

int Usage()
{
    std::fputs("usage: gonilux-cli goniogram FILE [--plane P] [--size WxH] [--fit|--no-fit] [--ortho|--no-ortho]\n"
               "                              [-o OUT.svg|OUT.png] [--ops]\n"
               "       gonilux-cli goniogram FILE... --format svg|png -o FOLDER [same options but --ops]\n",
        stderr);
    return 2;
}

std::optional<Options> ParseOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--plane" && hasValue) {
            const auto plane = ParseInt(argv[++i]);
            if (!plane)
                return std::nullopt;
            options.plane = *plane;
        } else if (arg == "--size" && hasValue) {
            if (!ParseSize(argv[++i], MaxSide, options.width, options.height))
                return std::nullopt;
        } else if (arg == "-o" && hasValue) {
            options.output = argv[++i];
        } else if (arg == "--format" && hasValue) {
            const std::string format = argv[++i];
            if (format != "svg" && format != "png")
                return std::nullopt;
            options.format = "." + format;
        } else if (arg == "--fit" || arg == "--no-fit") {
            options.fit = arg == "--fit";
        } else if (arg == "--ortho" || arg == "--no-ortho") {
            options.ortho = arg == "--ortho";
        } else if (arg == "--ops") {
            options.ops = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return std::nullopt;
        } else {
            options.files.push_back(arg);
        }
    }
    if (options.files.empty())
        return std::nullopt;
    if (options.Batch())
        return options.format.empty() || options.output.empty() || options.ops ? std::nullopt : std::optional(options);
    if (!options.ops && options.output.empty())
        return std::nullopt;
    if (!options.output.empty() && !EndsWith(options.output, ".svg") && !EndsWith(options.output, ".png"))
        return std::nullopt;
    return options;
}

// Draws one file into output (nothing written when empty). In a batch, prefix ("FILE: ") starts each message and
// the GUI application is already running.
FileOutcome DrawOne(const DrawModule& module, const Options& options, const std::string& decimalSeparator,
    const std::string& file, const std::string& output, const std::string& prefix)
{
    FileOutcome outcome;
    tIES ies;
    std::string messages;
    try {
        TStringList headerLines;
        ReadRecordFile(file, ies, headerLines, nullptr, &messages);
    } catch (const std::exception& error) {
        outcome.err = PrefixLines(messages, prefix);
        outcome.out = "error " + prefix + error.what() + "\n";
        outcome.exitCode = 3;
        return outcome;
    }
    outcome.err = PrefixLines(messages, prefix);

    // The degree track bar runs over the planes 0 to L.
    const int last = static_cast<int>(ies.HorizAngles.size()) - 1;
    if (options.plane < 0 || options.plane > std::max(last, 0)) {
        outcome.out = "error " + prefix + "plane " + std::to_string(options.plane) + " is not among the planes 0 to "
            + std::to_string(std::max(last, 0)) + "\n";
        outcome.exitCode = 2;
        return outcome;
    }

    GoniogramInput input;
    input.ies = &ies;
    input.plane = options.plane;
    input.fitDown = options.fit;
    input.orthoDown = options.ortho;
    input.width = options.width;
    input.height = options.height;
    input.decimalSeparator = decimalSeparator;
    if (FileMaximumApplies(ies, options.fit))
        input.maxIntensity = ComputeMaxIntensity(ies, 0, last);

    if (options.ops) {
        RecordingSurface surface;
        ShowGrid(surface, input.width, input.height);
        DrawIES(surface, input);
        outcome.out += surface.Text();
    }
    if (output.empty())
        return outcome;
    // A single file starts the GUI application only now, as the messages so far are printed, so that what Qt
    // says on starting follows them; a batch started it once before its workers.
    const bool single = prefix.empty();
    if (single) {
        PrintOutcome(outcome);
        outcome = {};
        module.startGui();
    }
    const bool written = module.writeGoniogram(output.c_str(), input);
    if (single)
        module.stopGui();
    if (!written) {
        outcome.out += "error " + prefix + "Cannot write file " + output + "\n";
        outcome.exitCode = 3;
    }
    return outcome;
}

int DrawBatch(const DrawModule& module, const Options& options, const std::string& decimalSeparator)
{
    const std::string problem = MakeOutputFolder(options.output);
    if (!problem.empty()) {
        std::printf("error %s\n", problem.c_str());
        return 3;
    }
    const std::vector<std::string> clashes = OutputClashes(options.files, options.format);
    module.startGui();
    const int worst = RunBatch(options.files.size(), [&](size_t index) {
        const std::string& file = options.files[index];
        if (!clashes[index].empty())
            return FileOutcome { 3, "error " + file + ": gives the same picture name as " + clashes[index] + "\n", {} };
        const std::string output = BatchOutputPath(options.output, file, options.format);
        return DrawOne(module, options, decimalSeparator, file, output, file + ": ");
    });
    module.stopGui();
    return worst;
}

} // namespace

int RunGoniogram(int argc, char** argv)
{
    const std::optional<Options> options = ParseOptions(argc, argv);
    if (!options)
        return Usage();

    // Every goniogram command draws through Qt, if only for the locale's decimal separator.
    const DrawModule* module = LinkedDrawModule();
    if (!module)
        return HandOverToDrawProgram(argc, argv);
    char separator[8] = ".";
    module->decimalSeparator(separator, sizeof separator);
    const std::string decimalSeparator = separator;
    if (options->Batch())
        return DrawBatch(*module, *options, decimalSeparator);

    const FileOutcome outcome
        = DrawOne(*module, *options, decimalSeparator, options->files.front(), options->output, "");
    PrintOutcome(outcome);
    if (outcome.exitCode != 0)
        return outcome.exitCode;
    return std::fflush(stdout) == 0 ? 0 : 3;
}
