#pragma once
// Collects the diagnostics of one file. A fault repeated all through a file (a bad column of numbers, a whole
// table of long lines) gives its first few diagnostics and then one that counts the rest, so that the output
// of a broken file stays readable and its memory bounded.

#include "Diagnostic.h"

#include <cstddef>
#include <map>
#include <string>

class Report {
public:
    // How many diagnostics of one code are given in full.
    static constexpr std::size_t kShownPerCode = 10;

    void Add(Severity severity, const char* code, std::size_t line, std::size_t column, std::string message);

    // The diagnostics ordered by line and column (in order of finding where they tie), with one closing
    // diagnostic per code that had more than kShownPerCode, placed where the first one not shown stands.
    Diagnostics Take();

private:
    struct Overflow {
        Diagnostic first; // the first one not shown
        std::size_t count = 0;
    };
    Diagnostics m_shown;
    std::map<std::string, std::size_t> m_perCode;
    std::map<std::string, Overflow> m_overflow;
};
