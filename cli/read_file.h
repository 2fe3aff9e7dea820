#pragma once
// Reading one file for a subcommand, as the viewer reads it.

#include "PhotometricHeader.h"
#include "tIES.h"

#include <string>

// Loads and reads an IES or EULUMDAT file (by its extension, in any case) as the viewer does. The header check's
// message, which the viewer shows in a box before it goes on reading, goes to standard error with its carriage returns
// written as line feeds. Returns whether that message was given; throws std::runtime_error when the file cannot be read
// at all. When header is given it receives the header numbers and tilt data as read. When messages is given the header
// check's message is added to it, line feed ended, instead of going to standard error.
bool ReadRecordFile(const std::string& path, tIES& ies, TStringList& headerLines, tPhotometricHeader* header = nullptr,
    std::string* messages = nullptr);
