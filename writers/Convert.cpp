#include "Convert.h"
#include "AtomicFile.h"
#include "FileText.h"
#include "IesWriter.h"
#include "LdtWriter.h"
#include "PhotometricFile.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <system_error>

namespace {

std::string LastName(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Whether target names the source file itself, through another spelling or a link.
bool SameFile(const std::string& source, const std::string& target)
{
    std::error_code error;
    if (std::filesystem::equivalent(source, target, error))
        return true;
    const auto a = std::filesystem::weakly_canonical(source, error);
    const auto b = std::filesystem::weakly_canonical(target, error);
    return !error && a == b;
}

// An EULUMDAT file of full symmetry (Isym 0) stores its planes from 0 to one step short of 360; type C
// photometry in an IES file closes the circle with the 360 plane, a repeat of the 0 plane. Without it the IES file
// would end at 345 degrees or so, which IES readers take for a range no symmetry gives.
void CloseFullCircle(tIES& ies)
{
    const tArrEx& angles = ies.HorizAngles;
    if (angles.size() < 2 || angles.size() != ies.Candela.size() || angles.front() != 0 || !(angles.back() < 360)
        || ies.NumHorizAngles == UINT16_MAX)
        return;
    ies.HorizAngles.push_back(360);
    ies.Candela.push_back(ies.Candela.front());
    ++ies.NumHorizAngles;
}

} // namespace

std::optional<FileFormat> FormatOfPath(const std::string& path)
{
    if (IsLdtPath(path))
        return FileFormat::Ldt;
    if (IsPhotometricPath(path))
        return FileFormat::Ies;
    return std::nullopt;
}

const char* ExtensionOf(FileFormat format) { return format == FileFormat::Ldt ? ".ldt" : ".ies"; }

std::string ConvertedText(FileFormat format, const std::string& targetName, const TStringList& headerLines,
    const tIES& ies, const tPhotometricHeader& header, const tLdtFields* ldtFields)
{
    if (format == FileFormat::Ies)
        return IesFileText(headerLines, ies, header);
    if (ldtFields)
        return LdtFileText(*ldtFields);
    return LdtFileText(LdtFieldsOf(headerLines, ies, header, LastName(targetName)), LdtIntensities::Doubles);
}

std::string ConvertFile(const std::string& source, const std::string& target, std::string* messages)
{
    const std::optional<FileFormat> format = FormatOfPath(target);
    if (!format)
        return "the file to write must end in .ies or .ldt: " + target;
    if (SameFile(source, target))
        return "the file would be written over itself";
    try {
        TStringList headerLines;
        tIES ies;
        tPhotometricHeader header;
        tLdtFields fields;
        tLdtFacts facts;
        const bool fromLdt = IsLdtPath(source), keepFields = *format == FileFormat::Ldt && fromLdt;
        {
            // Read from the text itself, without a string per line: a large table converts at the reader's full
            // speed. The text is let go once read.
            const tFileText text(source);
            ReadPhotometricText(
                source, text.Text(), headerLines, ies, header,
                [messages](const std::string& message) {
                    if (!messages)
                        return;
                    std::string line = message;
                    std::replace(line.begin(), line.end(), '\r', '\n');
                    *messages += line + "\n";
                },
                nullptr, fromLdt ? &facts : nullptr, keepFields ? &fields : nullptr);
        }
        if (*format == FileFormat::Ies && fromLdt && facts.symmetry == 0)
            CloseFullCircle(ies);
        // IES text goes out as it is put together; EULUMDAT is written whole.
        const std::string failure = *format == FileFormat::Ies
            ? fileio::WriteFileAtomically(target,
                [&](const fileio::PieceSink& write) {
                    IesFilePieces(headerLines, ies, header, [&write](std::string_view piece) { write(piece); });
                })
            : fileio::WriteFileAtomically(
                target, ConvertedText(*format, target, headerLines, ies, header, keepFields ? &fields : nullptr));
        if (!failure.empty())
            return "cannot write " + target + ": " + failure;
        return {};
    } catch (const std::exception& error) {
        return error.what();
    }
}
