#include "interpret/child_sign.h"

#include <gtest/gtest.h>

namespace vesprin {
namespace {

TEST(child_sign_test, child_branch_of_a_woman_by_year_stem) {
  const auto branches = signs<Branch>(11, 12, 2, 3, 2, 3, 5, 6, 8, 9);
  for (int stem = 1; stem <= 10; ++stem) {
    EXPECT_EQ(FindChildSign("หญิง", Stem(stem)), branches[stem - 1]) << stem;
    // Only the woman's text itself names a child sign.
    for (const char* other : {"ชาย", "หญิง ", "", " หญิง", "female"})
      EXPECT_EQ(FindChildSign(other, Stem(stem)), std::nullopt) << stem << " '" << other << "'";
  }
}

TEST(child_sign_test, child_chance_below_chinese_age_46) {
  struct Case {
    const char* gender;
    int age;
    bool shown;
  };
  const Case cases[] = {
      {"หญิง", 1, true},  {"หญิง", 5, true},   {"หญิง", 9, true},  {"หญิง", 45, true},
      {"หญิง", 46, false}, {"หญิง", 100, false}, {"ชาย", 30, false}, {"หญิง ", 30, false},
  };
  for (const Case& c : cases) EXPECT_EQ(ChildChance(c.gender, c.age), c.shown) << c.gender << c.age;
}

}  // namespace
}  // namespace vesprin
