#include "read_file.h"
#include "messages.h"

#include "FileText.h"
#include "PhotometricFile.h"

#include <cstdio>
#include <optional>
#include <stdexcept>

namespace {

// The line the header check names in its message ("Error!\r\rLine N").
std::string LineOfMessage(const std::string& message)
{
    const std::size_t at = message.rfind("Line ");
    return at == std::string::npos ? std::string() : message.substr(at + 5);
}

std::string IesVerdict(const TStringList& headerLines, const std::string& headerMessage)
{
    if (headerLines.empty())
        return "not a valid IES file: no TILT line found";
    if (!headerMessage.empty())
        return "not a valid IES file: a header number on line " + LineOfMessage(headerMessage) + " does not convert";
    return {};
}

std::string LdtVerdict(const tLdtFacts& facts, const std::string& headerMessage)
{
    if (headerMessage.empty())
        return {};
    if (facts.failures.empty())
        return "not a valid EULUMDAT file: a field on line " + LineOfMessage(headerMessage) + " does not convert";
    const tLdtFieldFailure& failure = facts.failures.front();
    return "not a valid EULUMDAT file: the " + failure.field + " on line " + std::to_string(failure.line) + " \""
        + CutText(failure.text) + "\" is not a number";
}

} // namespace

std::string ReadRecord(const std::string& path, tIES& ies, TStringList& headerLines, tPhotometricHeader* header)
{
    std::optional<tFileText> bytes; // a large file's text in memory of its own
    try {
        bytes.emplace(path);
    } catch (const tFileReadError& error) {
        throw std::runtime_error(path + ": " + error.Reason());
    }
    if (bytes->Text().empty())
        throw std::runtime_error(path + ": the file is empty");

    tPhotometricHeader unused;
    tLdtFacts facts;
    std::string headerMessage;
    try {
        ReadPhotometricText(
            path, bytes->Text(), headerLines, ies, header ? *header : unused,
            [&headerMessage](const std::string& message) { headerMessage = message; }, nullptr, &facts);
    } catch (const std::exception& error) {
        const std::string what = error.what();
        if (what == "List index out of bounds (0)") // the viewer's words for an IES file with nothing after TILT
            throw std::runtime_error(path + ": no numbers follow the TILT line");
        throw std::runtime_error(path + ": " + what);
    }
    return IsLdtPath(path) ? LdtVerdict(facts, headerMessage) : IesVerdict(headerLines, headerMessage);
}

bool ReadRecordFile(
    const std::string& path, tIES& ies, TStringList& headerLines, tPhotometricHeader* header, std::string* messages)
{
    const std::string verdict = ReadRecord(path, ies, headerLines, header);
    if (verdict.empty())
        return false;
    const std::string line = ErrorLine(path + ": " + verdict);
    if (messages)
        *messages += line;
    else
        std::fputs(line.c_str(), stderr);
    return true;
}
