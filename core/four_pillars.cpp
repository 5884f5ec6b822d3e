#include "core/four_pillars.h"

#include "core/text.h"

namespace vesprin {
namespace {

std::string hourText(int h) { return padded(h, 2) + ":00"; }

}  // namespace

std::string festivalStartForHour(int h) {
  if (h <= 0 || h > 24) return {};
  if (h == 24) return "00:00";
  return hourText(h % 2 == 1 ? h : h - 1);
}

std::string comparisonTimeOf(const BirthInput& in) {
  return padded(in.hour >= 23 ? 0 : in.hour, 2) + ":" + padded(in.minute, 2);
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
  const auto dateLine = file.findDate(in.date);
  if (!dateLine) {
    r.error = BirthLineError::NoDate;
    return r;
  }
  FourPillars p;
  // From 23:00 on the birth belongs to the next line's Chinese day (hour 24,
  // the next civil day's hour 00, included).
  p.birthLine = in.hour >= 23 ? *dateLine + 1 : *dateLine;
  if (!file.hasDay(p.birthLine)) {
    r.error = BirthLineError::BeyondFile;
    return r;
  }
  const CalendarDay line = file.day(p.birthLine);
  p.birthLineDate = file.dateText(p.birthLine);
  p.festivalStart = festivalStartForHour(line.festivalHour);
  p.comparisonTime = comparisonTimeOf(in);

  // Before a large festival's two-hour period the year and month of the day
  // before are still in force; a small festival never changes them.
  p.yearMonthLine = p.birthLine;
  if (line.mark == FestivalMark::Large && p.comparisonTime < p.festivalStart) {
    if (!file.hasDay(p.birthLine - 1)) {
      r.error = BirthLineError::BeyondFile;
      return r;
    }
    p.yearMonthLine = p.birthLine - 1;
  }
  p.year = file.day(p.yearMonthLine).year;
  p.month = file.day(p.yearMonthLine).month;
  p.day = line.day;
  p.time = timePillar(in.hour, p.day.stem);
  r.pillars = p;
  return r;
}

}  // namespace vesprin
