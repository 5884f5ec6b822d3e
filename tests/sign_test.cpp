#include "core/sign.h"

#include <gtest/gtest.h>

namespace vesprin {
namespace {

TEST(sign_test, cycle_arithmetic_wraps_any_step) {
  struct Case {
    int n, d, mode, add, sub;
  };
  // add = CycleAdd(n, d, mode), sub = CycleSub(n, d, mode)
  const Case cases[] = {
      {10, 1, 1, 1, 9},  {12, 1, 2, 1, 11}, {1, 6, 2, 7, 7},   {3, -25, 2, 2, 4},
      {1, 1, 1, 2, 10},  {1, 1, 2, 2, 12},  {5, 30, 1, 5, 5},  {7, 0, 0, 7, 7},
      {7, 12, 7, 7, 7},  {1, -1, 1, 10, 2}, {4, 1000, 2, 8, 12},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CycleAdd(c.n, c.d, c.mode), c.add) << c.n << "+" << c.d << " mode " << c.mode;
    EXPECT_EQ(CycleSub(c.n, c.d, c.mode), c.sub) << c.n << "-" << c.d << " mode " << c.mode;
  }
  for (int mode : {0, 1, 2, 7})
    for (int n = -30; n <= 30; ++n)
      for (int d = -40; d <= 40; ++d) {
        const int r = CycleAdd(n, d, mode);
        ASSERT_GE(r, 1);
        ASSERT_LE(r, mode == 1 ? 10 : 12);
        ASSERT_EQ((r - n - d) % (mode == 1 ? 10 : 12), 0);
      }
}

TEST(sign_test, element_tables) {
  const Element stems[] = {Element::Wood,   Element::Wood, Element::Fire, Element::Fire,
                           Element::Ground, Element::Ground, Element::Gold, Element::Gold,
                           Element::Water,  Element::Water};
  for (int s = 1; s <= 10; ++s) EXPECT_EQ(StemElement(s), stems[s - 1]) << s;
  const char* branches[] = {"Water", "Ground", "Wood", "Wood",   "Ground", "Fire",
                            "Fire",  "Ground", "Gold", "Gold",   "Ground", "Water"};
  for (int b = 1; b <= 12; ++b) EXPECT_EQ(elementName(BranchElement(b)), branches[b - 1]) << b;
  EXPECT_EQ(StemElement(0), Element::None);
  EXPECT_EQ(BranchElement(13), Element::None);
  // Wood controls Ground, Fire Gold, Ground Water, Gold Wood, Water Fire.
  const char* controlled[] = {"Ground", "Ground", "Gold", "Gold", "Water",
                              "Water",  "Wood",   "Wood", "Fire", "Fire"};
  for (int s = 1; s <= 10; ++s) EXPECT_EQ(elementName(ControlledElement(s)), controlled[s - 1]);
  EXPECT_EQ(ControlledElement(11), Element::None);
  EXPECT_EQ(PrintElementName("Ground"), "Earth");
  EXPECT_EQ(PrintElementName("Gold"), "Metal");
  EXPECT_EQ(PrintElementName("Water"), "Water");
  EXPECT_EQ(PrintElementName("ground"), "ground");
  EXPECT_EQ(PrintElementName(""), "");
  EXPECT_TRUE(ElementTemperament(9).starts_with("ธาตุน้ำ คือ ปัญญาธรรม"));
  EXPECT_EQ(ElementTemperament(0), "");
}

TEST(sign_test, branch_names_treasury_and_hidden_stems) {
  EXPECT_EQ(BranchThaiName(1), "ชวด");
  EXPECT_EQ(BranchThaiName(12), "กุน");
  EXPECT_EQ(BranchThaiName(0), "");
  EXPECT_EQ(BranchThaiName(13), "");
  const int treasury[] = {5, 5, 2, 2, 5, 5, 8, 8, 11, 11};
  for (int s = 1; s <= 10; ++s) EXPECT_EQ(TreasuryBranch(s), treasury[s - 1]);
  EXPECT_EQ(TreasuryBranch(0), 0);
  EXPECT_EQ(HiddenStem1(7), 0);
  EXPECT_EQ(HiddenStem3(7), 4);
  for (int b = 1; b <= 12; ++b) {
    EXPECT_GE(HiddenStem2(b), 1);
    EXPECT_LE(HiddenStem2(b), 10);
    const bool onlyMiddle = b == 1 || b == 4 || b == 10;
    EXPECT_EQ(HiddenStem1(b) == 0 && HiddenStem3(b) == 0, onlyMiddle) << b;
  }
  EXPECT_EQ(HiddenStem1(13), 0);
  EXPECT_EQ(HiddenStem2(0), 0);
}

TEST(sign_test, year_stem_rule_and_pillar_steps) {
  EXPECT_EQ(yearStemRule(1, 4), 4);
  EXPECT_EQ(yearStemRule(1, 2), 4);
  EXPECT_EQ(yearStemRule(10, 12), 10);
  EXPECT_EQ(yearStemRule(1, 3), 3);
  for (int y = 1; y <= 10; ++y)
    for (int b = 1; b <= 12; ++b) EXPECT_TRUE((Pillar{yearStemRule(y, b), b}.ok())) << y << "," << b;
  EXPECT_EQ(pillarAdd({1, 1}, -1), (Pillar{10, 12}));
  EXPECT_EQ(pillarAdd({5, 7}, -27), (Pillar{8, 4}));
  EXPECT_FALSE((Pillar{1, 2}.ok()));
  EXPECT_FALSE((Pillar{0, 0}.ok()));
}

}  // namespace
}  // namespace vesprin
