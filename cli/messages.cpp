#include "messages.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

void AppendEscaped(std::string& out, unsigned char byte)
{
    static const char digits[] = "0123456789abcdef";
    out += "\\x";
    out += digits[byte >> 4];
    out += digits[byte & 0xF];
}

} // namespace

std::string EscapeControls(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool c1 = byte == 0xC2 && i + 1 < text.size() && (static_cast<unsigned char>(text[i + 1]) & 0xE0) == 0x80;
        if ((byte < 0x20 && byte != '\t') || byte == 0x7F) {
            AppendEscaped(out, byte);
        } else if (c1) { // U+0080 to U+009F, which some terminals take as controls
            AppendEscaped(out, byte);
            AppendEscaped(out, static_cast<unsigned char>(text[++i]));
        } else {
            out += static_cast<char>(byte);
        }
    }
    return out;
}

std::string CutText(std::string_view text, std::size_t limit)
{
    if (text.size() <= limit)
        return std::string(text);
    std::size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return std::string(text.substr(0, cut)) + "...";
}

std::string ErrorLine(std::string_view message) { return "gonilux-cli: " + EscapeControls(message) + "\n"; }

void ReportError(std::string_view message)
{
    const std::string line = ErrorLine(message);
    std::fwrite(line.data(), 1, line.size(), stderr);
}

bool FinishOutput()
{
    errno = 0;
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return true;
    const int error = errno;
    ReportError(std::string("cannot write the output: ") + (error ? std::strerror(error) : "write error"));
    return false;
}
