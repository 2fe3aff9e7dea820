#include "ProfileText.h"

#include <algorithm>

namespace profile {
namespace {

    // Blanks as the platform's profile code sees them.
    bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

    std::string_view Trim(std::string_view s)
    {
        while (!s.empty() && IsBlank(s.front()))
            s.remove_prefix(1);
        while (!s.empty() && IsBlank(s.back()))
            s.remove_suffix(1);
        return s;
    }

    char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

    bool SameName(std::string_view a, std::string_view b)
    {
        return a.size() == b.size()
            && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
    }

    // The line end starting at pos: CR LF, a lone CR or LF, or nothing at the end of the text.
    std::string_view LineEndAt(std::string_view text, std::size_t pos)
    {
        if (pos >= text.size())
            return {};
        const bool crlf = text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n';
        return text.substr(pos, crlf ? 2 : 1);
    }

    enum class LineKind { Blank, Comment, Section, Entry, Other };

    // One line of the text: [begin, contentEnd) is its text, [contentEnd, end) its line end (CR LF, LF, CR or
    // nothing for a last line without one).
    struct Line {
        std::size_t begin = 0, contentEnd = 0, end = 0;
        LineKind kind = LineKind::Blank;
        std::string_view name; // section name or key, trimmed
        std::string_view value; // entry value, trimmed
        std::size_t nameBegin = 0; // offset of the key's first character (entries)
    };

    Line ParseLine(std::string_view text, std::size_t begin)
    {
        Line line;
        line.begin = begin;
        const std::size_t brk = text.find_first_of("\r\n", begin);
        line.contentEnd = brk == std::string_view::npos ? text.size() : brk;
        line.end = line.contentEnd + LineEndAt(text, line.contentEnd).size();

        std::string_view content = text.substr(begin, line.contentEnd - begin);
        std::string_view trimmed = Trim(content);
        if (trimmed.empty())
            return line;
        if (trimmed.front() == ';' || trimmed.front() == '#') {
            line.kind = LineKind::Comment;
            return line;
        }
        if (trimmed.front() == '[') {
            std::size_t close = trimmed.find(']');
            if (close != std::string_view::npos) {
                line.kind = LineKind::Section;
                line.name = Trim(trimmed.substr(1, close - 1));
                return line;
            }
        }
        std::size_t eq = trimmed.find('=');
        if (eq == std::string_view::npos) {
            line.kind = LineKind::Other;
            return line;
        }
        line.kind = LineKind::Entry;
        line.name = Trim(trimmed.substr(0, eq));
        // The platform hands values out as C strings: a NUL ends the value, and blanks before it are dropped too.
        std::string_view value = trimmed.substr(eq + 1);
        line.value = Trim(value.substr(0, value.find('\0')));
        line.nameBegin = static_cast<std::size_t>(trimmed.data() - text.data());
        return line;
    }

    // Calls visit(line) for every line in order until it returns false.
    template <typename Visit> void ForEachLine(std::string_view text, Visit visit)
    {
        for (std::size_t pos = 0; pos < text.size();) {
            Line line = ParseLine(text, pos);
            if (!visit(line))
                return;
            pos = line.end;
        }
    }

    bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

    // The line end the text already uses, taken from its first line; CR LF for a text without any.
    std::string_view LineEndOf(std::string_view text)
    {
        const std::size_t brk = text.find_first_of("\r\n");
        return brk == std::string_view::npos ? std::string_view("\r\n") : LineEndAt(text, brk);
    }

    // Ends an unterminated last line before something is added after it. A CR ending a text whose lines end
    // in CR LF only lacks its LF.
    void EndLastLine(std::string& out, std::string_view eol)
    {
        if (out.empty() || out.back() == '\n')
            return;
        if (out.back() != '\r')
            out += eol;
        else if (eol == "\r\n")
            out += '\n';
    }

} // namespace

std::optional<std::string_view> FindValue(std::string_view text, std::string_view section, std::string_view key)
{
    section = Trim(section);
    key = Trim(key);
    bool inSection = false, seen = false;
    std::optional<std::string_view> found;
    ForEachLine(text, [&](const Line& line) {
        if (line.kind == LineKind::Section) {
            if (seen)
                return false; // a repeated section is never consulted
            inSection = seen = SameName(line.name, section);
        } else if (inSection && line.kind == LineKind::Entry && SameName(line.name, key)) {
            found = line.value;
            return false;
        }
        return true;
    });
    return found;
}

std::string SetValue(std::string_view text, std::string_view section, std::string_view key, std::string_view value)
{
    section = Trim(section);
    key = Trim(key);
    bool inSection = false, seen = false;
    std::optional<Line> match; // the key's entry
    std::optional<Line> anchor; // the line the key goes after: the header, then the last entry
    ForEachLine(text, [&](const Line& line) {
        if (line.kind == LineKind::Section) {
            if (seen)
                return false;
            inSection = seen = SameName(line.name, section);
            if (inSection)
                anchor = line;
        } else if (inSection) {
            if (line.kind == LineKind::Entry && SameName(line.name, key)) {
                match = line;
                return false;
            }
            if (line.kind == LineKind::Entry || line.kind == LineKind::Other)
                anchor = line;
        }
        return true;
    });

    std::string out;
    out.reserve(text.size() + section.size() + key.size() + value.size() + 8);
    if (match) {
        out.append(text.substr(0, match->nameBegin));
        out.append(match->name);
        out += '=';
        out.append(value);
        out.append(text.substr(match->contentEnd));
        return out;
    }
    const std::string_view eol = LineEndOf(text);
    const std::string entry = std::string(key) + "=" + std::string(value) + std::string(eol);
    if (anchor) {
        out.append(text.substr(0, anchor->end));
        EndLastLine(out, eol);
        out += entry;
        out.append(text.substr(anchor->end));
        return out;
    }
    out.append(text);
    EndLastLine(out, eol);
    out += '[';
    out += section;
    out += ']';
    out += eol;
    out += entry;
    return out;
}

bool CanStore(std::string_view section, std::string_view key, std::string_view value)
{
    if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value))
        return false;
    if (section.find(']') != std::string_view::npos)
        return false;
    std::string_view k = Trim(key);
    return !k.empty() && k.find('=') == std::string_view::npos && k.front() != '[' && k.front() != ';'
        && k.front() != '#';
}

} // namespace profile
