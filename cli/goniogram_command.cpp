// gonilux-cli goniogram FILE...: draws the goniogram of IES files with the viewer's drawing code, as its drawing
// operations (--ops), as SVG or as PNG; several files (or --format) are drawn into a folder on every core.
#include "Commands.h"
#include "arguments.h"
#include "batch.h"
#include "draw_module.h"
#include "messages.h"
#include "output_file.h"
#include "usage.h"

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

constexpr CommandUsage kUsage { "goniogram",
    "usage: gonilux-cli goniogram FILE [--plane P] [--size WxH] [--fit|--no-fit] [--ortho|--no-ortho]\n"
    "                              [-o OUT.svg|OUT.png] [--ops]\n"
    "       gonilux-cli goniogram FILE... --format svg|png -o FOLDER [same options but --ops]\n" };

// Fills options from argv (argv[0] is "goniogram"); returns what is wrong with the arguments, "" when usable.
std::string ParseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool takesValue = arg == "--plane" || arg == "--size" || arg == "-o" || arg == "--format";
        if (takesValue && i + 1 >= argc)
            return arg + " needs a value";
        if (arg == "--plane") {
            const auto plane = ParseInt(argv[++i]);
            if (!plane)
                return "--plane needs a whole number, not \"" + std::string(argv[i]) + "\"";
            options.plane = *plane;
        } else if (arg == "--size") {
            const std::string problem = SizeProblem(argv[++i], MaxSide, options.width, options.height);
            if (!problem.empty())
                return problem;
        } else if (arg == "-o") {
            options.output = argv[++i];
        } else if (arg == "--format") {
            const std::string format = argv[++i];
            if (format != "svg" && format != "png")
                return "--format needs svg or png, not \"" + format + "\"";
            options.format = "." + format;
        } else if (arg == "--fit" || arg == "--no-fit") {
            options.fit = arg == "--fit";
        } else if (arg == "--ortho" || arg == "--no-ortho") {
            options.ortho = arg == "--ortho";
        } else if (arg == "--ops") {
            options.ops = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return "unknown option " + arg;
        } else {
            options.files.push_back(arg);
        }
    }
    if (options.files.empty())
        return "no file given";
    if (options.Batch()) {
        if (options.format.empty())
            return "several files need --format svg or png, and -o names their folder";
        if (options.output.empty())
            return "--format needs -o FOLDER";
        if (options.ops)
            return "--ops draws one file only";
        return {};
    }
    if (!options.ops && options.output.empty())
        return "give -o OUT.svg|OUT.png, --ops or both";
    if (!options.output.empty() && !EndsWith(options.output, ".svg") && !EndsWith(options.output, ".png"))
        return "the picture name must end in .svg or .png: " + options.output;
    return {};
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
        if (ReadRecordFile(file, ies, headerLines, nullptr, &messages))
            outcome.exitCode = 1; // drawn all the same, as the viewer draws it
    } catch (const std::exception& error) {
        outcome.err = ErrorLine(error.what());
        outcome.exitCode = 3;
        return outcome;
    }
    outcome.err = messages;

    // The degree track bar runs over the planes 0 to L.
    const int last = static_cast<int>(ies.HorizAngles.size()) - 1;
    if (options.plane < 0 || options.plane > std::max(last, 0)) {
        outcome.err += ErrorLine(file + ": plane " + std::to_string(options.plane) + " is not among the planes 0 to "
            + std::to_string(std::max(last, 0)));
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
        outcome.out.clear();
        outcome.err.clear();
        module.startGui();
    }
    std::string bytes;
    const bool drawn = module.goniogramBytes(input, EndsWith(output, ".svg"), bytes);
    if (single)
        module.stopGui();
    const std::string problem = drawn ? WriteOutputFile(output, bytes) : "cannot draw " + output;
    if (!problem.empty()) {
        outcome.err += ErrorLine(prefix + problem);
        outcome.exitCode = 3;
    }
    return outcome;
}

int DrawBatch(const DrawModule& module, const Options& options, const std::string& decimalSeparator)
{
    return DrawIntoFolder(module, options.files, options.output, options.format, "picture",
        [&](const std::string& file, const std::string& output) {
            return DrawOne(module, options, decimalSeparator, file, output, EscapeControls(file) + ": ");
        });
}

} // namespace

int RunGoniogram(int argc, char** argv)
{
    if (AsksForHelp(argc, argv))
        return PrintHelp(kUsage);
    Options parsed;
    const std::string problem = ParseOptions(argc, argv, parsed);
    if (!problem.empty())
        return UsageError(kUsage, problem);
    const std::optional<Options> options = parsed;

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
    return FinishOutput() ? outcome.exitCode : 3;
}
