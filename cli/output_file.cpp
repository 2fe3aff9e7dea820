#include "output_file.h"

#include "AtomicFile.h"

std::string WriteOutputFile(const std::string& path, std::string_view bytes)
{
    const std::string reason = fileio::WriteFileAtomically(path, bytes);
    return reason.empty() ? reason : "cannot write " + path + ": " + reason;
}
