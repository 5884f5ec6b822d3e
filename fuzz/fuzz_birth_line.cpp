// A line of vesprin-cast's input on any bytes: the line rules (byte-order
// mark, trailing blanks, comments), the parser and the normalisation of the
// birth. A line that parses normalises to a real hour "01".."24" and a
// month "01".."12"; an error never echoes more than a short excerpt.
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
  if (!request.fields) {
    if (request.error.empty() || request.error.size() > 256) std::abort();
    return 0;
  }
  const Normalised n = NormaliseBirthInput(*request.fields);
  const int hour = toInt(n.input.hour), month = toInt(n.input.month), day = toInt(n.input.day);
  if (hour < 1 || hour > 24 || month < 1 || month > 12 || day < 1 || day > 31) std::abort();
  // Only year 0000 at hour 00 on 1 January can move back out of four digits.
  if (toInt(request.fields->year) > 0 && n.input.year.size() != 4) std::abort();
  return 0;
}
