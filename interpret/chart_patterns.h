#pragma once
// Patterns of the whole natal chart (a complete three-harmony or direction
// group, the special chart that follows the flow, all-yang or all-yin
// branches) and the personal codes (P / T / H code, birth-year code).
#include <optional>
#include <string>
#include <string_view>

#include "core/gender.h"
#include "interpret/element_powers.h"
#include "interpret/natal_pillars.h"

namespace vesprin {

enum class BranchPolarity { Mixed, Yang, Yin };

struct ChartPatterns {
  std::string harmonyCaption;  // "*** ... ***", empty when no group is complete
  bool specialChart = false;   // fewer than four elements with power above 0
  BranchPolarity branchPolarity = BranchPolarity::Mixed;
  std::string ptCode;    // "P4 / T3 / H2"
  std::string codeLine;  // the P and T part alone, "P4 / T3": the last analysis line
};

// "yang", "yin" or "mixed".
std::string_view polarityName(BranchPolarity p);

ChartPatterns FindChartPatterns(const NatalPillars& pillars, const ElementPowerTable& powers,
                                Gender gender);

// Lines the patterns offer to the analysis text; none when the pattern does not hold.
std::optional<std::string> harmonyLine(const ChartPatterns& p);
std::optional<std::string> specialChartLine(const ChartPatterns& p);
std::optional<std::string> polarityLine(const ChartPatterns& p);

// Caption of the chart sheet's pattern note when the chart is special.
inline constexpr std::string_view kSpecialChartCaption = "*** มีสิทธิเป็นดวงพิเศษ (ดวงตามกระแส) ***";

// Birth-year code 1..9 from the gender, the year as entered (Buddhist Era)
// and the natal year branch.
int birthYearCode(Gender gender, int enteredYear, ZodiacBelow natalYearBranch);

}  // namespace vesprin
