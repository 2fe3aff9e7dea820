#pragma once
// What a check finds in a photometric file: one diagnostic per fault, placed by line and column like a compiler's.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

enum class Severity { Note, Warning, Error };

struct Diagnostic {
    Severity severity = Severity::Note;
    std::string code; // stable short name, e.g. "bad-number"
    std::size_t line = 0; // 1-based
    std::size_t column = 0; // 1-based byte offset in the line + 1; 0 when no column applies
    std::string message; // valid UTF-8
};

using Diagnostics = std::vector<Diagnostic>;

// "error", "warning" or "note".
const char* SeverityName(Severity severity);

// Parses a severity name as SeverityName writes it; false for anything else.
bool ParseSeverity(std::string_view name, Severity& severity);

// The compiler form: "PATH:LINE:COL: warning: message [code]", ":COL" left out when no column applies. The path is
// written as given (its bytes as they are on disk).
std::string FormatDiagnostic(const std::string& path, const Diagnostic& diagnostic);

// The highest severity among the diagnostics; false when there are none.
bool WorstSeverity(const Diagnostics& diagnostics, Severity& worst);
