#include "tIES.h"

void EmptyIntensityTable(tIES& ies)
{
    for (auto& row : ies.Candela)
        row.clear();
    ies.Candela.clear();
}
