#include "RenderCompute.h"
