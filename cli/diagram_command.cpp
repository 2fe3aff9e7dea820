// gonilux-cli diagram FILE --type cartesian|isolux|cone|isocandela: the diagram as SVG or PNG (drawn by the drawing
// program), or with --values its numbers as comma-separated text (no drawing needed). Several files (or --format)
// are drawn into a folder on every core.
#include "Commands.h"
#include "arguments.h"
#include "batch.h"
#include "draw_module.h"
#include "messages.h"
#include "usage.h"

#include "AtomicFile.h"
#include "DiagramInput.h"
#include "Diagrams.h"
#include "Plot.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <exception>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int MaxSide = 10000; // pixels; larger pictures are refused rather than allocated

struct Options {
    std::vector<std::string> files;
    std::optional<diagrams::Kind> kind;
    diagrams::DiagramInput input; // the choices; the record is filled in per file
    int width = 600, height = 600;
    std::string output; // one file: the picture (or the values); several: the folder
    std::string format; // ".svg" or ".png" when given
    bool values = false;

    bool Batch() const { return files.size() > 1 || !format.empty(); }
};

// A decimal number in [low, high]; anything else is refused.
std::optional<double> ParseNumber(const char* text, double low, double high)
{
    const char* end = text + std::strlen(text);
    double value = 0;
    const auto [rest, error] = std::from_chars(text, end, value);
    if (error != std::errc() || rest != end || rest == text || !(value >= low && value <= high))
        return std::nullopt;
    return value;
}

// Fills options from argv (argv[0] is "diagram"); returns an explanation when the arguments are unusable.
std::string ParseArguments(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        const auto number = [&](double low, double high, double& target) -> std::string {
            if (!hasValue)
                return argument + " needs a value";
            const auto value = ParseNumber(argv[++i], low, high);
            if (!value)
                return argument + " needs a number from " + diagrams::Compact(low, ".") + " to "
                    + diagrams::Compact(high, ".") + ", not \"" + argv[i] + "\"";
            target = *value;
            return {};
        };
        std::string problem;
        if (argument == "--type") {
            if (!hasValue || !(options.kind = diagrams::KindFromKey(argv[++i])))
                return "--type needs cartesian, isolux, cone or isocandela";
        } else if (argument == "--height") {
            problem = number(diagrams::kMinHeight, diagrams::kMaxHeight, options.input.height);
        } else if (argument == "--from") {
            problem = number(diagrams::kMinHeight, diagrams::kMaxHeight, options.input.coneFrom);
        } else if (argument == "--to") {
            problem = number(diagrams::kMinHeight, diagrams::kMaxHeight, options.input.coneTo);
        } else if (argument == "--extent") {
            problem = number(0.01, 10000, options.input.extent);
        } else if (argument == "--grid" || argument == "--plane") {
            const std::optional<int> value = hasValue ? ParseInt(argv[++i]) : std::nullopt;
            if (!value || (argument == "--grid" && (*value < 2 || *value > 1001)))
                return argument == "--grid" ? "--grid needs a whole number from 2 to 1001"
                                            : "--plane needs a whole number";
            (argument == "--grid" ? options.input.grid : options.input.plane) = *value;
        } else if (argument == "--size") {
            if (!hasValue || !ParseSize(argv[++i], MaxSide, options.width, options.height))
                return "--size needs WxH, each from 1 to " + std::to_string(MaxSide);
        } else if (argument == "--per-klm") {
            options.input.perKlm = true;
        } else if (argument == "--values") {
            options.values = true;
        } else if (argument == "-o") {
            if (!hasValue)
                return "-o needs a file name";
            options.output = argv[++i];
        } else if (argument == "--format") {
            if (!hasValue || (std::strcmp(argv[i + 1], "svg") != 0 && std::strcmp(argv[i + 1], "png") != 0))
                return "--format needs svg or png";
            options.format = std::string(".") + argv[++i];
        } else if (argument.size() > 1 && argument[0] == '-') {
            return "unknown option " + argument;
        } else {
            options.files.push_back(argument);
        }
        if (!problem.empty())
            return problem;
    }
    if (options.files.empty())
        return "no file given";
    if (!options.kind)
        return "--type is needed";
    if (options.input.coneFrom >= options.input.coneTo)
        return "--from must be below --to";
    if (options.values)
        return options.Batch() ? "--values prints the numbers of one file" : "";
    if (options.Batch())
        return options.output.empty() ? "several files need --format svg|png and -o FOLDER" : "";
    if (options.output.empty())
        return "-o OUT.svg|OUT.png or --values is needed";
    if (!EndsWith(options.output, ".svg") && !EndsWith(options.output, ".png"))
        return "the picture's name must end in .svg or .png: " + options.output;
    return {};
}

