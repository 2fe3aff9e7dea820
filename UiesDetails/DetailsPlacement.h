#pragma once
// Where the details window first opens: beside the window it belongs to, on that window's screen.

#include <QPoint>
#include <QRect>
#include <QSize>

// The top left for a window of size `own` beside `main` (both frames) within `screen` (the available area): right
// of main when it fits there, else left of it, else at the screen's right edge; its top level with main's, moved
// up or down only as far as keeps it on the screen.
QPoint PlaceBeside(const QRect& main, const QSize& own, const QRect& screen);
