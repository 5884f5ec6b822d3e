#pragma once
// vesprin-cast's births, line after line of its input, cast into JSON lines
// on several threads: each thread casts whole blocks of lines with a calendar
// session of its own (the parsed files shared), and the blocks are written
// in input order, so the output is the same whatever the number of threads.
#include <cstdio>
#include <istream>

#include "app/scripted_ui.h"
#include "core/boundary_warning.h"
#include "core/calendar_session.h"

namespace vesprin {

// Threads a run casts on when not told: one a processor, at most four (more
// buy nothing: writing the output then takes as long as the casting).
unsigned defaultCastThreads();

// Casts every birth line of `in` (blank lines and "#" comments skipped, a
// byte-order mark before the first line ignored) and writes one JSON line
// for each to `out`, in the input's order. `calendar` and `ui` cast on this
// thread; other threads cast with siblings of `calendar`. Input that fills
// one block only is cast here alone. True when every line was cast.
bool castLinesToJson(std::istream& in, std::FILE* out, CalendarSession& calendar,
                     ScriptedUserInterface& ui, const YearList& years,
                     const BoundaryRule& boundaries, unsigned threads);

}  // namespace vesprin
