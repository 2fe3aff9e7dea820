#include "Report.h"

#include <algorithm>
#include <utility>

void Report::Add(Severity severity, const char* code, std::size_t line, std::size_t column, std::string message)
{
    std::size_t& count = m_perCode[code];
    if (++count <= kShownPerCode) {
        m_shown.push_back({ severity, code, line, column, std::move(message) });
        return;
    }
    Overflow& overflow = m_overflow[code];
    if (overflow.count++ == 0)
        overflow.first = { severity, code, line, column, {} };
}

Diagnostics Report::Take()
{
    for (auto& [code, overflow] : m_overflow) {
        Diagnostic more = std::move(overflow.first);
        more.message = std::to_string(overflow.count) + " more like the above from here on (not listed)";
        m_shown.push_back(std::move(more));
    }
    std::stable_sort(m_shown.begin(), m_shown.end(), [](const Diagnostic& a, const Diagnostic& b) {
        return a.line != b.line ? a.line < b.line : a.column < b.column;
    });
    m_perCode.clear();
    m_overflow.clear();
    Diagnostics taken;
    taken.swap(m_shown);
    return taken;
}
