#include "IesReader.h"
