#pragma once
// Reading one file for a subcommand, as the viewer reads it, with the reasons a user needs when it goes wrong.

#include "PhotometricHeader.h"
#include "tIES.h"

#include <string>

// Loads and reads an IES or EULUMDAT file (by its extension, in any case) as the viewer does. Throws
// std::runtime_error("PATH: REASON") when the file cannot be read at all: the system's reason (no such file,
// permission denied, is a directory, file name too long), an empty file, no numbers after the TILT line, or the
// reader's refusal. Returns "" when the file passed the header check, else why it is not a valid file
// ("not a valid IES file: no TILT line found"); the record then holds what the reader made of it all the same.
// When header is given it receives the header numbers and tilt data as read.
std::string ReadRecord(
    const std::string& path, tIES& ies, TStringList& headerLines, tPhotometricHeader* header = nullptr);

// ReadRecord for commands that only pass the verdict on: returns whether the file is not valid, and gives
// "gonilux-cli: PATH: not a valid ... file: REASON" (line feed ended) to messages when given, to standard error
// otherwise.
bool ReadRecordFile(const std::string& path, tIES& ies, TStringList& headerLines, tPhotometricHeader* header = nullptr,
    std::string* messages = nullptr);
