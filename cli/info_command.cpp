#include "Commands.h"

#include <cstdio>

int RunInfo(int, char**)
{
    std::fputs("error the info command is not built yet\n", stdout);
    return 3;
}
