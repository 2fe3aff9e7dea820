// gonilux-cli render FILE... [--plane P] [--brightness 1..100] [--zoom 1..10000] [--radiosity]
//                            [-o OUT.png|OUT.pgm | --format png|pgm -o FOLDER]
// Renders the 300 x 300 grey image of the viewer's render window, prints the time text on standard error, and
// writes the image only when the render succeeded. Several files (or --format) render into a folder on every core.
#include "Commands.h"
#include "arguments.h"
#include "batch.h"
#include "draw_module.h"
#include "messages.h"
#include "output_file.h"
#include "usage.h"

#include "RenderCompute.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct RenderOptions {
    std::vector<std::string> files;
    int plane = 0;
    RenderSettings settings;
    std::string output; // one file: the image, empty to render and time only; several: the folder
    std::string format; // ".png" or ".pgm" when given
};

constexpr CommandUsage kUsage { "render",
    "usage: gonilux-cli render FILE... [--plane P] [--brightness 1..100] [--zoom 1..10000] [--radiosity]\n"
    "                              [-o OUT.png|OUT.pgm | --format png|pgm -o FOLDER]\n" };

// Fills options from argv (argv[0] is "render"); returns an explanation when the arguments are unusable.
std::string ParseArguments(int argc, char** argv, RenderOptions& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const auto number = [&](int& target, int low, int high) -> std::string {
            if (i + 1 >= argc)
                return argument + " needs a value";
            return NumberProblem(argument, argv[++i], low, high, target);
        };
        std::string problem;
        if (argument == "--plane")
            problem = number(options.plane, 0, 65535);
        else if (argument == "--brightness")
            problem = number(options.settings.brightnessPosition, 1, 100);
        else if (argument == "--zoom")
            problem = number(options.settings.zoomPosition, 1, 10000);
        else if (argument == "--radiosity")
            options.settings.radiosity = true;
        else if (argument == "-o") {
            if (i + 1 >= argc)
                return "-o needs a file name";
            options.output = argv[++i];
        } else if (argument == "--format") {
            if (i + 1 >= argc || (std::string(argv[i + 1]) != "png" && std::string(argv[i + 1]) != "pgm"))
                return "--format needs png or pgm";
            options.format = std::string(".") + argv[++i];
        } else if (!argument.empty() && argument[0] == '-')
            return "unknown option " + argument;
        else
            options.files.push_back(argument);
        if (!problem.empty())
            return problem;
    }
    if (options.files.empty())
        return "no file given";
    if (options.files.size() > 1 && options.format.empty() && !options.output.empty())
        return "several files need --format png or pgm, and -o names their folder";
    if (options.format.empty() && !options.output.empty() && !EndsWith(options.output, ".png")
        && !EndsWith(options.output, ".pgm"))
        return "the image name must end in .png or .pgm: " + options.output;
    return {};
}

// Binary PGM: "P5", width, height, maxval 255, then the rows top to bottom.
std::string PgmBytes(const GreyImage& image)
{
    std::string bytes = "P5\n" + std::to_string(RenderSize) + ' ' + std::to_string(RenderSize) + "\n255\n";
    bytes.append(reinterpret_cast<const char*>(image.data()), image.size());
    return bytes;
}

// The image's file as bytes by the output's extension.
std::string ImageBytes(const std::string& output, const GreyImage& image)
{
    if (EndsWith(output, ".pgm"))
        return PgmBytes(image);
    const DrawModule* module = LinkedDrawModule();
    if (!module) // the command was handed over to the drawing program before it began
        throw std::runtime_error("this program cannot write PNG pictures");
    std::string bytes;
    if (!module->greyPngBytes(image, bytes))
        throw std::runtime_error("cannot encode " + output + " as PNG");
    return bytes;
}

// Renders one file into output (nothing written when empty). In a batch, prefix ("FILE: ") starts each message.
FileOutcome RenderOne(
    const std::string& file, const std::string& output, const RenderOptions& options, const std::string& prefix)
{
    FileOutcome outcome;
    try {
        TStringList headerLines;
        tIES ies;
        std::string messages;
        const bool invalid = ReadRecordFile(file, ies, headerLines, nullptr, &messages);
        outcome.err += messages;
        if (IsEmpty(ies))
            throw std::runtime_error(file + ": the file has no planes: nothing to render");
        // The render window's track bar runs over the planes 0 to L.
        const int last = std::max(static_cast<int>(ies.HorizAngles.size()) - 1, 0);
        if (options.plane > last) {
            outcome.err += ErrorLine(file + ": plane " + std::to_string(options.plane)
                + " is not among the planes 0 to " + std::to_string(last));
            outcome.exitCode = 2;
            return outcome;
        }
        if (invalid)
            outcome.exitCode = 1; // rendered all the same, as the viewer renders it

        GreyImage image {};
        const auto start = std::chrono::steady_clock::now();
        try {
            RenderImage(ies, options.plane, options.settings, image, nullptr);
        } catch (const std::exception& error) {
            // A failed render still reports its time, as the viewer's label does.
            outcome.err += prefix + RenderTimeText(std::chrono::steady_clock::now() - start) + "\n";
            throw std::runtime_error(file + ": " + error.what());
        }
        outcome.err += prefix + RenderTimeText(std::chrono::steady_clock::now() - start) + "\n";

        if (!output.empty()) {
            const std::string problem = WriteOutputFile(output, ImageBytes(output, image));
            if (!problem.empty())
                throw std::runtime_error(prefix + problem);
        }
    } catch (const std::exception& error) {
        outcome.err += ErrorLine(error.what());
        outcome.exitCode = 3;
    }
    return outcome;
}

int RenderBatch(const RenderOptions& options)
{
    if (!options.output.empty()) {
        const std::string problem = MakeOutputFolder(options.output);
        if (!problem.empty()) {
            ReportError(problem);
            return 3;
        }
    }
    const std::vector<std::string> clashes = OutputClashes(options.files, options.format);
    return RunBatch(options.files.size(), [&](size_t index) {
        const std::string& file = options.files[index];
        if (!options.output.empty() && !clashes[index].empty())
            return FileOutcome { 3, {}, ErrorLine(file + ": gives the same image name as " + clashes[index]) };
        const std::string output
            = options.output.empty() ? std::string() : BatchOutputPath(options.output, file, options.format);
        return RenderOne(file, output, options, EscapeControls(file) + ": ");
    });
}

} // namespace

int RunRender(int argc, char** argv)
{
    if (AsksForHelp(argc, argv))
        return PrintHelp(kUsage);
    RenderOptions options;
    const std::string problem = ParseArguments(argc, argv, options);
    if (!problem.empty())
        return UsageError(kUsage, problem);
    const bool png = options.format.empty() ? EndsWith(options.output, ".png") : options.format == ".png";
    if (png && !LinkedDrawModule())
        return HandOverToDrawProgram(argc, argv);
    if (options.files.size() > 1 || !options.format.empty())
        return RenderBatch(options);
    const FileOutcome outcome = RenderOne(options.files.front(), options.output, options, "");
    PrintOutcome(outcome);
    return FinishOutput() ? outcome.exitCode : 3;
}
