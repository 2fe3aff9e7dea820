#include "Diagnostic.h"

const char* SeverityName(Severity severity)
{
    switch (severity) {
    case Severity::Error:
        return "error";
    case Severity::Warning:
        return "warning";
    case Severity::Note:
        break;
    }
    return "note";
}

bool ParseSeverity(std::string_view name, Severity& severity)
{
    for (const Severity candidate : { Severity::Note, Severity::Warning, Severity::Error })
        if (name == SeverityName(candidate)) {
            severity = candidate;
            return true;
        }
    return false;
}

std::string FormatDiagnostic(const std::string& path, const Diagnostic& diagnostic)
{
    std::string text = path + ":" + std::to_string(diagnostic.line);
    if (diagnostic.column != 0) {
        text += ':';
        text += std::to_string(diagnostic.column);
    }
    text += ": ";
    text += SeverityName(diagnostic.severity);
    text += ": " + diagnostic.message + " [" + diagnostic.code + "]";
    return text;
}

bool WorstSeverity(const Diagnostics& diagnostics, Severity& worst)
{
    if (diagnostics.empty())
        return false;
    worst = Severity::Note;
    for (const Diagnostic& diagnostic : diagnostics)
        if (diagnostic.severity > worst)
            worst = diagnostic.severity;
    return true;
}
