#include "cycles/month_strip.h"

namespace vesprin {
namespace {

constexpr std::size_t kFirstMonthLine = 8;

int twoDigits(const std::string& s, std::size_t at) {
  const char a = s[at], b = s[at + 1];
  if (a < '0' || a > '9' || b < '0' || b > '9') return -1;
  return (a - '0') * 10 + (b - '0');
}

}  // namespace

std::optional<MonthStrip> readMonthStrip(const std::vector<std::string>& recordLines) {
  if (recordLines.size() <= kFirstMonthLine) return std::nullopt;
  const std::string& line = recordLines[kFirstMonthLine];
  if (line.size() < 4) return std::nullopt;
  const int stem = twoDigits(line, 0), branch = twoDigits(line, 2);
  if (stem < 1 || stem > kStemCount || branch < 1 || branch > kBranchCount) return std::nullopt;
  MonthStrip m;
  for (int i = 0; i < 12; ++i) {
    m.stems[static_cast<std::size_t>(i)] = stemAdd(stem, i);
    m.branches[static_cast<std::size_t>(i)] = branchAdd(branch, i);
  }
  if (recordLines.size() > kFirstMonthLine + 1) m.beYearText = recordLines[kFirstMonthLine + 1];
  if (recordLines.size() > kFirstMonthLine + 2) m.ceYearText = recordLines[kFirstMonthLine + 2];
  return m;
}

}  // namespace vesprin
