// gonilux-cli info FILE [--json | --dump]: reads one IES or EULUMDAT file with the viewer's reader and reports on it.
#include "Commands.h"
#include "info_summary.h"
#include "messages.h"
#include "usage.h"

#include "IesReader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>

namespace {

enum class InfoFormat { Summary, Json, Dump };

constexpr CommandUsage kUsage { "info", "usage: gonilux-cli info FILE [--json | --dump]\n" };

} // namespace

int RunInfo(int argc, char** argv)
{
    if (AsksForHelp(argc, argv))
        return PrintHelp(kUsage);
    const char* path = nullptr;
    InfoFormat format = InfoFormat::Summary;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--json") == 0)
            format = InfoFormat::Json;
        else if (std::strcmp(argv[i], "--dump") == 0)
            format = InfoFormat::Dump;
        else if (argv[i][0] == '-' && argv[i][1] != '\0')
            return UsageError(kUsage, std::string("unknown option ") + argv[i]);
        else if (path)
            return UsageError(kUsage, std::string("one file at a time: ") + argv[i]);
        else
            path = argv[i];
    }
    if (!path)
        return UsageError(kUsage, "no file given");

    InfoResult info;
    info.path = path;
    try {
        info.verdict = ReadRecord(path, info.ies, info.headerLines, &info.header);
    } catch (const std::exception& error) {
        ReportError(error.what());
        if (format == InfoFormat::Json) // a JSON reader gets an object it can parse all the same
            PrintJsonError(stdout, path, error.what());
        FinishOutput();
        return 3;
    }
    info.readError = !info.verdict.empty();
    if (info.readError)
        ReportError(info.path + ": " + info.verdict);

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
    if (!FinishOutput())
        return 3;
    return info.verdict.empty() ? 0 : 1;
}
