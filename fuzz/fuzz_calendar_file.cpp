// The calendar data file reader on any bytes: a file either loads as
// consecutive days whose day pillar steps once a day, or is refused with the
// line named. Every day of a loaded file is found again by its date.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/calendar_day.h"
#include "core/calendar_file.h"

using namespace vesprin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  // A line read in one pass is read as the full parse reads it.
  const std::string_view first = text.substr(0, text.find('\n'));
  if (WellFormedDay quick; parseWellFormedDay(first, quick)) {
    const CalendarDayParse full = parseCalendarDay(first);
    if (!full.ok || !(quick.day.year == full.day.year) || !(quick.day.month == full.day.month) ||
        !(quick.day.day == full.day.day) || quick.day.festivalHour != full.day.festivalHour ||
        quick.day.festivalMinute != full.day.festivalMinute || quick.day.mark != full.day.mark ||
        full.dateText != first.substr(0, 10))
      std::abort();
  }
  const auto load = CalendarFile::fromText("fuzz.DAT", text);
  if (!load.file) {
    if (load.error.rfind("calendar file fuzz.DAT line ", 0) != 0) std::abort();
    return 0;
  }
  const CalendarFile& f = *load.file;
  for (int pos = 1; pos < f.size(); ++pos) {
    const CalendarDay d = f.day(pos);
    if (f.findDate(f.dateText(pos)) != pos) std::abort();
    if (pos > 1 && !(d.day == pillarAdd(f.day(pos - 1).day, 1))) std::abort();
    if (!d.year.ok() || !d.month.ok() || !d.day.ok() || d.festivalHour < 0 || d.festivalHour > 24)
      std::abort();
  }
  (void)f.findDate(std::string(text.substr(0, 10)));
  return 0;
}
