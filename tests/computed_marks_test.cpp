// The decorations a chart gives by itself: the power line and group figures
// from the cast's own powers, and the clashes of neighbouring lower signs.
#include "present/request/computed_marks.h"

#include <gtest/gtest.h>

#include "interpret/branch_clash.h"
#include "present/binding/bind_handover.h"

namespace vesprin {
namespace {

TEST(computed_marks_test, clashing_branches_are_the_six_opposite_pairs) {
  // Opposite on the circle of twelve, in either order; nothing else clashes.
  for (int a = 1; a <= 12; ++a)
    for (int b = 1; b <= 12; ++b)
      EXPECT_EQ(branchesClash(Branch(a), Branch(b)), (a - b == 6 || b - a == 6)) << a << " " << b;
  static_assert(branchesClash(Branch(3), Branch(9)) && branchesClash(Branch(12), Branch(6)) &&
                !branchesClash(Branch(11), Branch(6)));
}

TEST(computed_marks_test, neighbour_clashes) {
  struct Case {
    NatalPillars p;
    std::array<bool, 3> expected;
  };
  const Case cases[] = {
      // 寅 year, 申 month: year-month; 申 month, 寅 day: month-day too.
      {{{5, 3}, {9, 9}, {1, 3}, {1, 1}}, {true, true, false}},
      // The bundled example's 寅 亥 戌 巳: 戌 and 巳 do not clash.
      {{{5, 3}, {10, 12}, {1, 11}, {6, 6}}, {false, false, false}},
      // 亥 day, 巳 time: day-time.
      {{{5, 3}, {1, 11}, {10, 12}, {6, 6}}, {false, false, true}},
      // Year and time clash, but they are no neighbours.
      {{{1, 1}, {3, 3}, {5, 5}, {3, 7}}, {false, false, false}},
  };
  for (const Case& c : cases) EXPECT_EQ(neighbourClashes(c.p), c.expected);
}

TEST(computed_marks_test, power_line_of_a_chart) {
  // Fire day master: Fire 15, Wood 6 (its producer), Water 6, Ground 0, Gold 0.
  const ElementPowerTable t = ComputeElementPowers({{1, 1}, {3, 7}, {3, 3}, {9, 1}});
  const ElementGroupPowers p = groupPowersOf(t);
  EXPECT_EQ(p.powers, (std::array<int, 5>{0, 0, 6, 6, 15}));  // Ground, Gold, Water, Wood, Fire
  EXPECT_EQ(p.dayMaster, 4);
  EXPECT_EQ(groupFiguresOf(p), (GroupFigures{21, 6}));
  EXPECT_EQ(elementGroupPowerText(p),
            "กลุ่มดิถี ธาตุไฟ กำลัง 15 ธาตุไม้ กำลัง 6 ( รวมกำลัง 21 )\r"
            "กลุ่มบริวาร ธาตุดิน กำลัง 0 ธาตุทอง กำลัง 0 ธาตุน้ำ 6 ( รวมกำลัง 6 )");
}

TEST(computed_marks_test, every_day_master_gives_the_totals_of_the_cast) {
  // Over every day pillar and month branch, the line's group totals are those
  // the cast's own summary prints.
  for (int d = 0; d < 60; ++d)
    for (int m = 1; m <= 12; ++m) {
      const Pillar day = Pillar{1, 1} + d;
      const Pillar month{m % 2 == 1 ? 1 : 2, m};
      const ElementPowerTable t = ComputeElementPowers({{7, 11}, month, day, {5, 3}});
      const GroupFigures f = groupFiguresOf(groupPowersOf(t));
      const auto total = [&](std::initializer_list<ElementRole> roles) {
        double sum = 0;
        for (ElementRole r : roles) sum += t.powerOf(t.elementOf(r));
        return static_cast<int>(sum);
      };
      EXPECT_EQ(f.dayMasterGroup, total({ElementRole::DayMaster, ElementRole::Support}));
      EXPECT_EQ(f.entourageGroup, total({ElementRole::Drain, ElementRole::Wealth, ElementRole::Officer}));
      // Field codes by element in generating order: Wood 3, Fire 4, Ground 0, Gold 1, Water 2.
      constexpr int kCode[] = {3, 4, 0, 1, 2};
      EXPECT_EQ(groupPowersOf(t).dayMaster, kCode[elementIndex(StemElement(day.stem))]);
    }
}

TEST(computed_marks_test, filling_keeps_the_astrologers_climate) {
  const ElementPowerTable t = ComputeElementPowers({{1, 1}, {3, 7}, {3, 3}, {9, 1}});
  AnalysisMarks off;
  fillComputedPowers(off, t);
  EXPECT_EQ(off.balance, (BalancePanel{21, 6, "B", "", ""}));
  AnalysisMarks on;
  on.balance = BalancePanel{1, 2, "VH", "H70%", "C30%"};
  fillComputedPowers(on, t);
  EXPECT_EQ(on.balance, (BalancePanel{21, 6, "VH", "H70%", "C30%"}));
  EXPECT_EQ(on.powers, groupPowersOf(t));
}

}  // namespace
}  // namespace vesprin
