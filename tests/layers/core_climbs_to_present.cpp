// Must not build: a climbing include would reach the presentation past the
// include roots.
#include "../../present/model/forms.h"

int coreClimbsToPresent() { return 0; }
