#include "DetailsPlacement.h"

#include <algorithm>

QPoint PlaceBeside(const QRect& main, const QSize& own, const QRect& screen)
{
    int left = 0;
    if (main.right() + 1 + own.width() <= screen.right() + 1)
        left = main.right() + 1;
    else if (main.left() - own.width() >= screen.left())
        left = main.left() - own.width();
    else
        left = std::max(screen.left(), screen.right() + 1 - own.width());
    const int top = std::max(screen.top(), std::min(main.top(), screen.bottom() + 1 - own.height()));
    return { left, top };
}
