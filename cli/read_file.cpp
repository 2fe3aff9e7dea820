#include "read_file.h"

#include "PhotometricFile.h"

#include <algorithm>
#include <cstdio>

bool ReadRecordFile(
    const std::string& path, tIES& ies, TStringList& headerLines, tPhotometricHeader* header, std::string* messages)
{
    tPhotometricHeader unused;
    bool headerError = false;
    TStringList fileLines;
    LoadFileLines(path, fileLines);
    ReadPhotometricLines(path, fileLines, headerLines, ies, header ? *header : unused,
        [&headerError, messages](const std::string& message) {
            headerError = true;
            std::string text = message;
            std::replace(text.begin(), text.end(), '\r', '\n');
            if (messages)
                *messages += text + "\n";
            else
                std::fprintf(stderr, "%s\n", text.c_str());
        });
    return headerError;
}
