#pragma once
// The numbers after the TILT line taken one by one with the reader's own cursor over the reader's own numeric
// text, each remembering where it stands, so that a diagnostic can name the line and column of a token.

#include "NumberText.h"
#include "Report.h"
#include "TextLines.h"
#include "tIES.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct Token {
    long double value = 0; // what the reader takes, the failure value included
    bool converted = false;
    std::size_t offset = 0; // in the numeric text; its size when the text was used up
};

class NumberWalk {
public:
    // The numbers of the lines from index first on (the lines after the TILT line). lines must outlive the walk.
    NumberWalk(const tTextLines& lines, std::size_t first, Report& report);
    NumberWalk(const NumberWalk&) = delete; // the cursor points into the text
    NumberWalk& operator=(const NumberWalk&) = delete;

    // No text at all follows (not even an empty line).
    bool NoText() const { return m_text.empty(); }
    // No token remains.
    bool AtEnd() { return m_cursor.AtEnd(); }

    Token Next();
    bool PastEnd(const Token& token) const { return token.offset >= m_text.size(); }
    // The token's characters, as the reader cut it (up to the next space).
    std::string_view Text(const Token& token) const;

    // Adds a diagnostic at the token: its line and column, or the line after the last (no column) past the end.
    void Add(Severity severity, const char* code, const Token& token, std::string message);

private:
    // The 0-based line (counted from first) of an offset below the text's size, and where that line starts.
    std::pair<std::size_t, std::size_t> LineOf(std::size_t offset);

    // Of every kStride-th line from first on, its offset in the numeric text: enough to find any offset's line
    // with a short walk, where an offset per line would cost more than a file of empty lines.
    static constexpr std::size_t kStride = 256;

    const tTextLines& m_lines;
    std::size_t m_first;
    std::vector<std::size_t> m_strideStarts;
    // The line found last: diagnostics mostly come in the text's order, so the next search goes on from here.
    std::size_t m_lastLine = 0, m_lastStart = 0;
    std::string m_text;
    NumericCursor m_cursor;
    Report& m_report;
};
