#pragma once
// The long year table: ten-year rows from Chinese age 1 to 111 with their
// years, the ten upper signs heading the columns and the sixty lower signs of
// the years of age 1..60.
#include <array>

#include "core/sign.h"

namespace vesprin {

struct LongYearTable {
  std::array<Stem, 10> stems{};       // column c: age ending in c (c = 1..10, 10 for 0)
  std::array<Branch, 60> branches{};  // the year of age k, k = 1..60
  std::array<int, 12> beYears{};          // row r: the year of age 10(r-1)+1, Buddhist Era
  std::array<int, 12> ceYears{};          // the same, Common Era
};

LongYearTable computeLongYearTable(Pillar birthYearPillar, int currentYearBE, int chineseAge);

}  // namespace vesprin
