// The calendar index reader on any bytes: the lines of HOROSCOPE.INI as the
// engine reads them (code page 874, LF or CRLF), then the year list and the
// file lookup. An index that parses always gives a year list with a year in it.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/calendar_index.h"
#include "core/cp874.h"
#include "core/text_file.h"

using namespace vesprin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> lines;
  forEachLine(text, [&](std::string_view line) { lines.push_back(cp874ToUtf8(line)); });
  const auto parsed = CalendarIndex::parse(lines);
  if (!parsed.index) {
    if (parsed.error.empty()) std::abort();  // a refusal always says why
    return 0;
  }
  const YearList list = parsed.index->yearList();
  if (list.years.empty() || list.defaultYear != list.years.front()) std::abort();
  for (std::size_t i = 1; i < list.years.size(); ++i)
    if (list.years[i] != list.years[i - 1] + 1) std::abort();
  for (int year : {list.years.front() - 1, list.years.front(), list.years.back(), list.years.back() + 1})
    (void)parsed.index->DataFileForYear(year);
  return 0;
}
