#pragma once
// Which planes a drawing or a render shows, and the intensity mapped to the full radius.

#include "tIES.h"

// The plane lying 180 degrees from plane p, with the symmetry overrides for files whose
// last horizontal angle is exactly 90 (four-fold) or exactly 180 (bilateral).
int OppositePlane(const tIES& ies, int p);
