#include "cycles/annual_transits.h"

namespace vesprin {
namespace {

// The search looks at distances d, d + 10, ... d + 210 in the sixty-pillar cycle.
constexpr int kLastSearchStep = 21;

}  // namespace

AnnualTransits computeAnnualTransits(Pillar birthYearPillar, int birthYearBE, int currentYearBE,
                                     Pillar currentYearPillar, Pillar ascendant, int startYears) {
  AnnualTransits t;
  const int d = currentYearPillar.stem - birthYearPillar.stem;
  // The smallest distance in the cycle from the birth-year pillar to the
  // current one that is not below current year - birth year - 1: a birth
  // before the solar new year carries the previous year's pillar.
  t.chineseAge = 211 + d;
  for (int j = 0; j <= kLastSearchStep; ++j) {
    const int n = 10 * j + d;
    if (birthYearPillar.branch + n == currentYearPillar.branch &&
        birthYearBE + n + 1 >= currentYearBE) {
      t.chineseAge = n + 1;
      t.chineseAgeKnown = true;
      break;
    }
  }

  // The window starts five years before the first mark startYears + 5k that
  // lies above the age (a mark equal to the age is passed over).
  int mark = startYears + 5;
  while (mark <= t.chineseAge) mark += 5;
  t.firstAge = mark - 10;
  t.offset = t.chineseAge - t.firstAge;

  for (int j = 0; j < kTransitColumns; ++j) {
    const auto i = static_cast<std::size_t>(j);
    t.ages[i] = t.firstAge + j;
    t.years[i] = currentYearBE - t.offset + j;
    if (currentYearPillar.ok()) t.pillars[i] = currentYearPillar + (j - t.offset);
    // The ascendant is the transit ascendant of age 1 and steps back a pillar a year.
    t.transitAscendants[i] = ascendant - (t.ages[i] - 1);
  }
  const int column = t.offset + 1;
  if (column >= 6 && column <= 10) t.currentColumn = column;
  return t;
}

}  // namespace vesprin
