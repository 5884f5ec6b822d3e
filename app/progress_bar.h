#pragma once
// The progress of a run that writes many files, drawn on one terminal line
// and redrawn in place ("[#####.....] 12/60"); the last one ends the line.
// Callers draw it only when the stream is a terminal.
#include <cstddef>
#include <ostream>

namespace vesprin {

void drawProgressBar(std::ostream& out, std::size_t done, std::size_t total);

}  // namespace vesprin
