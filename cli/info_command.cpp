// gonilux-cli info FILE [--json | --dump]: reads one IES or EULUMDAT file with the viewer's reader and reports on it.
#include "Commands.h"
#include "info_summary.h"

#include "IesReader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>

namespace {

enum class InfoFormat { Summary, Json, Dump };

int Usage()
{
    std::fputs("usage: gonilux-cli info FILE [--json | --dump]\n", stderr);
    return 2;
}

} // namespace

int RunInfo(int argc, char** argv)
{
    const char* path = nullptr;
    InfoFormat format = InfoFormat::Summary;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--json") == 0)
            format = InfoFormat::Json;
        else if (std::strcmp(argv[i], "--dump") == 0)
            format = InfoFormat::Dump;
        else if (argv[i][0] == '-' && argv[i][1] != '\0')
            return Usage();
        else if (path)
            return Usage();
        else
            path = argv[i];
    }
    if (!path)
        return Usage();

    InfoResult info;
    info.path = path;
    try {
        info.readError = ReadRecordFile(path, info.ies, info.headerLines, &info.header);
    } catch (const std::exception& error) {
        std::printf("error %s\n", error.what());
        return 3;
    }

    switch (format) {
    case InfoFormat::Summary:
        PrintSummary(stdout, info);
        break;
    case InfoFormat::Json:
        PrintJson(stdout, info);
        break;
    case InfoFormat::Dump:
        PrintDump(stdout, info);
        break;
    }
    return std::fflush(stdout) == 0 ? 0 : 3;
}