constexpr CommandUsage kUsage { "diagram",
    "usage: gonilux-cli diagram FILE --type cartesian|isolux|cone|isocandela [-o OUT.svg|OUT.png | --values]\n"
    "                              [--height H] [--from H --to H] [--size WxH] [--plane P] [--per-klm]\n"
    "                              [--grid N] [--extent R]\n"
    "       gonilux-cli diagram FILE... --type KIND --format svg|png -o FOLDER [same options]\n" };

// Reads file into ies and header; the reader's messages and any error go to outcome (exit code 3 when the file
// cannot be read, 2 for a plane it does not have).
bool Read(const std::string& file, int plane, tIES& ies, tPhotometricHeader& header, const std::string& prefix,
    FileOutcome& outcome)
{
    std::string messages;
    try {
        TStringList headerLines;
        ReadRecordFile(file, ies, headerLines, &header, &messages);
        outcome.err += PrefixLines(messages, prefix);
    } catch (const std::exception& error) {
        outcome.err += PrefixLines(messages, prefix) + ErrorLine(prefix + error.what());
        outcome.exitCode = 3;
        return false;
    }
    const int last = std::max(static_cast<int>(ies.HorizAngles.size()) - 1, 0);
    if (plane < 0 || plane > last) {
        outcome.err += ErrorLine(
            prefix + "plane " + std::to_string(plane) + " is not among the planes 0 to " + std::to_string(last));
        outcome.exitCode = 2;
        return false;
    }
    return true;
}

FileOutcome PrintValues(const Options& options)
{
    FileOutcome outcome;
    tIES ies;
    tPhotometricHeader header;
    if (!Read(options.files.front(), options.input.plane, ies, header, "", outcome))
        return outcome;
    diagrams::DiagramInput input = options.input;
    input.ies = &ies;
    input.header = &header;
    const diagrams::ValueTable table = diagrams::DiagramValues(*options.kind, input);
    if (!table.refusal.empty()) {
        outcome.err += ErrorLine(table.refusal);
        outcome.exitCode = 3;
        return outcome;
    }
    const std::string text = diagrams::ValuesText(table, ',');
    if (options.output.empty()) {
        outcome.out = text;
        return outcome;
    }
    const std::string problem = fileio::WriteFileAtomically(options.output, text);
    if (!problem.empty()) {
        outcome.err += ErrorLine("Cannot write file " + options.output + ": " + problem);
        outcome.exitCode = 3;
    }
    return outcome;
}

FileOutcome DrawOne(const DrawModule& module, const Options& options, const std::string& decimalSeparator,
    const std::string& file, const std::string& output, const std::string& prefix)
{
    FileOutcome outcome;
    tIES ies;
    tPhotometricHeader header;
    if (!Read(file, options.input.plane, ies, header, prefix, outcome))
        return outcome;
    diagrams::DiagramInput input = options.input;
    input.ies = &ies;
    input.header = &header;
    input.decimalSeparator = decimalSeparator;
    if (const std::string refusal = diagrams::Refusal(*options.kind, input); !refusal.empty()) {
        outcome.err += ErrorLine(prefix + refusal);
        outcome.exitCode = 3;
        return outcome;
    }
    const scene::Scene scene = diagrams::BuildDiagram(*options.kind, input, options.width, options.height);
    const bool svg = EndsWith(output, ".svg");
    const std::string title = std::string("Gonilux ") + diagrams::KindKey(*options.kind) + " diagram";
    std::string bytes;
    std::string problem = "cannot draw the picture";
    if (module.sceneBytes(scene, svg, options.width, options.height, title.c_str(), bytes))
        problem = fileio::WriteFileAtomically(output, bytes);
    if (!problem.empty()) {
        outcome.err += ErrorLine(prefix + "Cannot write file " + output + ": " + problem);
        outcome.exitCode = 3;
    }
    return outcome;
}

int DrawBatch(const DrawModule& module, const Options& options, const std::string& decimalSeparator)
{
    return DrawIntoFolder(module, options.files, options.output, options.format, "picture",
        [&](const std::string& file, const std::string& output) {
            return DrawOne(module, options, decimalSeparator, file, output, file + ": ");
        });
}

} // namespace

int RunDiagram(int argc, char** argv)
{
    if (AsksForHelp(argc, argv))
        return PrintHelp(kUsage);
    Options options;
    const std::string problem = ParseArguments(argc, argv, options);
    if (!problem.empty())
        return UsageError(kUsage, problem);
    if (options.values) {
        const FileOutcome outcome = PrintValues(options);
        PrintOutcome(outcome);
        if (outcome.exitCode != 0)
            return outcome.exitCode;
        return FinishOutput() ? 0 : 3;
    }
    const DrawModule* module = LinkedDrawModule();
    if (!module)
        return HandOverToDrawProgram(argc, argv);
    char separator[8] = ".";
    module->decimalSeparator(separator, sizeof separator);
    if (options.Batch())
        return DrawBatch(*module, options, separator);
    module->startGui();
    const FileOutcome outcome = DrawOne(*module, options, separator, options.files.front(), options.output, "");
    module->stopGui();
    PrintOutcome(outcome);
    return outcome.exitCode;
}
