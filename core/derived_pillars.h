#pragma once
// The three derived pillars: ascendant, conception (with its fit against the
// calendar nine months before the birth) and perfect ascendant.
#include <optional>
#include <string>

#include "core/calendar_file.h"
#include "core/four_pillars.h"

namespace vesprin {

enum class FestivalKind { None, Small, Large };

enum class ConceptionVariant { Uncertain, Plain };

struct DerivedPillars {
  FestivalKind festivalKind = FestivalKind::None;
  Pillar ascendant;
  Pillar conceptionFormula;  // the month pillar P months earlier, before any correction
  Pillar conception;         // moved on one month when no line of the fit matches
  std::optional<int> accuracy;  // percent, for a pregnancy of nine months
  std::string conceptionLabel;  // "[ 46% ]", "[ 100% ]", "[ 8 M ]"
  std::optional<Pillar> neighbour;  // neighbouring conception signs; stem and branch
  ConceptionVariant variant = ConceptionVariant::Uncertain;
  Pillar perfectAscendant;
};

struct DerivedPillarsResult {
  std::optional<DerivedPillars> pillars;
  // Set when the nine-month fit would read before the first line of the file.
  bool beyondFile = false;
};

// Lines the fit reads: 277 down to 263 lines before the birth line.
constexpr int kConceptionFitFirst = 277;
constexpr int kConceptionFitLast = 263;

// pregnancyMonths: 7..10.
DerivedPillarsResult FindDerivedPillars(const CalendarFile& file, const FourPillars& natal,
                                        int pregnancyMonths);

}  // namespace vesprin
