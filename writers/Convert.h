#pragma once
// Converting a photometric file: read with the reader its name calls for, written in the format the target's name
// calls for (".ies" IES LM-63-2002, ".ldt" EULUMDAT, in any letter case), through a temporary file that replaces
// the target only once complete.

#include "LdtReader.h"
#include "PhotometricHeader.h"
#include "tIES.h"

#include <optional>
#include <string>

enum class FileFormat { Ies, Ldt };

// The format a file name asks for; empty when it ends in neither ".ies" nor ".ldt".
std::optional<FileFormat> FormatOfPath(const std::string& path);

// The file's extension for a format: ".ies" or ".ldt".
const char* ExtensionOf(FileFormat format);

// The text of the file in format, from what the reader gave for source (an EULUMDAT source read with fields for an
// EULUMDAT target, see ReadPhotometricLines). targetName goes into an EULUMDAT file's line 11.
// Throws WriteRefusal (see LdtWriter.h) when the format cannot hold the file.
std::string ConvertedText(FileFormat format, const std::string& targetName, const TStringList& headerLines,
    const tIES& ies, const tPhotometricHeader& header, const tLdtFields* ldtFields);

// Reads source and writes it to target. Returns an empty string on success, else the reason for the user (a file
// that cannot be read, a conversion the format cannot hold, a target that is the source itself or cannot be
// written); the target is then left as it was. The reader's header message, when there is one, is added to
// messages (line feed ended).
std::string ConvertFile(const std::string& source, const std::string& target, std::string* messages = nullptr);
