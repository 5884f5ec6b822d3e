#include "cycles/month_strip.h"

#include "core/text.h"

namespace vesprin {
namespace {

constexpr std::size_t kFirstMonthLine = 8;

}  // namespace

std::optional<MonthStrip> readMonthStrip(const std::vector<std::string>& recordLines) {
  if (recordLines.size() <= kFirstMonthLine) return std::nullopt;
  const std::string& line = recordLines[kFirstMonthLine];
  if (line.size() < 4) return std::nullopt;
  // toInt gives 0 for anything but a number, which the range test refuses.
  const std::string_view text = line;
  const int stem = toInt(text.substr(0, 2)), branch = toInt(text.substr(2, 2));
  if (stem < 1 || stem > kStemCount || branch < 1 || branch > kBranchCount) return std::nullopt;
  MonthStripStart start{stem, branch, {}, {}};
  if (recordLines.size() > kFirstMonthLine + 1) start.beYearText = recordLines[kFirstMonthLine + 1];
  if (recordLines.size() > kFirstMonthLine + 2) start.ceYearText = recordLines[kFirstMonthLine + 2];
  return monthStripFrom(start);
}

MonthStrip monthStripFrom(const MonthStripStart& start) {
  MonthStrip m;
  for (int i = 0; i < 12; ++i) {
    m.stems[static_cast<std::size_t>(i)] = stemAdd(start.stem, i);
    m.branches[static_cast<std::size_t>(i)] = branchAdd(start.branch, i);
  }
  m.beYearText = start.beYearText;
  m.ceYearText = start.ceYearText;
  return m;
}

Pillar januaryPillar(int beYear) {
  const int chineseYear = beYear - 543 - 1;               // January lies before the year's first festival
  const ZodiacOn yearStem = stemAdd(chineseYear - 3, 0);  // CE 4 was the first stem
  constexpr ZodiacBelow kOx = 2;
  return {yearStemRule(yearStem, kOx), kOx};
}

}  // namespace vesprin
