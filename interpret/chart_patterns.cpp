#include "interpret/chart_patterns.h"

#include <array>

#include "core/text.h"
#include "interpret/element_powers.h"

namespace vesprin {
namespace {

// The four direction groups: three neighbouring branches around the middle
// one, whose element they carry, in the order they are tested. With the trios
// (kThreeHarmonies, tested first) two groups together need five different
// branches, so four natal branches complete at most one group.
struct DirectionGroup {
  Element element;
  Branch middle;
  constexpr bool completeIn(const NatalPillars& p) const {
    return p.holdsBranch(middle - 1) && p.holdsBranch(middle) && p.holdsBranch(middle + 1);
  }
};
constexpr std::array<DirectionGroup, 4> kDirectionGroups = {{
    {Element::Water, Branch(1)},
    {Element::Wood, Branch(4)},
    {Element::Fire, Branch(7)},
    {Element::Gold, Branch(10)},
}};

// P, T and H codes by year branch. H does not depend on the gender.
struct CodeRow {
  int pMale, pFemale, tMale, tFemale, h;
};
constexpr CodeRow kNoCodes = {0, 0, 0, 0, 0};
constexpr std::array<CodeRow, 12> kCodes = {{
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

// The birth-year code counts round nine.
constexpr int kYearCodes = 9;

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
  for (const ThreeHarmony& t : kThreeHarmonies)
    if (t.completeIn(pillars)) r.harmonyCaption = concat({"*** ในดวงมี ไตรภาคีธาตุ", elementThaiName(t.element), " ***"});
  for (const DirectionGroup& g : kDirectionGroups)
    if (g.completeIn(pillars)) r.harmonyCaption = concat({"*** กลุ่มทิศธาตุ", elementThaiName(g.element), " ***"});

  int withPower = 0;
  for (double p : powers.power) withPower += p > 0 ? 1 : 0;
  r.specialChart = withPower < 4;

  int odd = 0;
  for (Branch b : pillars.branches()) odd += b.yang() ? 1 : 0;
  r.branchPolarity = odd == 4 ? BranchPolarity::Yang
                     : odd == 0 ? BranchPolarity::Yin
                                : BranchPolarity::Mixed;

  const Branch yb = pillars.year.branch;
  const CodeRow c = yb.ok() ? kCodes[yb.index()] : kNoCodes;
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

int birthYearCode(Gender gender, int enteredYear, Branch natalYearBranch) {
  const int x = enteredYear - 2444;
  const bool male = gender == Gender::Male;
  int k = male ? wrapInto(9 - x, kYearCodes) : wrapInto(x + 6, kYearCodes);
  // A birth before the change of the Chinese year keeps the previous year's
  // branch: the year number's own branch then differs from the natal one.
  const Branch g = Branch::wrapping(x + 2);
  if (natalYearBranch != g) k = male ? wrapInto(k + 1, kYearCodes) : wrapInto(k - 1, kYearCodes);
  return k;
}

}  // namespace vesprin
