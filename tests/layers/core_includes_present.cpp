// Must not build: the core lies beneath the presentation and cannot see it.
#include "present/model/forms.h"

int coreIncludesPresent() { return 0; }
