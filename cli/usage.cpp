#include "usage.h"
#include "messages.h"

#include <cstdio>
#include <cstring>

bool AsksForHelp(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0)
            return true;
    return false;
}

int PrintHelp(const CommandUsage& usage)
{
    std::fputs(usage.text, stdout);
    return FinishOutput() ? 0 : 3;
}

int UsageError(const CommandUsage& usage, const std::string& problem, int exitCode)
{
    ReportError(std::string(usage.name) + ": " + problem);
    std::fputs(usage.text, stderr);
    return exitCode;
}
