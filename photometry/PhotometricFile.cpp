#include "PhotometricFile.h"

#include <cctype>
#include <utility>

namespace {

bool EndsWithNoCase(const std::string& text, const char* suffix)
{
    const std::string_view end(suffix);
    if (text.size() < end.size())
        return false;
    for (std::size_t i = 0; i < end.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[text.size() - end.size() + i])) != end[i])
            return false;
    return true;
}

} // namespace

bool IsLdtPath(const std::string& path) { return EndsWithNoCase(path, ".ldt"); }

bool IsPhotometricPath(const std::string& path) { return IsLdtPath(path) || EndsWithNoCase(path, ".ies"); }

void ReadPhotometricLines(const std::string& path, TStringList& fileLines, TStringList& headerLines, tIES& ies,
    tPhotometricHeader& header, const HeaderErrorSink& onHeaderError, tLdtFacts* ldtFacts, tLdtFields* ldtFields)
{
    if (IsLdtPath(path)) {
        ReadLDT(fileLines, headerLines, ies, header, onHeaderError, ldtFacts, ldtFields);
        return;
    }
    ReadIES(fileLines, headerLines, ies, header, onHeaderError);
}

void ReadPhotometricText(const std::string& path, std::string_view text, TStringList& headerLines, tIES& ies,
    tPhotometricHeader& header, const HeaderErrorSink& onHeaderError, std::string* numeric, tLdtFacts* ldtFacts,
    tLdtFields* ldtFields)
{
    if (IsLdtPath(path)) {
        const tTextLines lines(text);
        ReadLDT(lines, headerLines, ies, header, onHeaderError, ldtFacts, ldtFields);
        if (numeric)
            numeric->clear();
        return;
    }
    if (!numeric) {
        ReadIESText(text, headerLines, ies, header, onHeaderError);
        return;
    }
    std::string numbers; // given on only when the read succeeds
    ReadIESText(text, headerLines, numbers, ies, header, onHeaderError);
    *numeric = std::move(numbers);
}
