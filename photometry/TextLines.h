#pragma once
// The lines of a file's text without a string per line. A file of millions of short lines would otherwise cost far
// more than its size (a string object per line is 32 bytes, more than an empty line's one byte); here the text is
// kept once, outside, and only the start of every 64th line is recorded.

#include <cstddef>
#include <string_view>
#include <vector>

class tTextLines {
public:
    // The lines of text, split as SplitIntoLines splits them: at every CR, LF or CR LF pair, a line break at the very
    // end starting no further line, a NUL ending the text. The text is not copied: it must outlive this object.
    explicit tTextLines(std::string_view text);

    std::size_t Count() const { return m_count; }

    // Line index (0-based, below Count()), without its line break. Reading the lines in order costs one pass over
    // the text; any other line costs at most 63 lines' walk from the nearest recorded start.
    std::string_view Line(std::size_t index) const;

    // The text from the start of line index (below Count()) to the end.
    std::string_view From(std::size_t index) const
    {
        return m_text.substr(static_cast<std::size_t>(Line(index).data() - m_text.data()));
    }

    // The line (0-based) on which the byte at offset (below the text's size) stands; a line break belongs to the
    // line it ends.
    std::size_t LineOf(std::size_t offset) const;

    // Calls visit(line) for lines first, first + 1, ... to the last, in order, without their line breaks: one
    // pass over the text at memchr speed, for reading the lines in order.
    template <class Visit> void ForEachLine(std::size_t first, Visit&& visit) const
    {
        if (first >= m_count)
            return;
        Walk walk(m_text, static_cast<std::size_t>(Line(first).data() - m_text.data()));
        for (std::size_t i = first; i < m_count; ++i)
            visit(walk.Next());
    }

    // Bytes of bookkeeping held besides the text: what the line store costs on top of the file.
    std::size_t OverheadBytes() const { return sizeof *this + m_starts.capacity() * sizeof(std::size_t); }

    static constexpr std::size_t kStride = 64;

private:
    // Lines one after another from a line's start: the next CR and the next LF are each found with memchr and
    // looked for again only once passed.
    class Walk {
    public:
        Walk(std::string_view text, std::size_t start);
        std::string_view Next(); // the line at the current start, moving the start past its line break

    private:
        const char* Find(const char* from, char c) const;
        const char* m_p;
        const char* m_end;
        const char* m_cr;
        const char* m_lf;
    };

    // Counts the line starting at offset, recording its start when it is one of every kStride-th.
    void AddLineStart(std::size_t offset);

    // Offset of the start of the line after the one starting at offset.
    std::size_t NextStart(std::size_t offset) const;

    std::string_view m_text;
    std::size_t m_count = 0;
    std::vector<std::size_t> m_starts; // start of lines 0, 64, 128 ...
    mutable std::size_t m_lastIndex = 0, m_lastStart = 0; // the line found last, where the next search starts
};
