#pragma once
// Builds small calendar files in memory for the rule tests: consecutive days
// from a start date, every day with the same pillars unless a test changes it.
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/birth.h"
#include "core/calendar_file.h"
#include "core/civil_date.h"

namespace vesprin::testing {

// "hh:mm" as a clock time, "" as none: the festival starts and birth times
// of the rule tables, written as the calendar data writes them.
inline std::optional<ClockTime> clockAt(std::string_view hhmm) {
  if (hhmm.empty()) return std::nullopt;
  return ClockTime{std::stoi(std::string(hhmm.substr(0, 2))), std::stoi(std::string(hhmm.substr(3, 2)))};
}

struct DayLine {
  Pillar year{4, 4}, month{1, 3}, day{1, 1};
  std::string time = "00:00";
  std::string mark;  // "", "*" or "**"
};

class CalendarBuilder {
 public:
  // days lines after the header, the first on the given civil date (CE).
  CalendarBuilder(CivilDate first, int days) : first_(first), days_(static_cast<std::size_t>(days)) {
    for (std::size_t i = 0; i < days_.size(); ++i)
      days_[i].day = Pillar{1, 1} + static_cast<int>(i);
  }
  // The day at a file position (1 = first day line).
  DayLine& at(int position) { return days_.at(static_cast<std::size_t>(position - 1)); }
  // A large festival at a position: the mark and its time there, and the
  // month pillar one step on from there to the end (the year too when the new
  // month is the Tiger's), as a sound calendar turns them.
  void largeFestival(int position, std::string time = "05:00") {
    at(position).mark = "**";
    at(position).time = std::move(time);
    for (int p = position; p <= static_cast<int>(days_.size()); ++p) {
      DayLine& d = at(p);
      d.month = d.month + 1;
      if (at(position).month.branch == Branch(3)) d.year = d.year + 1;
    }
  }
  // Position of a civil date (CE) in the file.
  int position(CivilDate d) const { return static_cast<int>(daysFromCivil(d) - daysFromCivil(first_)) + 1; }

  std::vector<std::string> lines() const {
    std::vector<std::string> out{"header"};
    const auto start = daysFromCivil(first_);
    for (std::size_t i = 0; i < days_.size(); ++i) {
      const CivilDate d = civilFromDays(start + static_cast<std::int64_t>(i));
      const DayLine& l = days_[i];
      char buf[64];
      std::snprintf(buf, sizeof buf, "%04d %02d %02d %02d%02d %02d%02d %02d%02d %s",
                    d.year + kBuddhistEraOffset, d.month, d.day, l.year.stem.number(),
                    l.year.branch.number(), l.month.stem.number(), l.month.branch.number(),
                    l.day.stem.number(), l.day.branch.number(), l.time.c_str());
      std::string line = buf;
      if (!l.mark.empty()) line += " " + l.mark;
      out.push_back(line);
    }
    return out;
  }
  CalendarFile build() const { return *CalendarFile::fromLines("memory", lines()).file; }

 private:
  CivilDate first_;
  std::vector<DayLine> days_;
};

}  // namespace vesprin::testing
