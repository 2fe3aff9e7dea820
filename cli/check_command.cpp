// gonilux-cli check PATH... [-r] [--json] [--quiet] [--level error|warning|note]: checks IES and EULUMDAT files
// and folders of them and prints what is wrong and where, one line per diagnostic in the compiler form, or one
// JSON document.
#include "Commands.h"
#include "check_walk.h"
#include "messages.h"
#include "usage.h"

#include "Checker.h"
#include "TextEncoding.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

struct CheckOptions {
    std::vector<std::string> paths;
    bool recursive = false;
    bool json = false;
    bool quiet = false;
    Severity level = Severity::Warning; // notes are for those who ask for them
};

constexpr CommandUsage kUsage { "check",
    "usage: gonilux-cli check PATH... [-r] [--json] [--quiet] [--level error|warning|note]\n" };

// Fills options from argv (argv[0] is "check"); returns what is wrong with the arguments, "" when usable.
std::string ParseOptions(int argc, char** argv, CheckOptions& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "-r" || argument == "--recursive")
            options.recursive = true;
        else if (argument == "--json")
            options.json = true;
        else if (argument == "--quiet" || argument == "-q")
            options.quiet = true;
        else if (argument == "--level") {
            if (++i == argc)
                return "--level needs error, warning or note";
            if (!ParseSeverity(argv[i], options.level))
                return "--level needs error, warning or note, not \"" + std::string(argv[i]) + "\"";
        } else if (argument.size() > 1 && argument[0] == '-')
            return "unknown option " + argument;
        else
            options.paths.push_back(argument);
    }
    return options.paths.empty() ? "no path given" : "";
}

void JsonString(std::FILE* out, const std::string& text)
{
    std::fputc('"', out);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\')
            std::fprintf(out, "\\%c", c);
        else if (byte < 0x20 || byte == 0x7f)
            std::fprintf(out, "\\u%04x", byte);
        else
            std::fputc(c, out); // already UTF-8
    }
    std::fputc('"', out);
}

class Output {
public:
    explicit Output(const CheckOptions& options)
        : m_options(options)
        , m_progress(::isatty(STDERR_FILENO) == 1)
        , m_start(std::chrono::steady_clock::now())
    {
        if (m_options.json)
            std::fputs("{\n  \"files\": [", stdout);
    }

    void File(const CheckTarget& target, const CheckResult& result);
    void Progress(std::size_t checked, std::size_t total);
    int Finish();

private:
    void ClearProgress();
    void JsonFile(const std::string& path, const std::string& error, const Diagnostics& shown);

    const CheckOptions& m_options;
    bool m_progress;
    std::chrono::steady_clock::time_point m_start, m_lastProgress;
    bool m_progressShown = false;
    std::size_t m_files = 0, m_clean = 0, m_warnings = 0, m_errors = 0, m_jsonFiles = 0;
    bool m_ioFailure = false;
};

void Output::ClearProgress()
{
    if (m_progressShown)
        std::fputs("\r\033[K", stderr);
    m_progressShown = false;
}

void Output::Progress(std::size_t checked, std::size_t total)
{
    const auto now = std::chrono::steady_clock::now();
    if (!m_progress || now - m_start < std::chrono::seconds(1) || now - m_lastProgress < std::chrono::milliseconds(100))
        return;
    m_lastProgress = now;
    std::fprintf(stderr, "\r\033[Kchecking: %zu of %zu files", checked, total);
    std::fflush(stderr);
    m_progressShown = true;
}

void Output::JsonFile(const std::string& path, const std::string& error, const Diagnostics& shown)
{
    std::fputs(m_jsonFiles++ ? ",\n    {\"path\": " : "\n    {\"path\": ", stdout);
    JsonString(stdout, DisplayUtf8(path));
    if (!error.empty()) {
        std::fputs(", \"error\": ", stdout);
        JsonString(stdout, DisplayUtf8(error));
    }
    std::fputs(", \"diagnostics\": [", stdout);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const Diagnostic& d = shown[i];
        std::fprintf(stdout,
            "%s\n      {\"severity\": \"%s\", \"code\": \"%s\", \"line\": %zu, \"column\": ", i ? "," : "",
            SeverityName(d.severity), d.code.c_str(), d.line);
        if (d.column)
            std::fprintf(stdout, "%zu", d.column);
        else
            std::fputs("null", stdout);
        std::fputs(", \"message\": ", stdout);
        JsonString(stdout, d.message);
        std::fputc('}', stdout);
    }
    std::fputs(shown.empty() ? "]}" : "\n    ]}", stdout);
}

void Output::File(const CheckTarget& target, const CheckResult& result)
{
    ClearProgress();
    if (!result.error.empty()) {
        m_ioFailure = true;
        ReportError(target.path + ": error: " + result.error);
        if (m_options.json)
            JsonFile(target.path, result.error, {});
        return;
    }
    ++m_files;
    Severity worst = Severity::Note;
    const bool any = WorstSeverity(result.diagnostics, worst);
    if (!any || worst == Severity::Note)
        ++m_clean;
    else if (worst == Severity::Warning)
        ++m_warnings;
    else
        ++m_errors;

    Diagnostics shown;
    for (const Diagnostic& diagnostic : result.diagnostics)
        if (diagnostic.severity >= m_options.level)
            shown.push_back(diagnostic);
    if (m_options.json) {
        if (!shown.empty() || !m_options.quiet)
            JsonFile(target.path, {}, shown);
        return;
    }
    for (const Diagnostic& diagnostic : shown)
        std::printf("%s\n", EscapeControls(FormatDiagnostic(target.path, diagnostic)).c_str());
}

int Output::Finish()
{
    ClearProgress();
    if (m_options.json) {
        std::printf("%s],\n  \"summary\": {\"files\": %zu, \"clean\": %zu, \"warnings\": %zu, \"errors\": %zu}\n}\n",
            m_jsonFiles ? "\n  " : "", m_files, m_clean, m_warnings, m_errors);
    } else if (!m_options.quiet) {
        std::printf("%zu file%s: %zu clean, %zu with warnings, %zu with errors\n", m_files, m_files == 1 ? "" : "s",
            m_clean, m_warnings, m_errors);
    }
    if (!FinishOutput() || m_ioFailure)
        return 3;
    return m_errors ? 2 : m_warnings ? 1 : 0;
}

} // namespace

int RunCheck(int argc, char** argv)
{
    if (AsksForHelp(argc, argv))
        return PrintHelp(kUsage);
    CheckOptions options;
    const std::string problem = ParseOptions(argc, argv, options);
    if (!problem.empty())
        return UsageError(kUsage, problem, 3);
    const std::vector<CheckTarget> targets = CollectTargets(options.paths, options.recursive);
    Output output(options);
    CheckInOrder(
        targets, std::thread::hardware_concurrency(),
        [&](std::size_t index, CheckResult& result) { output.File(targets[index], result); },
        [&](std::size_t checked) { output.Progress(checked, targets.size()); });
    return output.Finish();
}
