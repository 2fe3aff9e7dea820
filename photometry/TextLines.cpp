#include "TextLines.h"

#include <cstring>

tTextLines::tTextLines(std::string_view text)
{
    if (const void* nul = std::memchr(text.data(), '\0', text.size()))
        text = text.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - text.data()));
    m_text = text;
    // The next CR and the next LF are each found with memchr and looked for again only once passed, as
    // SplitIntoLines does, so the text is scanned twice at memchr speed whatever its line ends.
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const auto next = [end](const char* from, char c) {
        const void* at = std::memchr(from, c, static_cast<std::size_t>(end - from));
        return at ? static_cast<const char*>(at) : end;
    };
    const char* p = begin;
    const char* cr = next(p, '\r');
    const char* lf = next(p, '\n');
    while (p != end) {
        if (m_count % kStride == 0)
            m_starts.push_back(static_cast<std::size_t>(p - begin));
        ++m_count;
        if (cr < p)
            cr = next(p, '\r');
        if (lf < p)
            lf = next(p, '\n');
        const char* q = cr < lf ? cr : lf;
        if (q != end && *q == '\r' && q + 1 == lf)
            ++q; // CR LF is one line break
        p = q == end ? q : q + 1;
    }
    m_starts.shrink_to_fit();
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
