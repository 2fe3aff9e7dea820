#include "TextLines.h"
#include "ByteMasks.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

tTextLines::tTextLines(std::string_view text)
{
    if (const void* nul = std::memchr(text.data(), '\0', text.size()))
        text = text.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - text.data()));
    m_text = text;
    if (!text.empty())
        AddLineStart(0);
    // A line break ends at every LF and at every CR that no LF follows; a line starts after each, unless the text
    // ends there. The breaks are found 64 bytes at a time.
    const char* const p = text.data();
    const std::size_t size = text.size();
    std::size_t i = 0;
    for (; i + bytemasks::kBlock <= size; i += bytemasks::kBlock) {
        std::uint64_t cr = 0, lf = 0;
        bytemasks::BreakMasks(p + i, cr, lf);
        const std::uint64_t lfNext
            = (lf >> 1) | (i + bytemasks::kBlock < size && p[i + bytemasks::kBlock] == '\n' ? 1ULL << 63 : 0);
        std::uint64_t ends = lf | (cr & ~lfNext);
        if (i + bytemasks::kBlock == size)
            ends &= ~(1ULL << 63); // a break at the very end starts no line
        const std::size_t found = bytemasks::CountBits(ends);
        const std::size_t nextRecorded = (m_count + kStride - 1) / kStride * kStride;
        if (m_count + found <= nextRecorded) {
            m_count += found; // no recorded start among them
            continue;
        }
        for (; ends != 0; ends &= ends - 1)
            AddLineStart(i + static_cast<std::size_t>(std::countr_zero(ends)) + 1);
    }
    for (; i < size; ++i) {
        const bool ends = p[i] == '\n' || (p[i] == '\r' && (i + 1 == size || p[i + 1] != '\n'));
        if (ends && i + 1 < size)
            AddLineStart(i + 1);
    }
    m_starts.shrink_to_fit();
}

void tTextLines::AddLineStart(std::size_t offset)
{
    if (m_count % kStride == 0)
        m_starts.push_back(offset);
    ++m_count;
}

tTextLines::Walk::Walk(std::string_view text, std::size_t start)
    : m_p(text.data() + start)
    , m_end(text.data() + text.size())
{
    m_cr = Find(m_p, '\r');
    m_lf = Find(m_p, '\n');
}

const char* tTextLines::Walk::Find(const char* from, char c) const
{
    const void* at = std::memchr(from, c, static_cast<std::size_t>(m_end - from));
    return at ? static_cast<const char*>(at) : m_end;
}

std::string_view tTextLines::Walk::Next()
{
    if (m_cr < m_p)
        m_cr = Find(m_p, '\r');
    if (m_lf < m_p)
        m_lf = Find(m_p, '\n');
    const char* const stop = m_cr < m_lf ? m_cr : m_lf;
    const std::string_view line(m_p, static_cast<std::size_t>(stop - m_p));
    const char* q = stop;
    if (q != m_end && *q == '\r' && q + 1 == m_lf)
        ++q; // CR LF is one line break
    m_p = q == m_end ? q : q + 1;
    return line;
}

std::size_t tTextLines::NextStart(std::size_t offset) const
{
    std::size_t i = offset;
    while (i < m_text.size() && m_text[i] != '\r' && m_text[i] != '\n')
        ++i;
    if (i == m_text.size())
        return i;
    if (m_text[i] == '\r' && i + 1 < m_text.size() && m_text[i + 1] == '\n')
        ++i;
    return i + 1;
}

std::size_t tTextLines::LineOf(std::size_t offset) const
{
    // The last recorded start at or before offset, then line by line from there.
    const auto after = std::upper_bound(m_starts.begin(), m_starts.end(), offset);
    std::size_t index = static_cast<std::size_t>(after - m_starts.begin() - 1) * kStride;
    for (std::size_t start = m_starts[index / kStride];;) {
        const std::size_t next = NextStart(start);
        if (next > offset || index + 1 == m_count)
            return index;
        start = next;
        ++index;
    }
}

std::string_view tTextLines::Line(std::size_t index) const
{
    std::size_t at = index / kStride * kStride;
    std::size_t start = m_starts[index / kStride];
    if (m_lastIndex <= index && m_lastIndex > at) { // going on from the line found last is shorter
        at = m_lastIndex;
        start = m_lastStart;
    }
    for (; at < index; ++at)
        start = NextStart(start);
    m_lastIndex = index;
    m_lastStart = start;
    std::size_t stop = start;
    while (stop < m_text.size() && m_text[stop] != '\r' && m_text[stop] != '\n')
        ++stop;
    return m_text.substr(start, stop - start);
}
