#include "LineText.h"
#include "IesReader.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <sys/stat.h>

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
    const auto fail = [&path]() { return std::runtime_error("Cannot open file " + path); };
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file)
        throw fail();

    // Only a regular file has text: a folder opens on some systems but reads as an error (or as a huge size).
    struct stat info { };
    if (::fstat(::fileno(file.get()), &info) != 0 || !S_ISREG(info.st_mode))
        throw fail();
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[1 << 16];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        bytes.append(buffer, got);
    if (std::ferror(file.get()))
        throw fail(); // a folder, or a file the system refuses to read
    SplitIntoLines(bytes, lines);
}
