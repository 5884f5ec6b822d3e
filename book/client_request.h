#pragma once
// A client's chart as a print request: their birth and the decorations kept
// with them, printed as the engine prints a hand-over of the same request.
#include "book/client.h"
#include "present/request/print_request.h"

namespace vesprin {

// The month strip shows `stripYear` (Buddhist Era; the desk's default is the
// current year), its January pillar worked out from it.
PrintRequest clientRequest(const ClientFields& client, int stripYear);

// The other way, for a request that comes from the desk: the birth and the
// decorations over `base`, which keeps the nickname, phone and note.
ClientFields clientFieldsOf(const PrintRequest& request, ClientFields base = {});

}  // namespace vesprin
