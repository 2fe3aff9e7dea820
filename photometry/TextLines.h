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

    // Bytes of bookkeeping held besides the text: what the line store costs on top of the file.
    std::size_t OverheadBytes() const { return sizeof *this + m_starts.capacity() * sizeof(std::size_t); }

    static constexpr std::size_t kStride = 64;

private:
    // Offset of the start of the line after the one starting at offset.
    std::size_t NextStart(std::size_t offset) const;

    std::string_view m_text;
    std::size_t m_count = 0;
    std::vector<std::size_t> m_starts; // start of lines 0, 64, 128 ...
    mutable std::size_t m_lastIndex = 0, m_lastStart = 0; // the line found last, where the next search starts
};
