#pragma once
// Luck pillars: ten ten-year pillars next to the birth month pillar, the
// distance in days from the birth to the nearest large festival and the ages
// at which each pillar and each half of a pillar begins.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/birth.h"
#include "core/calendar_file.h"
#include "core/gender.h"
#include "core/sign.h"

namespace vesprin {

constexpr int kLuckPillarCount = 10;

enum class Parity { Odd, Even };
// Go walks forward through the sixty pillars, Back backward; Undetermined
// until a cycle is computed.
enum class LuckDirection { Undetermined, Go, Back };

std::string_view parityText(Parity p);              // "odd", "even"
std::string_view directionText(LuckDirection d);    // "go", "back", "" when undetermined

// The start age of the first luck pillar: years and a calendar-month code,
// written "3.05" (years, then the code in two digits).
struct LuckStart {
  int years = 0;      // >= 0
  int monthCode = 0;  // 0..11; 1 is March, 0 is February
};

struct LuckCycle {
  Parity parity = Parity::Odd;
  LuckDirection direction = LuckDirection::Undetermined;
  std::array<Pillar, kLuckPillarCount> pillars{};  // 0/0 while the direction is undetermined
  int monthStrengthDays = 0;  // lines from the previous large festival to the birth line
  int festivalDays = 0;       // lines to the large festival in the luck direction
  // False when a walk met the first or last loaded line before any large
  // festival (or the birth line is not a day of the file): the count is then
  // only the lines walked, and a start age built on it is not the person's.
  bool monthStrengthKnown = true;
  bool festivalKnown = true;
  int startYears = 0;
  int startMonthCode = 0;  // as LuckStart
  std::array<int, kLuckPillarCount> onAges{};     // pillar k begins at onAges[k-1]
  std::array<int, kLuckPillarCount> belowAges{};  // its lower half five years later
};

// Three days of festival distance make a year of age and one day four months;
// the month part is the calendar month in which the first pillar starts.
LuckStart luckStart(int festivalDays, Branch monthBranch);

// birthLine is a position of calendar; festivalStart and comparisonTime
// those of the four pillars (FourPillars).
LuckCycle computeLuckCycle(Stem yearStem, Pillar monthPillar, Gender gender,
                           const CalendarFile& calendar, int birthLine,
                           const std::optional<ClockTime>& festivalStart, ClockTime comparisonTime);

}  // namespace vesprin
