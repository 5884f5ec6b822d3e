#include "interpret/chart_patterns.h"

#include <gtest/gtest.h>

namespace vesprin {
namespace {

// Natal pillars with the given branches (year, month, day, time); each stem
// is the first of the branch's parity, which none of these rules reads.
NatalPillars withBranches(std::array<ZodiacBelow, 4> b) {
  const auto p = [](ZodiacBelow x) { return Pillar{x % 2 ? 1 : 2, x}; };
  return {p(b[0]), p(b[1]), p(b[2]), p(b[3])};
}

// Powers of Wood, Fire, Ground, Gold, Water.
ElementPowerTable withPowers(std::array<double, 5> power) {
  ElementPowerTable t;
  t.power = power;
  return t;
}

const ElementPowerTable kBalanced = withPowers({1, 1, 1, 1, 1});

TEST(chart_patterns_test, harmony_caption_and_line) {
  struct Case {
    std::array<ZodiacBelow, 4> branches;
    const char* caption;
    const char* line;  // nullptr: no line
  };
  const Case cases[] = {
      {{9, 1, 5, 3}, "*** ในดวงมี ไตรภาคีธาตุน้ำ ***", "- ในดวงมี ไตรภาคีธาตุน้ำ"},
      {{8, 12, 4, 4}, "*** ในดวงมี ไตรภาคีธาตุไม้ ***", "- ในดวงมี ไตรภาคีธาตุไม้"},
      {{11, 3, 7, 1}, "*** ในดวงมี ไตรภาคีธาตุไฟ ***", "- ในดวงมี ไตรภาคีธาตุไฟ"},
      {{2, 6, 10, 10}, "*** ในดวงมี ไตรภาคีธาตุทอง ***", "- ในดวงมี ไตรภาคีธาตุทอง"},
      {{12, 2, 1, 7}, "*** กลุ่มทิศธาตุน้ำ ***", "- กลุ่มทิศธาตุน้ำ"},
      {{5, 4, 3, 3}, "*** กลุ่มทิศธาตุไม้ ***", "- กลุ่มทิศธาตุไม้"},
      {{6, 7, 7, 8}, "*** กลุ่มทิศธาตุไฟ ***", "- กลุ่มทิศธาตุไฟ"},  // repeats count once
      {{11, 9, 10, 2}, "*** กลุ่มทิศธาตุทอง ***", "- กลุ่มทิศธาตุทอง"},
      {{1, 5, 5, 1}, "", nullptr},
      {{9, 1, 1, 9}, "", nullptr},
  };
  for (const Case& c : cases) {
    const ChartPatterns p = FindChartPatterns(withBranches(c.branches), kBalanced, Gender::Male);
    EXPECT_EQ(p.harmonyCaption, c.caption) << c.branches[0] << c.branches[1];
    EXPECT_EQ(harmonyLine(p).value_or("none"), c.line ? c.line : "none");
  }
}

TEST(chart_patterns_test, special_chart_counts_elements_with_power) {
  struct Case {
    std::array<double, 5> power;
    bool special;
  };
  const Case cases[] = {
      {{4, 3, 0, 13, 2}, false},  // four above 0: a transfer to exactly 0 does not count
      {{0, 3, 0, 13, 2}, true},
      {{0, 0, 0, 0, 40}, true},
      {{1, 1, 1, 1, 1}, false},
  };
  for (const Case& c : cases) {
    const ChartPatterns p = FindChartPatterns(withBranches({1, 2, 3, 5}), withPowers(c.power), Gender::Male);
    EXPECT_EQ(p.specialChart, c.special);
    const auto line = specialChartLine(p);
    EXPECT_EQ(line.value_or(""), c.special ? "- มีสิทธิเป็นดวงพิเศษ (ดวงตามกระแส)" : "");
  }
}

TEST(chart_patterns_test, branch_polarity) {
  struct Case {
    std::array<ZodiacBelow, 4> branches;
    BranchPolarity polarity;
    const char* name;
    const char* line;
  };
  const Case cases[] = {
      {{1, 3, 5, 7}, BranchPolarity::Yang, "yang", "- ราศีในดวงเป็นพลังเอี๊ยงทั้งหมด"},
      {{2, 2, 12, 8}, BranchPolarity::Yin, "yin", "- ราศีในดวงเป็นพลังอิมทั้งหมด"},
      {{1, 2, 3, 5}, BranchPolarity::Mixed, "mixed", ""},
      {{11, 11, 11, 12}, BranchPolarity::Mixed, "mixed", ""},
  };
  for (const Case& c : cases) {
    const ChartPatterns p = FindChartPatterns(withBranches(c.branches), kBalanced, Gender::Male);
    EXPECT_EQ(p.branchPolarity, c.polarity) << c.name;
    EXPECT_EQ(polarityName(p.branchPolarity), c.name);
    EXPECT_EQ(polarityLine(p).value_or(""), c.line);
  }
}

TEST(chart_patterns_test, pt_code_by_year_branch_and_gender) {
  // P male, P female, T male, T female, H by year branch 1..12.
  const int codes[12][5] = {
      {4, 8, 3, 2, 2},  {5, 6, 8, 11, 4}, {12, 5, 6, 9, 9}, {7, 3, 4, 10, 2},
      {2, 8, 3, 2, 4},  {3, 6, 8, 11, 9}, {10, 5, 6, 9, 2}, {11, 3, 4, 10, 4},
      {6, 8, 3, 2, 9},  {1, 6, 8, 11, 2}, {8, 5, 6, 9, 4},  {9, 3, 4, 10, 9},
  };
  for (int yb = 1; yb <= 12; ++yb) {
    const int* c = codes[yb - 1];
    const NatalPillars pillars = withBranches({yb, 1, 2, 3});
    const auto expect = [&](Gender gender, int p, int t) {
      const ChartPatterns r = FindChartPatterns(pillars, kBalanced, gender);
      const std::string line = "P" + std::to_string(p) + " / T" + std::to_string(t);
      EXPECT_EQ(r.codeLine, line) << yb << " " << static_cast<int>(gender);
      EXPECT_EQ(r.ptCode, line + " / H" + std::to_string(c[4])) << yb << " " << static_cast<int>(gender);
    };
    expect(Gender::Male, c[0], c[2]);
    expect(Gender::Female, c[1], c[3]);
  }
  EXPECT_EQ(FindChartPatterns(withBranches({3, 1, 2, 3}), kBalanced, Gender::Male).ptCode, "P12 / T6 / H9");
  const ChartPatterns woman4 = FindChartPatterns(withBranches({4, 1, 2, 3}), kBalanced, Gender::Female);
  EXPECT_EQ(woman4.ptCode, "P3 / T10 / H2");
  EXPECT_EQ(woman4.codeLine, "P3 / T10");
}

TEST(chart_patterns_test, birth_year_code) {
  struct Case {
    Gender gender;
    int year;
    ZodiacBelow yearBranch;
    int code;
  };
  const Case cases[] = {
      {Gender::Male, 2523, 9, 2},  {Gender::Male, 2523, 8, 3},  // born before the change of year: one more
      {Gender::Female, 2523, 9, 4}, {Gender::Female, 2523, 8, 3},  // a woman's code: one less
      {Gender::Male, 2453, 11, 9},  {Gender::Male, 2444, 2, 9},  {Gender::Male, 2444, 1, 1},  // 10 becomes 1
      {Gender::Female, 2444, 2, 6}, {Gender::Female, 2447, 5, 9}, {Gender::Female, 2448, 5, 9},  // 0 becomes 9
      {Gender::Male, 2300, 2, 9},  {Gender::Male, 2301, 3, 8},  {Gender::Male, 2301, 2, 9},  // before 2444
  };
  for (const Case& c : cases)
    EXPECT_EQ(birthYearCode(c.gender, c.year, c.yearBranch), c.code)
        << static_cast<int>(c.gender) << " " << c.year << " " << c.yearBranch;
}

}  // namespace
}  // namespace vesprin
