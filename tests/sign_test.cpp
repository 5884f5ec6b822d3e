#include "core/sign.h"

#include <gtest/gtest.h>

namespace vesprin {
namespace {

TEST(sign_test, steps_wrap_round_the_cycle_either_way) {
  struct Case {
    int sign, steps, stemSum, branchSum;  // Stem(sign) + steps, Branch(sign) + steps
  };
  const Case cases[] = {
      {10, 1, 1, 11},  {1, -1, 10, 12}, {1, 6, 7, 7},     {3, -25, 8, 2},  {5, 30, 5, 11},
      {7, 0, 7, 7},    {12, 1, 0, 1},   {4, 1000, 4, 8},  {1, -10, 1, 3},  {2, -1000, 2, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.sign) + " + " + std::to_string(c.steps));
    EXPECT_EQ((Stem(c.sign) + c.steps).number(), c.stemSum);
    EXPECT_EQ((Branch(c.sign) + c.steps).number(), c.branchSum);
    EXPECT_EQ(Branch(c.sign) - -c.steps, Branch(c.sign) + c.steps);
  }
  // A step and the distance undo each other, from any sign by any number of
  // steps, however far past zero it counts.
  for (int b = 1; b <= 12; ++b)
    for (int k = -40; k <= 40; ++k) {
      const Branch to = Branch(b) + k;
      ASSERT_TRUE(to.ok());
      ASSERT_EQ(to - Branch(b), ((k % 12) + 12) % 12) << b << " " << k;
      ASSERT_EQ(Branch(b) + (to - Branch(b)), to);
    }
  EXPECT_EQ(Stem(1) - Stem(10), 1);
  EXPECT_EQ(Stem(10) - Stem(1), 9);
  EXPECT_EQ(Stem::wrapping(0), Stem(10));
  EXPECT_EQ(Stem::wrapping(-21), Stem(9));
  EXPECT_EQ(Branch::wrapping(-12), Branch(12));
  EXPECT_EQ(wrapInto(0, 9), 9);
  EXPECT_EQ(wrapInto(-1, 9), 8);
}

TEST(sign_test, a_number_outside_the_cycle_is_no_sign) {
  for (int n : {0, -1, 11, 13, 99}) {
    EXPECT_FALSE(Stem(n).ok()) << n;
    EXPECT_EQ(Stem(n), Stem{}) << n;
    EXPECT_EQ(Branch(n).ok(), n == 11) << n;
  }
  EXPECT_EQ(Branch(13).number(), 0);
  // No sign stays no sign however far it steps.
  EXPECT_FALSE((Branch{} + 5).ok());
  EXPECT_FALSE((Stem{} - 1).ok());
  EXPECT_FALSE((Pillar{} + 1).ok());
  EXPECT_TRUE(Stem(9).yang());
  EXPECT_FALSE(Branch(12).yang());
}

TEST(sign_test, element_tables) {
  const Element stems[] = {Element::Wood,   Element::Wood, Element::Fire, Element::Fire,
                           Element::Ground, Element::Ground, Element::Gold, Element::Gold,
                           Element::Water,  Element::Water};
  for (int s = 1; s <= 10; ++s) EXPECT_EQ(StemElement(Stem(s)), stems[s - 1]) << s;
  const char* branches[] = {"Water", "Ground", "Wood", "Wood",   "Ground", "Fire",
                            "Fire",  "Ground", "Gold", "Gold",   "Ground", "Water"};
  for (int b = 1; b <= 12; ++b) EXPECT_EQ(elementName(BranchElement(Branch(b))), branches[b - 1]) << b;
  EXPECT_EQ(StemElement(Stem(0)), Element::None);
  EXPECT_EQ(BranchElement(Branch(13)), Element::None);
  // Wood controls Ground, Fire Gold, Ground Water, Gold Wood, Water Fire.
  const char* controlled[] = {"Ground", "Ground", "Gold", "Gold", "Water",
                              "Water",  "Wood",   "Wood", "Fire", "Fire"};
  for (int s = 1; s <= 10; ++s) EXPECT_EQ(elementName(ControlledElement(Stem(s))), controlled[s - 1]);
  EXPECT_EQ(ControlledElement(Stem(11)), Element::None);
  EXPECT_EQ(elementStep(Element::Wood, -1), Element::Water);
  EXPECT_EQ(elementStep(Element::Water, 11), Element::Wood);
  EXPECT_EQ(PrintElementName("Ground"), "Earth");
  EXPECT_EQ(PrintElementName("Gold"), "Metal");
  EXPECT_EQ(PrintElementName("Water"), "Water");
  EXPECT_EQ(PrintElementName("ground"), "ground");
  EXPECT_EQ(PrintElementName(""), "");
}

TEST(sign_test, treasury_and_hidden_stems) {
  const int treasury[] = {5, 5, 2, 2, 5, 5, 8, 8, 11, 11};
  for (int s = 1; s <= 10; ++s) EXPECT_EQ(TreasuryBranch(Stem(s)), Branch(treasury[s - 1]));
  EXPECT_FALSE(TreasuryBranch(Stem(0)).ok());
  EXPECT_FALSE(HiddenStems(Branch(7))[0].ok());
  EXPECT_EQ(HiddenStems(Branch(7))[2], Stem(4));
  for (int b = 1; b <= 12; ++b) {
    const auto hidden = HiddenStems(Branch(b));
    EXPECT_TRUE(hidden[1].ok()) << b;
    const bool onlyMiddle = b == 1 || b == 4 || b == 10;
    EXPECT_EQ(!hidden[0].ok() && !hidden[2].ok(), onlyMiddle) << b;
  }
  for (const Stem s : HiddenStems(Branch(13))) EXPECT_FALSE(s.ok());
  for (const Stem s : HiddenStems(Branch(0))) EXPECT_FALSE(s.ok());
}

TEST(sign_test, year_stem_rule_and_pillar_steps) {
  EXPECT_EQ(yearStemRule(Stem(1), Branch(4)), Stem(4));
  EXPECT_EQ(yearStemRule(Stem(1), Branch(2)), Stem(4));
  EXPECT_EQ(yearStemRule(Stem(10), Branch(12)), Stem(10));
  EXPECT_EQ(yearStemRule(Stem(1), Branch(3)), Stem(3));
  for (int y = 1; y <= 10; ++y)
    for (int b = 1; b <= 12; ++b) {
      const Pillar p{yearStemRule(Stem(y), Branch(b)), Branch(b)};
      EXPECT_TRUE(p.ok()) << y << "," << b;
      // The rule as it was first written down, with the year's Rat and Ox months
      // two stems on from the Tiger's count.
      int s = b >= 3 ? b + 2 * y - 2 : b + 2 * y;
      while (s > 10) s -= 10;
      EXPECT_EQ(p.stem, Stem(s)) << y << "," << b;
    }
  EXPECT_EQ(Pillar(1, 1) - 1, (Pillar{10, 12}));
  EXPECT_EQ(Pillar(5, 7) - 27, (Pillar{8, 4}));
  EXPECT_EQ(Pillar(5, 7) + 60, (Pillar{5, 7}));
  EXPECT_FALSE((Pillar{1, 2}.ok()));
  EXPECT_FALSE((Pillar{0, 0}.ok()));
  EXPECT_FALSE((Pillar{11, 1}.ok()));
}

}  // namespace
}  // namespace vesprin
