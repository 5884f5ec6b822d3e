#include "cycles/current_period.h"

#include <gtest/gtest.h>

#include "cycles/long_year_table.h"
#include "cycles/month_strip.h"
#include "present/texts/cycle_texts.h"

namespace vesprin {
namespace {

TEST(current_period_test, hundredths_in_plain_decimal) {
  struct Case {
    int hundredths;
    const char* text;
  };
  const Case cases[] = {{305, "3.05"}, {310, "3.1"}, {700, "7"}, {255105, "2551.05"},
                        {0, "0"},      {1211, "12.11"}, {-5, "-0.05"}, {-300, "-3"}};
  for (const Case& c : cases) EXPECT_EQ(hundredthsText(c.hundredths), c.text) << c.hundredths;
}

struct Luck {
  std::array<int, 10> on{}, below{};
  std::array<Pillar, 10> pillars{};
};

// Start age Y; pillars of a forward cycle from month pillar (3, 3).
Luck luckFrom(int startYears) {
  Luck l;
  for (int k = 0; k < 10; ++k) {
    l.on[k] = startYears + 10 * k;
    l.below[k] = startYears + 10 * k + 5;
    l.pillars[k] = Pillar{3, 3} + (k + 1);
  }
  return l;
}

TEST(current_period_test, half_period_holding_the_age) {
  struct Case {
    const char* startText;
    int age;
    std::optional<HalfPeriod> half;
    bool before;
    const char* periodText;
    std::optional<int> next;
    const char* element;
  };
  using H = HalfPart;
  const Case cases[] = {
      {"3.05", 35, HalfPeriod{4, H::On}, false,
       "(พ.ศ.2551-2555) อายุจีน 33 - 37 ปัจจุบัน 2553 อายุจีน 35 ปี", 2556, "ทอง"},
      {"3.05", 37, HalfPeriod{4, H::On}, false,
       "(พ.ศ.2549-2553) อายุจีน 33 - 37 ปัจจุบัน 2553 อายุจีน 37 ปี", 2554, "ทอง"},
      {"3.05", 38, HalfPeriod{4, H::Below}, false,
       "(พ.ศ.2553-2557) อายุจีน 38 - 42 ปัจจุบัน 2553 อายุจีน 38 ปี", 2558, "ไฟ"},
      {"3.05", 5, HalfPeriod{1, H::On}, false,
       "(พ.ศ.2551.05-2555.05) อายุจีน 3.05 - 7.05 ปัจจุบัน 2553 อายุจีน 5 ปี", 2556, "ไฟ"},
      {"3.05", 3, HalfPeriod{1, H::On}, false,
       "(พ.ศ.2553.05-2557.05) อายุจีน 3.05 - 7.05 ปัจจุบัน 2553 อายุจีน 3 ปี", 2558, "ไฟ"},
      {"3.05", 7, HalfPeriod{1, H::On}, false,
       "(พ.ศ.2549.05-2553.05) อายุจีน 3.05 - 7.05 ปัจจุบัน 2553 อายุจีน 7 ปี", 2554, "ไฟ"},
      {"3.05", 8, HalfPeriod{1, H::Below}, false,
       "(พ.ศ.2553-2557) อายุจีน 8 - 12 ปัจจุบัน 2553 อายุจีน 8 ปี", 2558, "ไม้"},
      {"3.00", 5, HalfPeriod{1, H::On}, false,
       "(พ.ศ.2551-2555) อายุจีน 3.00 - 7 ปัจจุบัน 2553 อายุจีน 5 ปี", 2556, "ไฟ"},
      {"12.10", 14, HalfPeriod{1, H::On}, false,
       "(พ.ศ.2551.1-2555.1) อายุจีน 12.10 - 16.1 ปัจจุบัน 2553 อายุจีน 14 ปี", 2556, "ไฟ"},
      {"3.05", 2, std::nullopt, true, "", std::nullopt, ""},
      {"12.10", 11, std::nullopt, true, "", std::nullopt, ""},
      {"3.05", 93, HalfPeriod{10, H::On}, false,
       "(พ.ศ.2553-2557) อายุจีน 93 - 97 ปัจจุบัน 2553 อายุจีน 93 ปี", 2558, "ไฟ"},
      {"3.05", 102, HalfPeriod{10, H::Below}, false,
       "(พ.ศ.2549-2553) อายุจีน 98 - 102 ปัจจุบัน 2553 อายุจีน 102 ปี", 2554, "น้ำ"},
      {"3.05", 103, std::nullopt, false, "", std::nullopt, ""},
  };
  for (const Case& c : cases) {
    // "3.05": three years and month code 5.
    const std::string text = c.startText;
    const LuckStart first{std::stoi(text), std::stoi(text.substr(text.find('.') + 1))};
    const Luck l = luckFrom(first.years);
    const CurrentPeriod p = findCurrentPeriod(l.on, l.below, first, c.age, 2553, l.pillars);
    const CurrentPeriodTexts t = currentPeriodTexts(p, first, c.age, 2553);
    const std::string what = text + " age " + std::to_string(c.age);
    EXPECT_EQ(p.half, c.half) << what;
    EXPECT_EQ(p.beforeFirstPillar, c.before) << what;
    EXPECT_EQ(t.periodText, c.periodText) << what;
    EXPECT_EQ(p.nextStartYear, c.next) << what;
    EXPECT_EQ(t.elementName, c.element) << what;
  }
}

TEST(current_period_test, long_year_table) {
  // Born 2521 in year pillar (5, 7): Chinese age 33 in 2553.
  const LongYearTable t = computeLongYearTable({5, 7}, 2553, 33);
  EXPECT_EQ(t.beYears[0], 2521);
  EXPECT_EQ(t.beYears[1], 2531);
  EXPECT_EQ(t.beYears[11], 2631);
  EXPECT_EQ(t.ceYears[0], 1978);
  EXPECT_EQ(t.ceYears[11], 2088);
  const auto stems = signs<Stem>(5, 6, 7, 8, 9, 10, 1, 2, 3, 4);
  for (int c = 0; c < 10; ++c) EXPECT_EQ(t.stems[c], stems[c]) << c + 1;
  for (int k = 0; k < 60; ++k) EXPECT_EQ(t.branches[k], Branch(7) + k) << k + 1;
  EXPECT_EQ(t.branches[5], Branch(12));
  EXPECT_EQ(t.branches[6], Branch(1));
}

TEST(current_period_test, month_strip_from_the_birth_record) {
  std::vector<std::string> record(8, "x");
  record.insert(record.end(), {"0102", "2553", "2010"});
  const auto strip = readMonthStrip(record);
  ASSERT_TRUE(strip);
  // January (1, 2) ... October (10, 11), November (1, 12), December (2, 1).
  const int stems[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1, 2};
  const int branches[] = {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1};
  for (int m = 0; m < 12; ++m) {
    EXPECT_EQ(strip->stems[m], Stem(stems[m])) << m + 1;
    EXPECT_EQ(strip->branches[m], Branch(branches[m])) << m + 1;
  }
  EXPECT_EQ(strip->beYearText, "2553");
  EXPECT_EQ(strip->ceYearText, "2010");

  struct Case {
    const char* what;
    std::vector<std::string> lines;
    bool read;
  };
  const std::vector<std::string> head(8, "x");
  auto with = [&](std::vector<std::string> tail) {
    std::vector<std::string> l = head;
    l.insert(l.end(), tail.begin(), tail.end());
    return l;
  };
  const Case cases[] = {
      {"no line 8", head, false},
      {"line 8 empty", with({""}), false},
      {"line 8 short", with({"010"}), false},
      {"not digits", with({"01x2"}), false},
      {"stem 11", with({"1102"}), false},
      {"stem 00", with({"0002"}), false},
      {"branch 13", with({"0113"}), false},
      {"stem 10 branch 12", with({"1012 "}), true},
      {"lines 9 and 10 missing", with({"0304"}), true},
  };
  for (const Case& c : cases) EXPECT_EQ(readMonthStrip(c.lines).has_value(), c.read) << c.what;
  const auto bare = readMonthStrip(with({"0304"}));
  EXPECT_EQ(bare->beYearText, "");
  EXPECT_EQ(bare->ceYearText, "");
}

}  // namespace
}  // namespace vesprin
