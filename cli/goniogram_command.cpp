#include "Commands.h"

#include <cstdio>

int RunGoniogram(int, char**)
{
    std::fputs("error the goniogram command is not built yet\n", stdout);
    return 3;
}
