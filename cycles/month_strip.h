#pragma once
// The month strip: the twelve month pillars of a year that the birth record
// names by its January pillar, with that year's Buddhist and Common Era texts.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/sign.h"

namespace vesprin {

struct MonthStrip {
  // January .. December. The record's signs need not share a parity, so the
  // two rows are kept apart rather than as pillars.
  std::array<ZodiacOn, 12> stems{};
  std::array<ZodiacBelow, 12> branches{};
  std::string beYearText;  // line 9, unchanged
  std::string ceYearText;  // line 10, unchanged
};

// The strip's first pillar (January) and the two year texts it shows, as a
// birth record gives them.
struct MonthStripStart {
  ZodiacOn stem = 1;      // 1..10
  ZodiacBelow branch = 1; // 1..12
  std::string beYearText;  // line 9, shown as it stands
  std::string ceYearText;  // line 10
  friend bool operator==(const MonthStripStart&, const MonthStripStart&) = default;
};

// The twelve months that follow from January's pillar.
MonthStrip monthStripFrom(const MonthStripStart& start);

// Reads lines 8, 9 and 10 (counted from 0) of the birth record. None when line
// 8 is missing or does not start with a stem 01..10 and a branch 01..12; a
// missing line 9 or 10 gives an empty text.
std::optional<MonthStrip> readMonthStrip(const std::vector<std::string>& recordLines);

// The January pillar of a Buddhist-Era year, as a request's month strip starts:
// the Ox month of the Chinese year before it, its stem by the year-stem rule.
Pillar januaryPillar(int beYear);

}  // namespace vesprin
