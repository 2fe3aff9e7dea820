#pragma once
// One entry for every caller that reads a photometric file: the file's name chooses the IES or the EULUMDAT reader.

#include "IesReader.h"
#include "LdtReader.h"
#include "LineText.h"
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

// The same read from the file's text as LoadFileBytes gives it, without a string per line: the record, header lines,
// header numbers and EULUMDAT facts come out exactly as ReadPhotometricLines gives them, and its peak memory stays
// within a few times the text's size however many lines the file has. numeric, when given, receives what the
// reader leaves of the file's lines: the numeric text of an IES file, nothing for EULUMDAT.
void ReadPhotometricText(const std::string& path, std::string_view text, TStringList& headerLines, tIES& ies,
    tPhotometricHeader& header, const HeaderErrorSink& onHeaderError, std::string* numeric = nullptr,
    tLdtFacts* ldtFacts = nullptr, tLdtFields* ldtFields = nullptr);
