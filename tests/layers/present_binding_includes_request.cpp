// Builds: the binding writes a request's marks onto the forms, so it sees the
// request and, through it, the component model.
#include "present/request/print_request.h"

int presentBindingIncludesRequest() { return static_cast<int>(vesprin::PenStyle::Dotted); }
