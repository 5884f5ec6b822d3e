#pragma once
// Everything one cast computes, by group, in the order the stages fill it.
// Later stages read earlier results from here, never back from label texts.
#include <optional>

#include "core/birth_input.h"
#include "core/calendar_session.h"
#include "core/derived_pillars.h"
#include "core/four_pillars.h"
#include "interpret/analysis.h"
#include "interpret/chart_patterns.h"
#include "interpret/element_powers.h"

namespace vesprin {

struct ChartResult {
  BirthInput input;                      // normalised input, weekday, entered values
  CurrentYearPillar currentYear;         // the year the chart is read in, and its pillar
  std::optional<FourPillars> natal;      // birth line, festival start, four pillars
  std::optional<DerivedPillars> derived; // festival kind, ascendant, conception, perfect ascendant
  std::optional<ElementPowerTable> powers;  // element strength and climate
  std::optional<ChartPatterns> patterns;    // harmony, special chart, polarity, P / T / H code
  std::optional<Analysis> analysis;         // analysis text, stars, treasury
  std::optional<ZodiacBelow> childBranch;   // a woman's child sign; none for anyone else
  // Known once the Chinese age exists (annual transits); none until then.
  std::optional<bool> childChanceShown;
  std::optional<int> birthYearCode;         // computed at the very end of the cast
};

}  // namespace vesprin
