#pragma once
// Annual transits: the person's Chinese age in the current year, a window of
// fifteen years aligned on the five-year marks of the luck pillars, and for
// each year its pillar and the transit ascendant.
#include <array>
#include <optional>

#include "core/sign.h"

namespace vesprin {

constexpr int kTransitColumns = 15;

struct AnnualTransits {
  int chineseAge = 0;  // >= 1
  // False when no year of the search matched, which happens when the current
  // year's pillar is missing (0/0): chineseAge is then the fallback 211 + d
  // and no age, year or pillar of the window is the person's.
  bool chineseAgeKnown = false;
  int firstAge = 0;  // may be 0 or negative
  int offset = 0;    // chineseAge - firstAge; the current year is column offset + 1
  std::array<int, kTransitColumns> years{};  // Buddhist Era
  std::array<int, kTransitColumns> ages{};
  std::array<Pillar, kTransitColumns> pillars{};  // 0/0 when the current pillar is missing
  std::array<Pillar, kTransitColumns> transitAscendants{};
  std::optional<int> currentColumn;  // 6..10, the only columns ever marked
};

// Years are Buddhist Era; birthYearBE as normalised for a birth at hour 00.
AnnualTransits computeAnnualTransits(Pillar birthYearPillar, int birthYearBE, int currentYearBE,
                                     Pillar currentYearPillar, Pillar ascendant, int startYears);

}  // namespace vesprin
