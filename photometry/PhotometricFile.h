#pragma once
// One entry for every caller that reads a photometric file: the file's name chooses the IES or the EULUMDAT reader.

#include "IesReader.h"
#include "LdtReader.h"
#include "PhotometricHeader.h"
#include "tIES.h"

#include <string>

// True when the path names an EULUMDAT file: it ends in ".ldt" in any letter case.
bool IsLdtPath(const std::string& path);

// True when the path names a photometric file the program reads: ".ies" or ".ldt" in any letter case.
bool IsPhotometricPath(const std::string& path);

// Reads the lines LoadFileLines gave for path with the reader its extension calls for (ReadLDT for ".ldt", ReadIES
// for anything else), with the same guarantees: a refused file throws std::runtime_error and changes nothing.
// Both readers fill the header numbers; a refused file leaves them as they were.
// ldtFacts and ldtFields, when given, receive the facts and the fields of an EULUMDAT read and are left alone for IES.
void ReadPhotometricLines(const std::string& path, TStringList& fileLines, TStringList& headerLines, tIES& ies,
    tPhotometricHeader& header, const HeaderErrorSink& onHeaderError, tLdtFacts* ldtFacts = nullptr,
    tLdtFields* ldtFields = nullptr);
