// gonilux-cli ugr FILE... [--spacing 0.25|1] [--corrected] [--json]: the UGR table of type C files, as catalogues
// lay it out or as JSON; several files are rated on every core and printed in the order given.
#include "Commands.h"
#include "batch.h"
#include "info_figures.h"
#include "messages.h"
#include "usage.h"

#include "UgrText.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Options {
    std::vector<std::string> files;
    long double spacing = 0.25L;
    bool corrected = false;
    bool json = false;
};

constexpr CommandUsage kUsage { "ugr",
    "usage: gonilux-cli ugr FILE... [--spacing 0.25|1] [--corrected] [--json]\n"
    "The UGR table of type C files by the CIE 117 tabular method: 8 log10(0.25 / Lb x sum of L^2 omega / p^2) over\n"
    "a grid of luminaires (spacing SHR x H) in 19 standard rooms, luminaires H = 2 m above the eye, eye 1.2 m above\n"
    "the floor; 1000 lm of lamp flux per luminaire, or the file's with --corrected (+ 8 log10(flux / 1000)).\n" };

// Fills options from argv (argv[0] is "ugr"); returns what is wrong with the arguments, "" when usable.
std::string ParseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--spacing") {
            const std::string value = i + 1 < argc ? argv[++i] : "";
            if (value == "0.25" || value == ".25")
                options.spacing = 0.25L;
            else if (value == "1" || value == "1.0")
                options.spacing = 1;
            else
                return "--spacing needs 0.25 or 1" + (value.empty() ? std::string() : ", not \"" + value + "\"");
        } else if (arg == "--corrected") {
            options.corrected = true;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return "unknown option " + arg;
        } else {
            options.files.push_back(arg);
        }
    }
    return options.files.empty() ? "no file given" : "";
}

std::string JsonText(const std::string& text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (byte < 0x20 || byte >= 0x7f) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            quoted += escaped;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

std::string JsonRatings(const std::array<std::optional<double>, ugr::kReflectances>& ratings)
{
    std::string text = "[";
    for (std::size_t s = 0; s < ratings.size(); ++s)
        text += (s ? ", " : "") + JsonNumber(ratings[s]);
    return text + "]";
}

// The table's members, without the braces around them; indent starts each line.
std::string JsonTable(const tUgrTable& table, const std::string& indent)
{
    std::string text = indent + "\"spacing\": " + JsonNumber(table.spacing) + ",\n" + indent
        + "\"corrected\": " + (table.corrected ? "true" : "false") + ",\n" + indent
        + "\"flux_lm\": " + JsonNumber(table.fluxLm) + ",\n" + indent + "\"reflectances\": [";
    for (int s = 0; s < ugr::kReflectances; ++s) {
        const ugr::Reflectances& set = ugr::kReflectanceSets[s];
        text += (s ? ", \"" : "\"") + std::to_string(set.ceiling) + "/" + std::to_string(set.walls) + "/"
            + std::to_string(set.floor) + "\"";
    }
    text += "],\n" + indent + "\"rows\": [";
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const tUgrRow& row = table.rows[r];
        text += (r ? ",\n" : "\n") + indent + "  {\"x\": " + std::to_string(row.x) + ", \"y\": " + std::to_string(row.y)
            + ", \"crosswise\": " + JsonRatings(row.crosswise) + ", \"endwise\": " + JsonRatings(row.endwise) + "}";
    }
    return text + "\n" + indent + "]";
}

// One file's table (or why there is none). In a batch, prefix ("FILE: ") starts each message and JSON is an element
// of the "files" list, first telling whether a comma goes before it.
FileOutcome RateOne(const Options& options, const std::string& file, bool batch, bool first)
{
    FileOutcome outcome;
    const std::string prefix = batch ? file + ": " : "";
    tIES ies;
    tPhotometricHeader header;
    std::string messages;
    std::string problem;
    std::optional<tUgrTable> table;
    int failure = 0;
    try {
        TStringList headerLines;
        ReadRecordFile(file, ies, headerLines, &header, &messages);
        const tUgrResult result = ComputeUgrTable(ies, header, { options.spacing, options.corrected });
        table = result.table;
        if (!table) {
            problem = "no UGR table: " + result.reason;
            failure = 1;
        }
    } catch (const std::exception& error) {
        problem = error.what();
        failure = 3;
    }
    outcome.err = PrefixLines(messages, prefix);
    outcome.exitCode = failure;
    // A file that cannot be read is named by the reader's own message, as the other subcommands print it.
    if (failure)
        outcome.err += ErrorLine(failure == 3 ? problem : file + ": " + problem);

    if (options.json) {
        const std::string indent = batch ? "      " : "  ";
        std::string body = batch ? indent + "\"path\": " + JsonText(file) + ",\n" : "";
        body += table ? JsonTable(*table, indent) : indent + "\"error\": " + JsonText(problem);
        outcome.out = batch ? std::string(first ? "\n" : ",\n") + "    {\n" + body + "\n    }" : "{\n" + body + "\n}\n";
    } else if (table) {
        outcome.out = (batch ? (first ? "" : "\n") + file + "\n" : "") + UgrTableText(*table);
    }
    return outcome;
}

} // namespace

int RunUgr(int argc, char** argv)
{
    if (AsksForHelp(argc, argv))
        return PrintHelp(kUsage);
    Options options;
    const std::string problem = ParseOptions(argc, argv, options);
    if (!problem.empty())
        return UsageError(kUsage, problem);
    if (options.files.size() == 1) {
        const FileOutcome outcome = RateOne(options, options.files.front(), false, true);
        PrintOutcome(outcome);
        return FinishOutput() ? outcome.exitCode : 3;
    }
    if (options.json)
        std::fputs("{\n  \"files\": [", stdout);
    const int worst = RunBatch(
        options.files.size(), [&](size_t index) { return RateOne(options, options.files[index], true, index == 0); });
    if (options.json)
        std::fputs("\n  ]\n}\n", stdout);
    return FinishOutput() ? worst : 3;
}
