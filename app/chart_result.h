#pragma once
// Everything one cast computes, by group, in the order the stages fill it.
// Later stages read earlier results from here, never back from label texts.
#include <optional>

#include "core/birth_input.h"
#include "core/calendar_session.h"
#include "core/derived_pillars.h"
#include "core/four_pillars.h"

namespace vesprin {

struct ChartResult {
  BirthInput input;                      // normalised input, weekday, entered values
  CurrentYearPillar currentYear;         // the year the chart is read in, and its pillar
  std::optional<FourPillars> natal;      // birth line, festival start, four pillars
  std::optional<DerivedPillars> derived; // festival kind, ascendant, conception, perfect ascendant
};

}  // namespace vesprin
