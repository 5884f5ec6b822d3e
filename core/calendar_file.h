#pragma once
// A calendar data file in memory: the header at position 0, then one parsed
// day per line, consecutive civil days in ascending order. Positions are those
// of the file's lines, so distances between positions are distances in days.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/birth.h"
#include "core/calendar_day.h"

namespace vesprin {

// The date columns of a calendar line: "YYYY MM DD", the year Buddhist Era.
std::string dateTextOf(const BirthDate& date);

class CalendarFile {
 public:
  CalendarFile() = default;

  const std::string& path() const { return path_; }
  // Number of lines, header included.
  int size() const { return static_cast<int>(days_.size()) + (hasHeader_ ? 1 : 0); }
  bool empty() const { return !hasHeader_; }
  bool hasDay(int position) const { return position >= 1 && position < size(); }
  // The day at a position 1..size()-1.
  CalendarDay day(int position) const { return days_[static_cast<std::size_t>(position - 1)].unpacked(); }
  // Columns 1-10 of the line at a position 1..size()-1 ("YYYY MM DD"), as the
  // file writes them.
  std::string dateText(int position) const;

  // The position of the line whose date columns equal dateText ("YYYY MM DD"),
  // the one a scan from the last line down to line 1 would find first; none
  // when the file holds no such day.
  std::optional<int> findDate(std::string_view dateText) const;
  std::optional<int> findDate(const BirthDate& date) const { return findDate(dateTextOf(date)); }

  // Civil day numbers (days since 1970-01-01, see civil_date.h) of the lines:
  // the day of a position 1..size()-1, and the position of a day, none when
  // the file does not hold it.
  std::int64_t dayNumberAt(int position) const { return firstDayNumber_ + position - 1; }
  std::optional<int> positionOfDay(std::int64_t dayNumber) const {
    const std::int64_t p = dayNumber - firstDayNumber_ + 1;
    if (p < 1 || p >= size()) return std::nullopt;
    return static_cast<int>(p);
  }

  // Loads and checks a whole file; on failure the error names the file, the
  // line and what was expected there.
  struct Load;
  static Load load(const std::string& path);
  static Load fromLines(std::string path, const std::vector<std::string>& lines);
  // The same from the whole text of a file (lines end with LF or CRLF).
  static Load fromText(std::string path, std::string_view text);

 private:
  // A day in nine bytes: the file's fifty years take a sixth of the memory
  // (and of the page faults) that whole CalendarDay values would.
  struct PackedDay {
    std::uint8_t sign[6];  // year, month, day pillar: stem, branch
    std::uint8_t festivalHour, festivalMinute;
    FestivalMark mark;
    static PackedDay of(const CalendarDay& d);
    CalendarDay unpacked() const {
      return {{sign[0], sign[1]}, {sign[2], sign[3]}, {sign[4], sign[5]}, festivalHour, festivalMinute, mark};
    }
  };

  std::string path_;
  bool hasHeader_ = false;       // line 1, never read as a day
  std::vector<PackedDay> days_;  // the lines after the header, in order
  std::int64_t firstDayNumber_ = 0;  // civil day number of position 1
  std::array<int, 3> last_{};        // the last line's date while loading: BE year, month, day

  // Appends the day line that stands at line `number` of the file (1-based).
  std::string addDay(std::string_view line, std::size_t number);
  // Appends the line that starts at text[at] when it is the common case (the
  // generator's own layout, the day after the last one, its pillars as the
  // last day's lead to them) and moves `at` past its line end; false, having
  // changed nothing, for any other line, which addDay then reads or refuses.
  bool addNextDay(std::string_view text, std::size_t& at);
};

struct CalendarFile::Load {
  std::optional<CalendarFile> file;
  std::string error;
};

// The day of one date read from a calendar data file without loading it
// whole: the lines are one a day and nearly of one width, so the line is
// looked for where the first day line's width puts it, and reached from
// there line by line. What is read is checked: the line must parse in full
// and carry exactly that date. None when the file cannot be read, or has no
// such line, or it does not parse; the caller then loads the file whole,
// which refuses a damaged file with its reason. A file damaged elsewhere
// than at this line is not noticed.
std::optional<CalendarDay> readDayLine(const std::string& path, std::string_view dateText);

}  // namespace vesprin
