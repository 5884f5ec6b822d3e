#pragma once
// One line of a calendar data file, parsed once when the file is loaded.
//
// Columns (1-based): 1-10 "YYYY MM DD" (Buddhist Era), 12-15 year pillar,
// 17-20 month pillar, 22-25 day pillar (two digits per sign), 27-31 festival
// time "HH:MM" of which only the hour is read, 33-34 the mark: "**" a large
// festival, a lone "*" at column 33 ending the line a small one (blanks, tabs
// and carriage returns at the end of a line do not count). The minute,
// columns 30-31, is read on a large-festival day only: the pillars never use
// it, but a birth close to the festival is warned about to the minute.
#include <string>
#include <string_view>

#include "core/sign.h"

namespace vesprin {

enum class FestivalMark { None, Small, Large };

struct CalendarDay {
  std::string dateText;  // columns 1-10, compared as text
  Pillar year;           // on a "**" day: the pillar in force after the festival
  Pillar month;          // likewise
  Pillar day;
  int festivalHour = 0;  // columns 27-28, 0..24
  int festivalMinute = 0;  // columns 30-31, 0..59, on a "**" day; 0 on any other
  FestivalMark mark = FestivalMark::None;
};

struct CalendarDayParse {
  bool ok = false;
  CalendarDay day;
  std::string error;  // what was expected, when !ok
};

// Parses a day line; the error names the column range that is wrong.
CalendarDayParse parseCalendarDay(std::string_view line);

}  // namespace vesprin
