#include "cycles/long_year_table.h"

#include "core/civil_date.h"

namespace vesprin {

LongYearTable computeLongYearTable(Pillar birthYearPillar, int currentYearBE, int chineseAge) {
  LongYearTable t;
  for (int c = 0; c < 10; ++c) t.stems[static_cast<std::size_t>(c)] = birthYearPillar.stem + c;
  for (int k = 0; k < 60; ++k)
    t.branches[static_cast<std::size_t>(k)] = birthYearPillar.branch + k;
  const int yearOfAge1 = currentYearBE - chineseAge + 1;
  for (int r = 0; r < 12; ++r) {
    t.beYears[static_cast<std::size_t>(r)] = yearOfAge1 + 10 * r;
    t.ceYears[static_cast<std::size_t>(r)] = yearOfAge1 + 10 * r - kBuddhistEraOffset;
  }
  return t;
}

}  // namespace vesprin
