#pragma once
// Text of a file split into lines, the way the reader expects them.

#include "tIES.h"

#include <utility>

#include <stdexcept>
#include <string>
#include <string_view>

// What LoadFileBytes and LoadFileLines throw: the message the viewer shows, and the reason alone in a few words
// ("No such file or directory", "Permission denied", "Is a directory", ...) for tools that name the file themselves.
class tFileReadError : public std::runtime_error {
public:
    tFileReadError(const std::string& message, std::string reason)
        : std::runtime_error(message)
        , m_reason(std::move(reason))
    {
    }
    const std::string& Reason() const { return m_reason; }

private:
    std::string m_reason;
};

// Splits text into lines at every CR, LF or CR LF pair; a line break at the very end starts no further line,
// and a NUL character ends the text. Bytes are taken one per character, with no encoding applied.
void SplitIntoLines(std::string_view text, TStringList& lines);

// Reads a whole file's bytes, refusing what LoadFileLines refuses (a file that cannot be opened or read, one that
// is not a regular file, one larger than kMaxFileBytes) with the same messages.
void LoadFileBytes(const std::string& path, std::string& bytes);
