#include "cycles/luck_cycle.h"

#include "core/four_pillars.h"

namespace vesprin {
namespace {

// A walk towards a large festival stops when it arrives at this list position,
// whatever lies beyond it.
constexpr int kWalkStopPosition = 100;

struct Walk {
  int days = 0;
  bool found = true;  // false when the loaded lines ended first
};

// Steps one line at a time (step -1 or +1) from the line at `from` and counts
// the steps up to the first large-festival day. Never reads outside the day
// lines: arriving at the first or the last one without a festival ends it.
Walk walkToFestival(const CalendarFile& calendar, int from, int step) {
  Walk w;
  for (int pos = from;;) {
    if (!calendar.hasDay(pos + step)) {
      w.found = false;
      return w;
    }
    pos += step;
    ++w.days;
    if (calendar.day(pos).mark == FestivalMark::Large || pos == kWalkStopPosition) return w;
  }
}

// A man of an odd year stem and a woman of an even one walk forward.
LuckDirection directionFor(Parity parity, Gender gender) {
  const bool odd = parity == Parity::Odd;
  return odd == (gender == Gender::Male) ? LuckDirection::Go : LuckDirection::Back;
}

}  // namespace

std::string_view parityText(Parity p) { return p == Parity::Odd ? "odd" : "even"; }

std::string_view directionText(LuckDirection d) {
  switch (d) {
    case LuckDirection::Go: return "go";
    case LuckDirection::Back: return "back";
    case LuckDirection::Undetermined: break;
  }
  return "";
}

LuckStart luckStart(int festivalDays, Branch monthBranch) {
  const int years0 = festivalDays / 3;
  const int extraMonths = 4 * (festivalDays % 3);  // 0, 4 or 8
  // The month of the third branch opens the solar year: branch 3 is place 1,
  // branch 2 place 12.
  const int place = (monthBranch - Branch(3)) + 1;
  const int m = extraMonths + place;  // 1..20
  LuckStart s;
  s.years = m >= 12 ? years0 + 1 : years0;
  s.monthCode = m >= 12 ? m - 12 : m;
  return s;
}

LuckCycle computeLuckCycle(Stem yearStem, Pillar monthPillar, Gender gender,
                           const CalendarFile& calendar, int birthLine,
                           const std::optional<ClockTime>& festivalStart, ClockTime comparisonTime) {
  LuckCycle c;
  c.parity = yearStem.yang() ? Parity::Odd : Parity::Even;
  c.direction = directionFor(c.parity, gender);

  // Pillar 1 is the month pillar's neighbour in the luck direction.
  const int sign = c.direction == LuckDirection::Go ? 1 : -1;
  if (c.direction != LuckDirection::Undetermined)
    for (int k = 1; k <= kLuckPillarCount; ++k)
      c.pillars[static_cast<std::size_t>(k - 1)] = monthPillar + sign * k;

  const bool afterFestival = !beforeFestivalStart(festivalStart, comparisonTime);
  if (!calendar.hasDay(birthLine)) {
    c.monthStrengthKnown = c.festivalKnown = false;
  } else {
    const bool festivalDay = calendar.day(birthLine).mark == FestivalMark::Large;
    if (festivalDay && afterFestival) {
      c.monthStrengthDays = 1;
    } else {
      const Walk back = walkToFestival(calendar, birthLine, -1);
      c.monthStrengthDays = back.days;
      c.monthStrengthKnown = back.found;
    }
    if (c.direction != LuckDirection::Go) {
      c.festivalDays = c.monthStrengthDays;
      c.festivalKnown = c.monthStrengthKnown;
    } else if (festivalDay && !afterFestival) {
      c.festivalDays = 1;
    } else {
      const Walk forward = walkToFestival(calendar, birthLine, +1);
      c.festivalDays = forward.days;
      c.festivalKnown = forward.found;
    }
  }

  const LuckStart start = luckStart(c.festivalDays, monthPillar.branch);
  c.startYears = start.years;
  c.startMonthCode = start.monthCode;
  for (int k = 0; k < kLuckPillarCount; ++k) {
    c.onAges[static_cast<std::size_t>(k)] = c.startYears + 10 * k;
    c.belowAges[static_cast<std::size_t>(k)] = c.startYears + 10 * k + 5;
  }
  return c;
}

}  // namespace vesprin
