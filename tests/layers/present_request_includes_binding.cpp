// Must not build: the request is read and written without any form bound;
// the binding stands above it and cannot be seen from it.
#include "present/binding/bind_handover.h"

int presentRequestIncludesBinding() { return 0; }
