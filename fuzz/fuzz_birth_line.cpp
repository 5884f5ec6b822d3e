// A line of vesprin-cast's input on any bytes: the line rules (byte-order
// mark, trailing blanks, comments), the parser and the normalisation of the
// birth. A line that parses normalises to a real hour 1..24, a month 1..12
// and a day of its month; an error never echoes more than a short excerpt.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/cast_request.h"
#include "core/birth_input.h"
#include "core/text.h"

using namespace vesprin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view line(reinterpret_cast<const char*>(data), size);
  if (line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3);
  line = trimTrailingBlanks(line);
  if (!isBirthLine(line)) return 0;
  const CastRequestParse request = parseCastRequest(line);
  if (!request.birth) {
    if (request.error.empty() || request.error.size() > 256) std::abort();
    return 0;
  }
  const BirthInput n = NormaliseBirth(*request.birth);
  if (n.hour < 1 || n.hour > 24 || n.date.month < 1 || n.date.month > 12 || n.date.day < 1 ||
      n.date.day > daysInMonth(n.date.civil().year, n.date.month) || !n.weekday)
    std::abort();
  // Hour 00 moves a birth back one day at most: into the year before, never further.
  const int entered = request.birth->date.year;
  if (n.date.year != entered && n.date.year != entered - 1) std::abort();
  return 0;
}
