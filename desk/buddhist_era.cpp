#include "desk/buddhist_era.h"

#include <algorithm>

#include "core/text.h"

namespace vesprin {

bool selectableYear(int buddhistYear, const YearList& years) {
  return std::binary_search(years.years.begin(), years.years.end(), buddhistYear);
}

TypedYear typedYear(int typed, const YearList& years) {
  if (!selectableYear(typed, years) && selectableYear(toBuddhistEra(typed), years))
    return {toBuddhistEra(typed), true};
  return {typed, false};
}

int currentBuddhistYear(const Clock& clock) { return toBuddhistEra(clock.today().year); }

std::string thaiDateText(int day, int month, int buddhistYear) {
  return concat({padded(day, 2), "/", padded(month, 2), "/", std::to_string(buddhistYear)});
}

}  // namespace vesprin
