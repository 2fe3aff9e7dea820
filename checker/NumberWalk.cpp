#include "NumberWalk.h"
#include "NumericText.h"

#include <algorithm>
#include <cstring>
#include <utility>

NumberWalk::NumberWalk(const TStringList& lines, std::size_t firstLine, Report& report)
    : m_firstLine(firstLine)
    , m_lineCount(lines.size())
    , m_text(BuildNumericText(lines, m_lineStarts))
    , m_cursor(m_text)
    , m_report(report)
{
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

void NumberWalk::Add(Severity severity, const char* code, const Token& token, std::string message)
{
    if (PastEnd(token)) {
        m_report.Add(severity, code, m_firstLine + m_lineCount, 0, std::move(message));
        return;
    }
    const auto after = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), token.offset);
    const std::size_t index = static_cast<std::size_t>(after - m_lineStarts.begin()) - 1;
    m_report.Add(severity, code, m_firstLine + index, token.offset - m_lineStarts[index] + 1, std::move(message));
}
