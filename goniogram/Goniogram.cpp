#include "Goniogram.h"
