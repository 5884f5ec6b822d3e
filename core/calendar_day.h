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
#include <cstdint>
#include <string>
#include <string_view>

#include "core/sign.h"

namespace vesprin {

enum class FestivalMark : std::uint8_t { None, Small, Large };

// A day as the rules read it. Its date is not kept: in a loaded file the
// lines are consecutive days, so a line's date follows from its position.
struct CalendarDay {
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
  std::string dateText;  // columns 1-10
  std::string error;     // what was expected, when !ok
};

// Parses a day line; the error names the column range that is wrong.
CalendarDayParse parseCalendarDay(std::string_view line);

// The same for a line in the exact layout the calendar generator writes
// ("YYYY MM DD SSBB SSBB SSBB HH:MM", then nothing, " *" or " **"), in one
// pass without building any text: the day and the numbers of its date when
// the line is in that layout and parseCalendarDay would accept it
// with the same values; false for any other line, which then needs the full
// parse to be read or refused with its reason.
struct WellFormedDay {
  CalendarDay day;
  int year = 0, month = 0, dayOfMonth = 0;  // the date of columns 1-10, Buddhist Era
};
bool parseWellFormedDay(std::string_view line, WellFormedDay& out);

}  // namespace vesprin
