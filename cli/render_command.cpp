// gonilux-cli render FILE... [--plane P] [--brightness 1..100] [--zoom 1..10000] [--radiosity]
//                            [-o OUT.png|OUT.pgm | --format png|pgm -o FOLDER]
// Renders the 300 x 300 grey image of the viewer's render window, prints the time text on standard error, and
// writes the image only when the render succeeded. Several files (or --format) render into a folder on every core.
#include "Commands.h"
#include "arguments.h"
#include "batch.h"
#include "draw_module.h"

#include "RenderCompute.h"

#include <chrono>
#include <cstdio>
#include <fstream>
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

// Fills options from argv (argv[0] is "render"); returns an explanation when the arguments are unusable.
std::string ParseArguments(int argc, char** argv, RenderOptions& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const auto number = [&](int& target) -> std::string {
            if (i + 1 >= argc)
                return argument + " needs a value";
            const std::optional<int> value = ParseInt(argv[++i]);
            if (!value)
                return argument + " needs a whole number, not \"" + argv[i] + "\"";
            target = *value;
            return {};
        };
        std::string problem;
        if (argument == "--plane")
            problem = number(options.plane);
        else if (argument == "--brightness")
            problem = number(options.settings.brightnessPosition);
        else if (argument == "--zoom")
            problem = number(options.settings.zoomPosition);
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
void WritePgm(const std::string& path, const GreyImage& image)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << "P5\n" << RenderSize << ' ' << RenderSize << "\n255\n";
    out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    out.close();
    if (!out) {
        std::remove(path.c_str());
        throw std::runtime_error("Cannot write file " + path);
    }
}

void WritePng(const std::string& path, const GreyImage& image)
{
    const DrawModule* module = LinkedDrawModule();
    if (!module) // the command was handed over to the drawing program before it began
        throw std::runtime_error("This program cannot write PNG pictures");
    if (!module->writeGreyPng(path.c_str(), image)) {
        std::remove(path.c_str());
        throw std::runtime_error("Cannot write file " + path);
    }
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
        try {
            ReadRecordFile(file, ies, headerLines, nullptr, &messages);
        } catch (...) {
            outcome.err += PrefixLines(messages, prefix);
            throw;
        }
        outcome.err += PrefixLines(messages, prefix);
        if (IsEmpty(ies))
            throw std::runtime_error("The file has no planes: nothing to render");

        GreyImage image {};
        const auto start = std::chrono::steady_clock::now();
        try {
            RenderImage(ies, options.plane, options.settings, image, nullptr);
        } catch (...) {
            // A failed render still reports its time, as the viewer's label does.
            outcome.err += prefix + RenderTimeText(std::chrono::steady_clock::now() - start) + "\n";
            throw;
        }
        outcome.err += prefix + RenderTimeText(std::chrono::steady_clock::now() - start) + "\n";

        if (EndsWith(output, ".pgm"))
            WritePgm(output, image);
        else if (!output.empty())
            WritePng(output, image);
    } catch (const std::exception& error) {
        outcome.out += "error " + prefix + error.what() + "\n";
        outcome.exitCode = 3;
    }
    return outcome;
}

int RenderBatch(const RenderOptions& options)
{
    if (!options.output.empty()) {
        const std::string problem = MakeOutputFolder(options.output);
        if (!problem.empty()) {
            std::printf("error %s\n", problem.c_str());
            return 3;
        }
    }
    const std::vector<std::string> clashes = OutputClashes(options.files, options.format);
    return RunBatch(options.files.size(), [&](size_t index) {
        const std::string& file = options.files[index];
        if (!options.output.empty() && !clashes[index].empty())
            return FileOutcome { 3, "error " + file + ": gives the same image name as " + clashes[index] + "\n", {} };
        const std::string output
            = options.output.empty() ? std::string() : BatchOutputPath(options.output, file, options.format);
        return RenderOne(file, output, options, file + ": ");
    });
}

} // namespace

int RunRender(int argc, char** argv)
{
    RenderOptions options;
    const std::string problem = ParseArguments(argc, argv, options);
    if (!problem.empty()) {
        std::fprintf(stderr, "gonilux-cli render: %s\n", problem.c_str());
        std::fputs(
            "usage: gonilux-cli render FILE... [--plane P] [--brightness 1..100] [--zoom 1..10000] [--radiosity]\n"
            "                              [-o OUT.png|OUT.pgm | --format png|pgm -o FOLDER]\n",
            stderr);
        return 2;
    }
    const bool png = options.format.empty() ? EndsWith(options.output, ".png") : options.format == ".png";
    if (png && !LinkedDrawModule())
        return HandOverToDrawProgram(argc, argv);
    if (options.files.size() > 1 || !options.format.empty())
        return RenderBatch(options);
    const FileOutcome outcome = RenderOne(options.files.front(), options.output, options, "");
    PrintOutcome(outcome);
    return outcome.exitCode;
}
