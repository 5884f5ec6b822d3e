#include "core/four_pillars.h"

#include <charconv>

namespace vesprin {
namespace {

int toInt(std::string_view t) {
  int v = 0;
  std::from_chars(t.data(), t.data() + t.size(), v);
  return v;
}

std::string hourText(int h) {
  std::string s = std::to_string(h);
  return (s.size() < 2 ? "0" + s : s) + ":00";
}

}  // namespace

std::string festivalStartForHour(int h) {
  if (h <= 0 || h > 24) return {};
  if (h == 24) return "00:00";
  return hourText(h % 2 == 1 ? h : h - 1);
}

std::string comparisonTimeOf(const BirthInput& in) {
  const std::string hour = in.hour == "23" || in.hour == "24" ? "00" : in.hour;
  return hour + ":" + in.minute;
}

Pillar timePillar(int hour, ZodiacOn dayStem) {
  int branch = (hour + 3) / 2;
  while (branch > kBranchCount) branch -= kBranchCount;
  int stem = branch + 2 * dayStem - 2;
  while (stem > kStemCount) stem -= kStemCount;
  return {stem, branch};
}

FourPillarsResult FindFourPillars(const CalendarFile& file, const BirthInput& in) {
  FourPillarsResult r;
  const auto dateLine = file.findDate(in.dateText());
  if (!dateLine) {
    r.error = BirthLineError::NoDate;
    return r;
  }
  FourPillars p;
  // From 23:00 on the birth belongs to the next line's Chinese day.
  const std::string hhmm = in.hour + ":" + in.minute;
  p.birthLine = hhmm >= "23:00" ? *dateLine + 1 : *dateLine;
  if (!file.hasDay(p.birthLine)) {
    r.error = BirthLineError::BeyondFile;
    return r;
  }
  const CalendarDay& line = file.day(p.birthLine);
  p.birthLineDate = line.dateText;
  p.festivalStart = festivalStartForHour(line.festivalHour);
  p.comparisonTime = comparisonTimeOf(in);

  // Before a large festival's two-hour period the year and month of the day
  // before are still in force; a small festival never changes them.
  const CalendarDay* source = &line;
  if (line.mark == FestivalMark::Large && p.comparisonTime < p.festivalStart) {
    if (!file.hasDay(p.birthLine - 1)) {
      r.error = BirthLineError::BeyondFile;
      return r;
    }
    source = &file.day(p.birthLine - 1);
  }
  p.year = source->year;
  p.month = source->month;
  p.day = line.day;
  p.time = timePillar(toInt(in.hour), p.day.stem);
  r.pillars = p;
  return r;
}

}  // namespace vesprin
