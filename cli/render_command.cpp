// gonilux-cli render FILE [--plane P] [--brightness 1..100] [--zoom 1..10000] [--radiosity] [-o OUT.png|OUT.pgm]
// Renders the 300 x 300 grey image of the viewer's render window, prints the time text on standard error, and
// writes the image only when the render succeeded.
#include "Commands.h"
#include "arguments.h"

#include "GreyPicture.h"
#include "RenderCompute.h"

#include <QString>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>

namespace {

struct RenderOptions {
    std::string file;
    int plane = 0;
    RenderSettings settings;
    std::string output; // empty: render and time only
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
            if (!EndsWith(options.output, ".png") && !EndsWith(options.output, ".pgm"))
                return "the image name must end in .png or .pgm: " + options.output;
        } else if (!argument.empty() && argument[0] == '-')
            return "unknown option " + argument;
        else if (options.file.empty())
            options.file = argument;
        else
            return "only one file can be rendered: " + argument;
        if (!problem.empty())
            return problem;
    }
    if (options.file.empty())
        return "no file given";
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
    if (!GreyPicture(image).save(QString::fromLocal8Bit(path.c_str()), "PNG")) {
        std::remove(path.c_str());
        throw std::runtime_error("Cannot write file " + path);
    }
}

} // namespace

int RunRender(int argc, char** argv)
{
    RenderOptions options;
    const std::string problem = ParseArguments(argc, argv, options);
    if (!problem.empty()) {
        std::fprintf(stderr, "gonilux-cli render: %s\n", problem.c_str());
        std::fputs("usage: gonilux-cli render FILE [--plane P] [--brightness 1..100] [--zoom 1..10000] [--radiosity]\n"
                   "                              [-o OUT.png|OUT.pgm]\n",
            stderr);
        return 2;
    }
    try {
        TStringList headerLines;
        tIES ies;
        ReadRecordFile(options.file, ies, headerLines);
        if (IsEmpty(ies))
            throw std::runtime_error("The file has no planes: nothing to render");

        GreyImage image {};
        const auto start = std::chrono::steady_clock::now();
        try {
            RenderImage(ies, options.plane, options.settings, image, nullptr);
        } catch (...) {
            // A failed render still reports its time, as the viewer's label does.
            std::fprintf(stderr, "%s\n", RenderTimeText(std::chrono::steady_clock::now() - start).c_str());
            throw;
        }
        std::fprintf(stderr, "%s\n", RenderTimeText(std::chrono::steady_clock::now() - start).c_str());

        if (EndsWith(options.output, ".pgm"))
            WritePgm(options.output, image);
        else if (!options.output.empty())
            WritePng(options.output, image);
    } catch (const std::exception& error) {
        std::printf("error %s\n", error.what());
        return 3;
    }
    return 0;
}
