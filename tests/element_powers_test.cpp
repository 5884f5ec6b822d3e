#include "interpret/element_powers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vesprin {
namespace {

constexpr Element Wood = Element::Wood, Fire = Element::Fire, Ground = Element::Ground,
                  Gold = Element::Gold, Water = Element::Water;

TEST(element_powers_test, season_weights_by_month_branch) {
  // Weights of Wood, Fire, Ground, Gold, Water for each month branch.
  const std::array<std::array<int, 5>, 12> weights = {{
      {4, 1, 2, 3, 5}, {2, 3, 5, 4, 1}, {5, 4, 1, 2, 3}, {5, 4, 1, 2, 3},
      {2, 3, 5, 4, 1}, {3, 5, 4, 1, 2}, {3, 5, 4, 1, 2}, {2, 3, 5, 4, 1},
      {1, 2, 3, 5, 4}, {1, 2, 3, 5, 4}, {2, 3, 5, 4, 1}, {4, 1, 2, 3, 5},
  }};
  for (int mb = 1; mb <= 12; ++mb)
    for (Element e : kElements)
      EXPECT_EQ(SeasonWeight(Branch(mb), e), weights[mb - 1][elementIndex(e)]) << mb << " " << elementName(e);
}

TEST(element_powers_test, season_names_are_calendar_seasons) {
  const char* names[] = {"หนาว",   "หนาว",   "ใบไม้ผลิ", "ใบไม้ผลิ", "ใบไม้ผลิ", "ร้อน",
                         "ร้อน",   "ร้อน",   "ใบไม้ร่วง", "ใบไม้ร่วง", "ใบไม้ร่วง", "หนาว"};
  for (int mb = 1; mb <= 12; ++mb) EXPECT_EQ(SeasonName(Branch(mb)), names[mb - 1]) << mb;
  // Branch 2 weighs as a Ground month and is named a cold one.
  EXPECT_EQ(SeasonWeight(Branch(2), Ground), 5);
}

TEST(element_powers_test, amount_text) {
  struct Case {
    double amount;
    const char* text;
  };
  const Case cases[] = {
      {3, "3"},     {2.5, "2.5"}, {3.25, "3.3"}, {1.6667, "1.7"}, {0.5, ".5"},  {0, "0"},
      {0.04, "0"},  {8, "8"},     {12.0 / 5, "2.4"}, {1.0 / 3, ".3"}, {2.0 / 3, ".7"},
      {0.25, ".3"}, {10.75, "10.8"}, {40, "40"},
  };
  for (const Case& c : cases) EXPECT_EQ(amountText(c.amount), c.text) << c.amount;
  EXPECT_EQ(powerText(0), "0");
  EXPECT_EQ(powerText(13), "13");
}

TEST(element_powers_test, roles_follow_the_day_master) {
  // Roles 1..5 for day stems 1..10.
  const std::array<std::array<Element, 5>, 5> layouts = {{
      {Wood, Fire, Ground, Gold, Water},
      {Fire, Ground, Gold, Water, Wood},
      {Ground, Gold, Water, Wood, Fire},
      {Gold, Water, Wood, Fire, Ground},
      {Water, Wood, Fire, Ground, Gold},
  }};
  for (int ds = 1; ds <= 10; ++ds) {
    const Pillar day{ds, ds % 2 ? 1 : 2};
    const ElementPowerTable t = ComputeElementPowers({{1, 1}, {1, 1}, day, {1, 1}});
    EXPECT_EQ(t.roleElement, layouts[(ds - 1) / 2]) << ds;
    EXPECT_EQ(t.elementOf(ElementRole::Support), layouts[(ds - 1) / 2][4]);
  }
}

TEST(element_powers_test, counts_weights_and_transfers) {
  struct Case {
    const char* what;
    NatalPillars pillars;
    std::array<double, 5> count, power;  // Wood, Fire, Ground, Gold, Water
  };
  const Case cases[] = {
      {"Fire month, no trio", {{1, 1}, {3, 7}, {3, 3}, {9, 1}}, {2, 3, 0, 0, 3}, {6, 15, 0, 0, 6}},
      {"all Water", {{9, 1}, {9, 1}, {10, 12}, {10, 12}}, {0, 0, 0, 0, 8}, {0, 0, 0, 0, 40}},
      // Gold month in a Water trio: the month member moves 5, the day member
      // one weighted Ground sign (3) that arrives as one Water weight (4).
      {"Water trio, member in month", {{1, 1}, {7, 9}, {5, 5}, {3, 3}}, {2, 1, 2, 2, 1},
       {2, 2, 3, 5, 13}},
      {"Water trio, member in two pillars moves once", {{1, 1}, {7, 9}, {5, 5}, {5, 5}},
       {1, 0, 4, 2, 1}, {1, 0, 9, 5, 13}},
      // Water month: year member Gold -3 / Water +5, time member Ground -2 / Water +5.
      {"Water trio, main member in month", {{7, 9}, {9, 1}, {2, 2}, {5, 5}}, {1, 0, 3, 2, 2},
       {4, 0, 4, 3, 20}},
      // Ground month in a Gold trio: the month member's whole power goes.
      {"Gold trio, member in month", {{10, 10}, {2, 2}, {4, 6}, {1, 1}}, {2, 2, 1, 1, 2},
       {4, 3, 0, 13, 2}},
      {"no time pillar yet", {{9, 1}, {9, 1}, {10, 12}, {0, 0}}, {0, 0, 0, 0, 6}, {0, 0, 0, 0, 30}},
      {"two trio branches and a repeat", {{7, 9}, {9, 1}, {9, 1}, {7, 9}}, {0, 0, 0, 4, 4},
       {0, 0, 0, 12, 20}},
  };
  for (const Case& c : cases) {
    const ElementPowerTable t = ComputeElementPowers(c.pillars);
    EXPECT_EQ(t.count, c.count) << c.what;
    EXPECT_EQ(t.power, c.power) << c.what;
    for (Element e : kElements)
      EXPECT_EQ(t.weightOf(e), SeasonWeight(c.pillars.month.branch, e)) << c.what;
  }
}

TEST(element_powers_test, amounts_of_the_worked_charts) {
  // Fire day master in a Fire month: every amount equals the plain count.
  const ElementPowerTable fire = ComputeElementPowers({{1, 1}, {3, 7}, {3, 3}, {9, 1}});
  for (Element e : kElements)
    EXPECT_EQ(amountText(fire.powerOf(e) / fire.weightOf(e)), powerText(fire.countOf(e)));
  const ElementPowerTable water = ComputeElementPowers({{1, 1}, {7, 9}, {5, 5}, {3, 3}});
  EXPECT_EQ(amountText(water.powerOf(Water) / water.weightOf(Water)), "3.3");
}

TEST(element_powers_test, every_chart_counts_eight_signs_and_keeps_whole_powers) {
  std::array<Pillar, 60> all;
  for (int i = 0; i < 60; ++i) all[i] = {i % 10 + 1, i % 12 + 1};
  const Pillar outer[] = {{1, 1}, {6, 2}, {3, 9}, {10, 12}, {5, 7}};
  for (const Pillar& month : all)
    for (const Pillar& day : all)
      for (const Pillar& other : outer) {
        const ElementPowerTable t = ComputeElementPowers({other, month, day, outer[4]});
        double signs = 0;
        for (int i = 0; i < 5; ++i) {
          signs += t.count[i];
          ASSERT_GE(t.power[i], 0);
          ASSERT_EQ(t.power[i], std::floor(t.power[i]));
        }
        ASSERT_EQ(signs, 8);
      }
}

TEST(element_powers_test, summary_texts) {
  // Fire day master: roles Fire 15, Ground 0, Gold 0, Water 6, Wood 6. The
  // tooltip names the support first, the print caption the day master first.
  const ElementPowerTable t = ComputeElementPowers({{1, 1}, {3, 7}, {3, 3}, {9, 1}});
  EXPECT_EQ(t.summaryHint,
            "กลุ่มดิถี\r  ส่งเสริม ธาตุไม้  กำลัง 6\r  ดิถี ธาตุไฟ  กำลัง 15\r  รวมกำลัง: 21\r"
            "กลุ่มบริวาร\r  ถ่ายเท ธาตุดิน  กำลัง 0\r  ลาภ ธาตุทอง  กำลัง 0\r"
            "  ขุนนาง ธาตุน้ำ  กำลัง 6\r  รวมกำลัง: 6");
  EXPECT_EQ(t.summaryLine,
            "กลุ่มดิถี ธาตุไฟ กำลัง 15 ธาตุไม้ กำลัง 6 (รวมกำลัง 21)\r"
            "กลุ่มบริวาร ธาตุดิน กำลัง 0 ธาตุทอง กำลัง 0 ธาตุน้ำ กำลัง 6 (รวมกำลัง 6)");
  EXPECT_EQ(t.season, "ร้อน");
}

}  // namespace
}  // namespace vesprin
