#pragma once
// Everything one cast computes, by group, in the order the stages fill it.
// Later stages read earlier results from here, never back from label texts.
#include <optional>
#include <vector>

#include "core/birth_input.h"
#include "core/boundary_warning.h"
#include "core/calendar_session.h"
#include "core/derived_pillars.h"
#include "core/four_pillars.h"
#include "cycles/annual_transits.h"
#include "cycles/current_period.h"
#include "cycles/long_year_table.h"
#include "cycles/luck_cycle.h"
#include "cycles/month_strip.h"
#include "interpret/analysis.h"
#include "interpret/chart_patterns.h"
#include "interpret/element_powers.h"
#include "interpret/hidden_stems.h"
#include "present/binding/owner_texts.h"

namespace vesprin {

struct ChartResult {
  BirthInput input;                      // normalised input, weekday, entered values
  CurrentYearPillar currentYear;         // the year the chart is read in, and its pillar
  CivilDate today;                       // the date of the cast (Christian Era)
  std::optional<FourPillars> natal;      // birth line, festival start, four pillars
  std::optional<DerivedPillars> derived; // festival kind, ascendant, conception, perfect ascendant
  std::vector<BoundaryWarning> warnings;  // a birth close to a festival or an hour edge

  // Chart interpretation (stages 8 and 10; the birth-year code at stage 17).
  std::optional<ElementPowerTable> powers;  // element strength and climate
  std::optional<ChartPatterns> patterns;    // harmony, special chart, polarity, P / T / H code
  std::optional<Analysis> analysis;         // analysis text, stars, treasury
  std::optional<Branch> childBranch;        // a woman's child sign; none for anyone else
  std::optional<bool> childChanceShown;     // known once the Chinese age is (stage 13)
  std::optional<int> birthYearCode;

  std::optional<HiddenStemRow> hiddenStems;  // stage 11

  // Time cycles (stages 12-14).
  std::optional<LuckCycle> luck;
  std::optional<AnnualTransits> transits;
  std::optional<CurrentPeriod> currentPeriod;
  std::optional<LongYearTable> longYearTable;
  std::optional<MonthStrip> monthStrip;  // none when the birth record has no usable line 8

  std::optional<OwnerTexts> owner;  // stage 15: owner and date texts, star pictures
};

}  // namespace vesprin
