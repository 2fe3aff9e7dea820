#pragma once
// The numbers after the TILT line taken one by one with the reader's own cursor over the reader's own numeric
// text, each remembering where it stands, so that a diagnostic can name the line and column of a token.

#include "NumberText.h"
#include "Report.h"
#include "tIES.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct Token {
    long double value = 0; // what the reader takes, the failure value included
    bool converted = false;
    std::size_t offset = 0; // in the numeric text; its size when the text was used up
};

class NumberWalk {
public:
    // lines: the lines after the TILT line; firstLine: the file's 1-based line of the first of them.
    NumberWalk(const TStringList& lines, std::size_t firstLine, Report& report);
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
    std::size_t m_firstLine;
    std::size_t m_lineCount;
    std::vector<std::size_t> m_lineStarts;
    std::string m_text;
    NumericCursor m_cursor;
    Report& m_report;
};
