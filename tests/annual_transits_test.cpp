#include "cycles/annual_transits.h"

#include <gtest/gtest.h>

namespace vesprin {
namespace {

// Year pillars: 2529 (3, 3), 2530 (4, 4), 2552 (6, 2), 2553 (7, 3), 2453 (7, 11).
TEST(annual_transits_test, chinese_age_counts_solar_new_years) {
  struct Case {
    const char* what;
    Pillar birthPillar;
    int birthYear;
    Pillar currentPillar;
    int age;
    bool known;
  };
  const Case cases[] = {
      {"born 2530 after the new year", {4, 4}, 2530, {7, 3}, 24, true},
      {"born 2530 before the new year", {3, 3}, 2530, {7, 3}, 25, true},
      {"born this year after the new year", {7, 3}, 2553, {7, 3}, 1, true},
      {"born this year before the new year", {6, 2}, 2553, {7, 3}, 2, true},
      {"a hundred years on the pillar repeats twice", {7, 11}, 2453, {7, 3}, 101, true},
      {"current pillar missing", {4, 4}, 2530, {0, 0}, 211 + 6, false},
  };
  for (const Case& c : cases) {
    const AnnualTransits t = computeAnnualTransits(c.birthPillar, c.birthYear, 2553, c.currentPillar,
                                                   {5, 7}, 3);
    EXPECT_EQ(t.chineseAge, c.age) << c.what;
    EXPECT_EQ(t.chineseAgeKnown, c.known) << c.what;
  }
}

// Birth pillars that give a wanted Chinese age in 2553 (current pillar (7, 3)).
AnnualTransits transitsAtAge(int age, int startYears, Pillar ascendant = {5, 7}) {
  const Pillar birth = Pillar{7, 3} - (age - 1);
  const AnnualTransits t = computeAnnualTransits(birth, 2553 - age + 1, 2553, {7, 3}, ascendant, startYears);
  EXPECT_EQ(t.chineseAge, age);
  return t;
}

TEST(annual_transits_test, window_aligns_on_the_five_year_marks) {
  struct Case {
    const char* what;
    int startYears, age;
    int firstAge, offset;
    std::optional<int> column;
  };
  const Case cases[] = {
      {"age just past a mark", 3, 33, 28, 5, 6},
      {"last year before the next mark", 3, 37, 28, 9, 10},
      {"age equal to a mark", 3, 38, 33, 5, 6},
      {"age equal to the start", 3, 3, -2, 5, 6},
      {"age before the start", 3, 2, -2, 4, std::nullopt},
      {"age before the window", 8, 2, 3, -1, std::nullopt},
      {"start 0", 0, 1, -5, 6, 7},
      {"beyond the tenth pillar", 3, 110, 103, 7, 8},
  };
  for (const Case& c : cases) {
    const AnnualTransits t = transitsAtAge(c.age, c.startYears);
    EXPECT_EQ(t.firstAge, c.firstAge) << c.what;
    EXPECT_EQ(t.offset, c.offset) << c.what;
    EXPECT_EQ(t.currentColumn, c.column) << c.what;
    for (int j = 0; j < kTransitColumns; ++j) {
      EXPECT_EQ(t.ages[j], c.firstAge + j) << c.what;
      EXPECT_EQ(t.years[j], 2553 - c.offset + j) << c.what;
      // Each column carries the pillar of its own year.
      EXPECT_EQ(t.pillars[j], (Pillar{7, 3} + (j - c.offset))) << c.what << " column " << j + 1;
    }
  }
}

TEST(annual_transits_test, transit_ascendant_steps_back_a_pillar_a_year) {
  struct Case {
    int age;          // Chinese age of the column
    Pillar expected;  // with ascendant (5, 7)
  };
  const Case cases[] = {
      {1, {5, 7}}, {3, {3, 5}}, {28, {8, 4}}, {11, {5, 9}}, {13, {3, 7}}, {61, {5, 7}}, {0, {6, 8}},
  };
  // Windows of ages -2..12, 8..22, 28..42 and 53..67 cover the rows.
  const AnnualTransits early = transitsAtAge(3, 3);
  const AnnualTransits mid = transitsAtAge(13, 3);
  const AnnualTransits late = transitsAtAge(33, 3);
  const AnnualTransits old = transitsAtAge(60, 3);
  for (const Case& c : cases) {
    bool seen = false;
    for (const AnnualTransits* t : {&early, &mid, &late, &old})
      for (int j = 0; j < kTransitColumns; ++j)
        if (t->ages[j] == c.age) {
          EXPECT_EQ(t->transitAscendants[j], c.expected) << "age " << c.age;
          seen = true;
        }
    EXPECT_TRUE(seen) << "age " << c.age;
  }
}

}  // namespace
}  // namespace vesprin
