// gonilux-cli: the headless front end over the same core as the viewer.
#include "Commands.h"
#include "GoniluxVersion.h"
#include "messages.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {
void usage(std::FILE* to = stderr)
{
    std::fputs("usage: gonilux-cli info FILE [--json | --dump]\n"
               "       gonilux-cli goniogram FILE [--plane P] [--size WxH] [--fit|--no-fit] [--ortho|--no-ortho]\n"
               "                              [-o OUT.svg|OUT.png] [--ops]\n"
               "       gonilux-cli render FILE [--plane P] [--brightness 1..100] [--zoom 1..10000] [--radiosity]\n"
               "                              [-o OUT.png|OUT.pgm]\n"
               "       gonilux-cli goniogram|render FILE... --format svg|png|pgm -o FOLDER [options]\n"
               "                              several files into FOLDER, on every core\n"
               "       gonilux-cli diagram FILE --type KIND [-o OUT.svg|OUT.png | --values] [--height H]\n"
               "                              [--from H --to H] [--size WxH] [--plane P] [--per-klm] [--grid N]\n"
               "                              [--extent R]; FILE... --type KIND --format svg|png -o FOLDER\n"
               "         cartesian   I against the signed vertical angle: +gamma on C, -gamma on C + 180\n"
               "         isolux      E = I(C, gamma) cos^3(gamma) / h^2, C = atan2(y, x), gamma = atan(r / h)\n"
               "         cone        E0 = I(0, 0) / h^2 and D = 2 h tan(beam / 2) at five heights\n"
               "         isocandela  I over C 0..360 and gamma 0..180, contours at 10 % of the maximum\n"
               "       gonilux-cli check PATH... [-r] [--json] [--quiet] [--level error|warning|note]\n"
               "       gonilux-cli convert FILE -o OUT.ies|OUT.ldt\n"
               "       gonilux-cli convert FILE... --format ies|ldt -o FOLDER\n"
               "                              write IES LM-63-2002 or EULUMDAT; several files on every core\n"
               "       gonilux-cli ugr FILE... [--spacing 0.25|1] [--corrected] [--json]\n"
               "                              the UGR table of type C files (CIE 117 tabular method)\n"
               "       gonilux-cli report FILE -o OUT.pdf [--letter]\n"
               "       gonilux-cli report FILE... --format pdf -o FOLDER [--letter]\n"
               "                              one-page datasheets, A4 or US Letter\n"
               "       gonilux-cli SUBCOMMAND --help\n"
               "       gonilux-cli --version | --help\n",
        to);
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        ReportError("no subcommand given");
        usage();
        return 2;
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        std::printf("gonilux-cli %s\n", GONILUX_VERSION);
        return 0;
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        usage(stdout);
        return FinishOutput() ? 0 : 3;
    }
    // Subcommands see their own arguments: argv[0] is the subcommand's name.
    if (std::strcmp(argv[1], "info") == 0)
        return RunInfo(argc - 1, argv + 1);
    if (std::strcmp(argv[1], "goniogram") == 0)
        return RunGoniogram(argc - 1, argv + 1);
    if (std::strcmp(argv[1], "render") == 0)
        return RunRender(argc - 1, argv + 1);
    if (std::strcmp(argv[1], "diagram") == 0)
        return RunDiagram(argc - 1, argv + 1);
    if (std::strcmp(argv[1], "check") == 0)
        return RunCheck(argc - 1, argv + 1);
    if (std::strcmp(argv[1], "convert") == 0)
        return RunConvert(argc - 1, argv + 1);
    if (std::strcmp(argv[1], "ugr") == 0)
        return RunUgr(argc - 1, argv + 1);
    if (std::strcmp(argv[1], "report") == 0)
        return RunReport(argc - 1, argv + 1);
    ReportError(std::string("unknown subcommand ") + argv[1]);
    usage();
    return 2;
}
