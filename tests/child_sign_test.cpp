#include "interpret/child_sign.h"

#include <gtest/gtest.h>

namespace vesprin {
namespace {

TEST(child_sign_test, child_branch_of_a_woman_by_year_stem) {
  const ZodiacBelow branches[] = {11, 12, 2, 3, 2, 3, 5, 6, 8, 9};
  for (int stem = 1; stem <= 10; ++stem) {
    EXPECT_EQ(FindChildSign(Gender::Female, stem), branches[stem - 1]) << stem;
    // A man's chart has no child sign.
    EXPECT_EQ(FindChildSign(Gender::Male, stem), std::nullopt) << stem;
  }
}

TEST(child_sign_test, child_chance_below_chinese_age_46) {
  struct Case {
    Gender gender;
    int age;
    bool shown;
  };
  const Case cases[] = {
      {Gender::Female, 1, true},   {Gender::Female, 5, true},    {Gender::Female, 9, true},
      {Gender::Female, 45, true},  {Gender::Female, 46, false},  {Gender::Female, 100, false},
      {Gender::Male, 30, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ChildChance(c.gender, c.age), c.shown) << static_cast<int>(c.gender) << " " << c.age;
}

}  // namespace
}  // namespace vesprin
