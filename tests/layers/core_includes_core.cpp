// Builds: a core file may include core headers.
#include "core/sign.h"

int coreIncludesCore() { return vesprin::kStemCount; }
