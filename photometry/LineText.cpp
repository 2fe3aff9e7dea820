#include "LineText.h"
#include "IesReader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

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

void LoadFileBytes(const std::string& path, std::string& bytes)
{
    const auto fail = [&path](const std::string& reason) { return tFileReadError("Cannot open file " + path, reason); };
    // Non-blocking open: a FIFO (or a device) named like a file must never wait for a writer and freeze the window.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw fail(std::strerror(errno));
    const std::unique_ptr<int, void (*)(int*)> guard(new int(fd), [](int* f) {
        ::close(*f);
        delete f;
    });

    // Only a regular file has text: a folder opens on some systems but reads as an error (or as a huge size).
    struct stat info { };
    if (::fstat(fd, &info) != 0)
        throw fail(std::strerror(errno));
    if (S_ISDIR(info.st_mode))
        throw fail(std::strerror(EISDIR));
    if (!S_ISREG(info.st_mode))
        throw fail("not a regular file");
    const auto tooLarge = [&path](std::uint64_t size) {
        const std::string reason = "too large to be a photometric file: " + std::to_string(size) + " bytes, at most "
            + std::to_string(kMaxFileBytes) + " are read";
        return tFileReadError("The file " + path + " is " + reason, reason);
    };
    if (static_cast<std::uint64_t>(info.st_size) > kMaxFileBytes)
        throw tooLarge(static_cast<std::uint64_t>(info.st_size));
    // Read straight into the string, sized for the file plus one byte: a read that fills it all shows the file grew.
    bytes.clear();
    std::size_t size = 0;
    bytes.resize(static_cast<std::size_t>(info.st_size) + 1);
    for (;;) {
        if (size == bytes.size())
            bytes.resize(std::min<std::size_t>(2 * bytes.size(), kMaxFileBytes + 1));
        const ssize_t got = ::read(fd, bytes.data() + size, bytes.size() - size);
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw fail(std::strerror(errno)); // a file the system refuses to read
        }
        size += static_cast<std::size_t>(got);
        if (size > kMaxFileBytes) // the file grew while it was read
            throw tooLarge(size);
    }
    bytes.resize(size);
}

void LoadFileLines(const std::string& path, TStringList& lines)
{
    std::string bytes;
    LoadFileBytes(path, bytes);
    SplitIntoLines(bytes, lines);
}
