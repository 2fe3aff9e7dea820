#include "LineText.h"
#include "IesReader.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

void SplitIntoLines(std::string_view text, TStringList& lines)
{
    lines.clear();
    if (const void* nul = std::memchr(text.data(), '\0', text.size()))
        text = text.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - text.data()));

    // The next CR and the next LF are each found with memchr and looked for again only once passed, so the text
    // is scanned twice at memchr speed whatever its line ends.
    const char* p = text.data();
    const char* const end = p + text.size();
    const auto next = [end](const char* from, char c) {
        const void* at = std::memchr(from, c, static_cast<std::size_t>(end - from));
        return at ? static_cast<const char*>(at) : end;
    };
    const char* cr = next(p, '\r');
    const char* lf = next(p, '\n');
    while (p != end) {
        if (cr < p)
            cr = next(p, '\r');
        if (lf < p)
            lf = next(p, '\n');
        const char* q = cr < lf ? cr : lf;
        lines.emplace_back(p, q);
        if (q != end && *q == '\r' && q + 1 == lf)
            ++q; // CR LF is one line break
        p = q == end ? q : q + 1;
    }
}

void LoadFileLines(const std::string& path, TStringList& lines)
{
    std::string bytes;
    LoadFileBytes(path, bytes);
    SplitIntoLines(bytes, lines);
}
