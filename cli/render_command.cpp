#include "Commands.h"

#include <cstdio>

int RunRender(int, char**)
{
    std::fputs("error the render command is not built yet\n", stdout);
    return 3;
}
