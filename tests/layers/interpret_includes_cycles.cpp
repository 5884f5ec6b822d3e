// Must not build: interpretation and time cycles both stand on the core alone.
#include "cycles/luck_cycle.h"

int interpretIncludesCycles() { return 0; }
