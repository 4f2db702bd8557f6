#include "data/blocklayout.h"
