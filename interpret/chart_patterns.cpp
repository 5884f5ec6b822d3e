#include "interpret/chart_patterns.h"

#include <array>

namespace vesprin {
namespace {

// A group of three branches and its caption: the four trios first, then the
// four direction groups, in the order they are tested. Two groups together
// need five different branches, so four natal branches complete at most one.
struct BranchGroup {
  std::array<ZodiacBelow, 3> branches;
  std::string_view caption;
};
constexpr std::array<BranchGroup, 8> kGroups = {{
    {{9, 1, 5}, "*** ในดวงมี ไตรภาคีธาตุน้ำ ***"},
    {{12, 4, 8}, "*** ในดวงมี ไตรภาคีธาตุไม้ ***"},
    {{3, 7, 11}, "*** ในดวงมี ไตรภาคีธาตุไฟ ***"},
    {{6, 10, 2}, "*** ในดวงมี ไตรภาคีธาตุทอง ***"},
    {{12, 1, 2}, "*** กลุ่มทิศธาตุน้ำ ***"},
    {{3, 4, 5}, "*** กลุ่มทิศธาตุไม้ ***"},
    {{6, 7, 8}, "*** กลุ่มทิศธาตุไฟ ***"},
    {{9, 10, 11}, "*** กลุ่มทิศธาตุทอง ***"},
}};

// P, T and H codes by year branch (index 0 unused). H does not depend on the gender.
struct CodeRow {
  int pMale, pFemale, tMale, tFemale, h;
};
constexpr std::array<CodeRow, 13> kCodes = {{
    {0, 0, 0, 0, 0},
    {4, 8, 3, 2, 2},
    {5, 6, 8, 11, 4},
    {12, 5, 6, 9, 9},
    {7, 3, 4, 10, 2},
    {2, 8, 3, 2, 4},
    {3, 6, 8, 11, 9},
    {10, 5, 6, 9, 2},
    {11, 3, 4, 10, 4},
    {6, 8, 3, 2, 9},
    {1, 6, 8, 11, 2},
    {8, 5, 6, 9, 4},
    {9, 3, 4, 10, 9},
}};

// Wraps n into 1..m.
constexpr int wrap(int n, int m) {
  const int r = n % m;
  return r <= 0 ? r + m : r;
}

}  // namespace

std::string_view polarityName(BranchPolarity p) {
  switch (p) {
    case BranchPolarity::Yang: return "yang";
    case BranchPolarity::Yin: return "yin";
    case BranchPolarity::Mixed: break;
  }
  return "mixed";
}

ChartPatterns FindChartPatterns(const NatalPillars& pillars, const ElementPowerTable& powers,
                                Gender gender) {
  ChartPatterns r;
  for (const BranchGroup& g : kGroups) {
    bool complete = true;
    for (ZodiacBelow b : g.branches) complete = complete && pillars.holdsBranch(b);
    if (complete) r.harmonyCaption = std::string(g.caption);
  }

  int withPower = 0;
  for (double p : powers.power) withPower += p > 0 ? 1 : 0;
  r.specialChart = withPower < 4;

  int odd = 0;
  for (ZodiacBelow b : pillars.branches()) odd += b % 2;
  r.branchPolarity = odd == 4 ? BranchPolarity::Yang
                     : odd == 0 ? BranchPolarity::Yin
                                : BranchPolarity::Mixed;

  const ZodiacBelow yb = pillars.year.branch;
  const CodeRow c = yb >= 1 && yb <= kBranchCount ? kCodes[yb] : kCodes[0];
  const bool male = gender == Gender::Male;
  r.codeLine = "P" + std::to_string(male ? c.pMale : c.pFemale) + " / T" +
               std::to_string(male ? c.tMale : c.tFemale);
  r.ptCode = r.codeLine + " / H" + std::to_string(c.h);
  return r;
}

std::optional<std::string> harmonyLine(const ChartPatterns& p) {
  constexpr std::string_view open = "*** ", close = " ***";
  std::string_view c = p.harmonyCaption;
  if (c.empty()) return std::nullopt;
  if (c.starts_with(open)) c.remove_prefix(open.size());
  if (c.ends_with(close)) c.remove_suffix(close.size());
  return "- " + std::string(c);
}

std::optional<std::string> specialChartLine(const ChartPatterns& p) {
  if (!p.specialChart) return std::nullopt;
  return "- มีสิทธิเป็นดวงพิเศษ (ดวงตามกระแส)";
}

std::optional<std::string> polarityLine(const ChartPatterns& p) {
  switch (p.branchPolarity) {
    case BranchPolarity::Yang: return "- ราศีในดวงเป็นพลังเอี๊ยงทั้งหมด";
    case BranchPolarity::Yin: return "- ราศีในดวงเป็นพลังอิมทั้งหมด";
    case BranchPolarity::Mixed: break;
  }
  return std::nullopt;
}

int birthYearCode(Gender gender, int enteredYear, ZodiacBelow natalYearBranch) {
  const int x = enteredYear - 2444;
  const bool male = gender == Gender::Male;
  int k = male ? wrap(9 - x, 9) : wrap(x + 6, 9);
  // A birth before the change of the Chinese year keeps the previous year's
  // branch: the year number's own branch then differs from the natal one.
  const ZodiacBelow g = branchAdd(x + 2, 0);
  if (natalYearBranch != g) k = male ? wrap(k + 1, 9) : wrap(k - 1, 9);
  return k;
}

}  // namespace vesprin
