#include "cycles/luck_cycle.h"

#include <gtest/gtest.h>

#include "calendar_builder.h"
#include "present/texts/cycle_texts.h"

#include <cstdio>
#include <map>

#include "core/civil_date.h"

namespace vesprin {
namespace {

// A calendar of `days` consecutive days from 1 January 2530 (header at
// position 0, the first day at position 1) whose festival marks sit at the
// given positions.
CalendarFile calendar(int days, const std::map<int, const char*>& marks) {
  std::vector<std::string> lines{"header"};
  const std::int64_t first = daysFromCivil({1987, 1, 1});
  Pillar month{3, 3};
  for (int pos = 1; pos <= days; ++pos) {
    const CivilDate d = civilFromDays(first + pos - 1);
    const Pillar day = Pillar{5, 7} + (pos - 1);  // one step of the cycle a day
    const auto m = marks.find(pos);
    if (m != marks.end() && std::string(m->second) == "**") month = month + 1;
    char line[64];
    std::snprintf(line, sizeof line, "%04d %02d %02d 0404 %02d%02d %02d%02d 05:00",
                  d.year + kBuddhistEraOffset, d.month, d.day, month.stem.number(), month.branch.number(), day.stem.number(),
                  day.branch.number());
    std::string text = line;
    if (m != marks.end()) text += std::string(" ") + m->second;
    lines.push_back(text);
  }
  auto load = CalendarFile::fromLines("fixture", lines);
  EXPECT_TRUE(load.file) << load.error;
  return *load.file;
}

TEST(luck_cycle_test, worked_example_male_odd_year) {
  // Not a festival day, seven days before the next large festival.
  const CalendarFile cal = calendar(200, {{120, "**"}, {137, "**"}, {130, "*"}});
  const LuckCycle c = computeLuckCycle(Stem(1), {3, 3}, Gender::Male, cal, 130, ClockTime{3, 0}, {10, 15});
  EXPECT_EQ(c.parity, Parity::Odd);
  EXPECT_EQ(c.direction, LuckDirection::Go);
  for (int k = 1; k <= 10; ++k)
    EXPECT_EQ(c.pillars[k - 1], (Pillar{Stem(3) + k, Branch(3) + k})) << k;
  EXPECT_EQ(c.pillars[0], (Pillar{4, 4}));
  EXPECT_EQ(c.pillars[9], (Pillar{3, 1}));
  EXPECT_EQ(c.monthStrengthDays, 10);
  EXPECT_EQ(c.festivalDays, 7);
  EXPECT_TRUE(c.monthStrengthKnown);
  EXPECT_TRUE(c.festivalKnown);
  EXPECT_EQ(c.startYears, 2);
  EXPECT_EQ(c.startMonthCode, 5);
  EXPECT_EQ(luckStartText({c.startYears, c.startMonthCode}), "2.05");
  EXPECT_EQ(startMonthName(c.startMonthCode), "ก.ค.");
  for (int k = 1; k <= 10; ++k) {
    EXPECT_EQ(c.onAges[k - 1], 2 + 10 * (k - 1));
    EXPECT_EQ(c.belowAges[k - 1], 7 + 10 * (k - 1));
  }
}

TEST(luck_cycle_test, direction_by_gender_and_year_parity) {
  struct Case {
    int yearStem;
    Gender gender;
    LuckDirection direction;
    const char* text;
  };
  const Case cases[] = {
      {1, Gender::Male, LuckDirection::Go, "go"},       {9, Gender::Male, LuckDirection::Go, "go"},
      {2, Gender::Male, LuckDirection::Back, "back"},   {10, Gender::Male, LuckDirection::Back, "back"},
      {3, Gender::Female, LuckDirection::Back, "back"}, {4, Gender::Female, LuckDirection::Go, "go"},
  };
  const CalendarFile cal = calendar(200, {{120, "**"}, {150, "**"}});
  for (const Case& c : cases) {
    const LuckCycle l = computeLuckCycle(Stem(c.yearStem), {3, 3}, c.gender, cal, 130, std::nullopt, {10, 0});
    EXPECT_EQ(l.direction, c.direction) << c.yearStem << " " << static_cast<int>(c.gender);
    EXPECT_EQ(directionText(l.direction), c.text);
    EXPECT_EQ(parityText(l.parity), c.yearStem % 2 ? "odd" : "even");
    // Back counts to the previous festival.
    EXPECT_EQ(l.festivalDays, c.direction == LuckDirection::Go ? 20 : 10);
    if (c.direction == LuckDirection::Back) {
      EXPECT_EQ(l.pillars[0], (Pillar{2, 2}));
    }
  }
}

TEST(luck_cycle_test, festival_walks) {
  struct Case {
    const char* what;
    int birthLine;
    const char* festivalStart;
    const char* time;
    int monthStrength, festivalDays;  // with direction "go"
    bool strengthKnown, festivalKnown;
  };
  // Large festivals at 20, 120, 150 and 180 of 200 days; a small one at 170.
  const Case cases[] = {
      {"between festivals", 130, "05:00", "10:00", 10, 20, true, true},
      {"festival day at the festival hour", 150, "03:00", "03:00", 1, 30, true, true},
      {"festival day before the festival hour", 150, "03:00", "02:59", 30, 1, true, true},
      {"festival hour 0 gives no start: always after", 150, "", "00:00", 1, 30, true, true},
      {"festival hour 24 starts the day", 150, "00:00", "00:00", 1, 30, true, true},
      {"23:30 the day before reads 00:30, before 23:00", 150, "23:00", "00:30", 30, 1, true, true},
      {"a small festival does not stop the walk", 165, "", "10:00", 15, 15, true, true},
      {"no festival back to the first day", 10, "", "10:00", 9, 10, false, true},
      {"the first day itself", 1, "", "10:00", 0, 19, false, true},
      {"no festival up to the last day", 190, "", "10:00", 10, 10, true, false},
      {"the last day itself", 200, "", "10:00", 20, 0, true, false},
      {"outside the day lines", 201, "", "10:00", 0, 0, false, false},
      {"the header is no day", 0, "", "10:00", 0, 0, false, false},
  };
  const CalendarFile cal = calendar(200, {{20, "**"}, {120, "**"}, {150, "**"}, {170, "*"}, {180, "**"}});
  for (const Case& c : cases) {
    const LuckCycle l = computeLuckCycle(Stem(1), {3, 3}, Gender::Male, cal, c.birthLine,
                                         testing::clockAt(c.festivalStart), *testing::clockAt(c.time));
    EXPECT_EQ(l.monthStrengthDays, c.monthStrength) << c.what;
    EXPECT_EQ(l.festivalDays, c.festivalDays) << c.what;
    EXPECT_EQ(l.monthStrengthKnown, c.strengthKnown) << c.what;
    EXPECT_EQ(l.festivalKnown, c.festivalKnown) << c.what;
  }
}

TEST(luck_cycle_test, walks_stop_on_arriving_at_position_100) {
  struct Case {
    const char* what;
    int birthLine;
    int monthStrength, festivalDays;
  };
  // Large festivals at 60 and 140 only.
  const Case cases[] = {
      {"backward from beyond 100", 130, 30, 10},
      {"forward from before 100", 90, 30, 10},
      {"starting on 100 walks past it", 100, 40, 40},
  };
  const CalendarFile cal = calendar(200, {{60, "**"}, {140, "**"}});
  for (const Case& c : cases) {
    const LuckCycle l = computeLuckCycle(Stem(1), {3, 3}, Gender::Male, cal, c.birthLine, std::nullopt, {10, 0});
    EXPECT_EQ(l.monthStrengthDays, c.monthStrength) << c.what;
    EXPECT_EQ(l.festivalDays, c.festivalDays) << c.what;
    EXPECT_TRUE(l.monthStrengthKnown && l.festivalKnown) << c.what;
  }
}

TEST(luck_cycle_test, start_age_from_festival_days_and_month) {
  struct Case {
    int festivalDays;
    int monthBranch;
    int years, monthCode;
    const char* text;
    const char* monthName;
  };
  const Case cases[] = {
      {7, 3, 2, 5, "2.05", "ก.ค."},   {3, 3, 1, 1, "1.01", "มี.ค."},  {2, 3, 0, 9, "0.09", "พ.ย."},
      {3, 2, 2, 0, "2.00", "ก.พ."},   {33, 1, 11, 11, "11.11", "ม.ค."}, {2, 5, 0, 11, "0.11", "ม.ค."},
      {36, 12, 12, 10, "12.10", "ธ.ค."}, {35, 2, 12, 8, "12.08", "ต.ค."}, {1, 10, 1, 0, "1.00", "ก.พ."},
  };
  for (const Case& c : cases) {
    const LuckStart s = luckStart(c.festivalDays, Branch(c.monthBranch));
    EXPECT_EQ(s.years, c.years) << c.festivalDays << "/" << c.monthBranch;
    EXPECT_EQ(s.monthCode, c.monthCode) << c.festivalDays << "/" << c.monthBranch;
    EXPECT_EQ(luckStartText(s), c.text);
    EXPECT_EQ(startMonthName(s.monthCode), c.monthName);
  }
  // With whole years (rest 0) the month code is the month's place in the
  // solar year, branch 3 opening it; every name of the table appears once.
  const char* names[] = {"ม.ค.", "ก.พ.", "มี.ค.", "เม.ย.", "พ.ค.", "มิ.ย.",
                         "ก.ค.", "ส.ค.", "ก.ย.", "ต.ค.",  "พ.ย.", "ธ.ค."};
  for (int b = 1; b <= 12; ++b) {
    const LuckStart s = luckStart(6, Branch(b));
    EXPECT_EQ(startMonthName(s.monthCode), names[b - 1]) << b;
    EXPECT_EQ(s.years, b == 2 ? 3 : 2) << b;
  }
}

}  // namespace
}  // namespace vesprin
