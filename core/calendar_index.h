#pragma once
// HOROSCOPE.INI: ranges of Buddhist-Era years mapped to calendar data files.
// Only the last "[DATA CALENDAR]" section counts; its entries run to the line
// that starts "[END OF DATA]". Entry columns: 1-4 first year, 9-12 last year,
// 16 to the end the file name.
#include <optional>
#include <string>
#include <vector>

namespace vesprin {

struct CalendarIndexEntry {
  int firstYear = 0;
  int lastYear = 0;
  std::string fileName;
};

struct YearList {
  std::vector<int> years;  // ascending, the first and last covered year left out
  int defaultYear = 0;
};

class CalendarIndex {
 public:
  struct Parse;
  // Reads the index lines; an index without a usable section is refused with
  // the reason (no section, no end marker, a line that is not an entry).
  static Parse parse(const std::vector<std::string>& lines);

  const std::vector<CalendarIndexEntry>& entries() const { return entries_; }

  // The selectable birth years: first entry's first year + 1 .. last entry's last year - 1.
  YearList yearList() const;
  // The file of the last entry that covers the year; empty when none does.
  std::string DataFileForYear(int year) const;

 private:
  std::vector<CalendarIndexEntry> entries_;
};

struct CalendarIndex::Parse {
  std::optional<CalendarIndex> index;
  std::string error;
};

}  // namespace vesprin
