#include "NumberWalk.h"
#include "NumericText.h"

#include <algorithm>
#include <cstring>
#include <utility>

NumberWalk::NumberWalk(const tTextLines& lines, std::size_t first, Report& report)
    : m_lines(lines)
    , m_first(first)
    , m_text(BuildNumericText(lines, first))
    , m_cursor(m_text)
    , m_report(report)
{
    // Each line stands in the numeric text as itself and two spaces.
    std::size_t start = 0;
    m_strideStarts.reserve((lines.Count() - first) / kStride + 1);
    for (std::size_t i = first; i < lines.Count(); ++i) {
        if ((i - first) % kStride == 0)
            m_strideStarts.push_back(start);
        start += lines.Line(i).size() + 2;
    }
}

Token NumberWalk::Next()
{
    Token token;
    bool failed = false;
    token.value = m_cursor.NextNumber(failed);
    token.converted = !failed;
    token.offset = m_cursor.TokenStart();
    return token;
}

std::string_view NumberWalk::Text(const Token& token) const
{
    if (PastEnd(token))
        return {};
    const std::string_view rest = std::string_view(m_text).substr(token.offset);
    return rest.substr(0, std::min(rest.find(' '), rest.size()));
}

std::pair<std::size_t, std::size_t> NumberWalk::LineOf(std::size_t offset)
{
    const auto after = std::upper_bound(m_strideStarts.begin(), m_strideStarts.end(), offset);
    std::size_t index = static_cast<std::size_t>(after - m_strideStarts.begin() - 1) * kStride;
    std::size_t start = *(after - 1);
    if (m_lastStart <= offset && m_lastLine > index) { // going on from the line found last is shorter
        index = m_lastLine;
        start = m_lastStart;
    }
    // Each line stands in the numeric text as itself and two spaces.
    for (std::size_t next = start + m_lines.Line(m_first + index).size() + 2; next <= offset;
         next += m_lines.Line(m_first + index).size() + 2) {
        start = next;
        ++index;
    }
    m_lastLine = index;
    m_lastStart = start;
    return { index, start };
}

void NumberWalk::Add(Severity severity, const char* code, const Token& token, std::string message)
{
    const std::size_t firstLine = m_first + 1; // 1-based
    if (PastEnd(token)) {
        m_report.Add(severity, code, firstLine + m_lines.Count() - m_first, 0, std::move(message));
        return;
    }
    const auto [index, start] = LineOf(token.offset);
    m_report.Add(severity, code, firstLine + index, token.offset - start + 1, std::move(message));
}
