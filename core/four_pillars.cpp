#include "core/four_pillars.h"

namespace vesprin {

std::optional<ClockTime> festivalStartForHour(int h) {
  if (h <= 0 || h > 24) return std::nullopt;
  if (h == 24) return ClockTime{0, 0};
  return ClockTime{h % 2 == 1 ? h : h - 1, 0};
}

ClockTime comparisonTimeOf(const BirthInput& in) { return {in.hour >= 23 ? 0 : in.hour, in.minute}; }

Pillar timePillar(int hour, Stem dayStem) {
  // Hour 23 opens the Rat's double hour, which hours 0 and 24 belong to as well.
  const Branch branch = Branch::wrapping((hour + 3) / 2);
  // The Rat hour of day stem d has stem 2d - 1; the hours step on from there.
  const Stem ratHour = Stem(1) + 2 * (dayStem - Stem(1));
  return {ratHour + (branch - Branch(1)), branch};
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
  if (line.mark == FestivalMark::Large && beforeFestivalStart(p.festivalStart, p.comparisonTime)) {
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
