// The birth line, the four natal pillars and the derived pillars, over the
// test calendar in tests/fixtures/cal1987 and over calendars built in memory.
#include <gtest/gtest.h>

#include "calendar_builder.h"
#include "core/derived_pillars.h"
#include "core/four_pillars.h"

namespace vesprin {
namespace {
using testing::CalendarBuilder;

const CalendarFile& fixture() {
  static const CalendarFile file = [] {
    auto load = CalendarFile::load(std::string(VESPRIN_TEST_DIR) + "/fixtures/cal1987/CAL2528.DAT");
    EXPECT_TRUE(load.file) << load.error;
    return *load.file;
  }();
  return file;
}

BirthInput birth(const char* day, const char* month, const char* year, const char* hour,
                 const char* minute) {
  Birth b;
  b.date = {std::stoi(day), std::stoi(month), std::stoi(year)};
  b.time = {std::stoi(hour), std::stoi(minute)};
  return NormaliseBirth(b);
}

TEST(pillars_test, birth_line_day_boundary_and_large_festivals) {
  struct Case {
    const char* what;
    const char *day, *month, *year, *hour, *minute;
    const char* line;       // date of the birth line
    Pillar y, m, d, t;
    const char* festivalStart;
  };
  const Case cases[] = {
      {"23:10 belongs to the next day", "10", "05", "2530", "23", "10", "2530 05 11",
       {4, 4}, {2, 6}, {7, 9}, {3, 1}, ""},
      {"00:40 is hour 24 of the day before: the same chart", "11", "05", "2530", "00", "40",
       "2530 05 11", {4, 4}, {2, 6}, {7, 9}, {3, 1}, ""},
      {"festival 04:30, born 02:59: the month before", "06", "05", "2530", "02", "59", "2530 05 06",
       {4, 4}, {1, 5}, {2, 4}, {4, 2}, "03:00"},
      {"festival 04:30, born 03:00: the new month", "06", "05", "2530", "03", "00", "2530 05 06",
       {4, 4}, {2, 6}, {2, 4}, {5, 3}, "03:00"},
      {"festival 24:10: every birth on the line is after it", "06", "06", "2530", "00", "30",
       "2530 06 06", {4, 4}, {3, 7}, {3, 11}, {5, 1}, "00:00"},
      {"festival 00:20: no start, every birth is after it", "06", "07", "2530", "23", "30",
       "2530 07 07", {4, 4}, {4, 8}, {4, 6}, {7, 1}, ""},
      {"23:30 the day before a 05:00 festival counts as 00:30, before it", "07", "08", "2530", "23",
       "30", "2530 08 08", {4, 4}, {4, 8}, {6, 2}, {1, 1}, "05:00"},
      {"a small festival never changes year or month", "21", "05", "2530", "08", "00", "2530 05 21",
       {4, 4}, {2, 6}, {7, 7}, {7, 5}, "09:00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const FourPillarsResult r = FindFourPillars(fixture(), birth(c.day, c.month, c.year, c.hour, c.minute));
    ASSERT_TRUE(r.pillars);
    EXPECT_EQ(r.pillars->birthLineDate, c.line);
    EXPECT_EQ(r.pillars->year, c.y);
    EXPECT_EQ(r.pillars->month, c.m);
    EXPECT_EQ(r.pillars->day, c.d);
    EXPECT_EQ(r.pillars->time, c.t);
    EXPECT_EQ(r.pillars->festivalStart, testing::clockAt(c.festivalStart));
  }
}

TEST(pillars_test, festival_start_and_time_pillar_tables) {
  const char* starts[25] = {"",      "01:00", "01:00", "03:00", "03:00", "05:00", "05:00",
                            "07:00", "07:00", "09:00", "09:00", "11:00", "11:00", "13:00",
                            "13:00", "15:00", "15:00", "17:00", "17:00", "19:00", "19:00",
                            "21:00", "21:00", "23:00", "00:00"};
  for (int h = 0; h <= 24; ++h) EXPECT_EQ(festivalStartForHour(h), testing::clockAt(starts[h])) << h;
  // Time branch by hour: 23 and 24 open the day with the Rat.
  const int branch[25] = {0, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 1, 1};
  for (int h = 1; h <= 24; ++h) EXPECT_EQ(timePillar(h, Stem(1)).branch, Branch(branch[h])) << h;
  // The Rat hour's stem: 1 on days 1 and 6, 3 on 2 and 7, ... 9 on 5 and 10.
  for (int ds = 1; ds <= 10; ++ds) EXPECT_EQ(timePillar(24, Stem(ds)).stem, Stem((ds - 1) % 5 * 2 + 1)) << ds;
  EXPECT_EQ(timePillar(12, Stem(7)), (Pillar{9, 7}));
}

TEST(pillars_test, births_the_file_cannot_serve_are_refused_not_guessed) {
  CalendarBuilder b({1987, 5, 6}, 3);
  b.at(1).mark = "**";
  b.at(1).time = "10:00";
  const CalendarFile file = b.build();
  struct Case {
    const char *day, *hour;
    BirthLineError error;
  };
  const Case cases[] = {
      {"06", "05", BirthLineError::BeyondFile},  // before the first day's festival: no line before
      {"06", "11", BirthLineError::None},
      {"08", "22", BirthLineError::None},
      {"08", "23", BirthLineError::BeyondFile},  // the next Chinese day is not in the file
      {"09", "10", BirthLineError::NoDate},
      {"05", "10", BirthLineError::NoDate},
  };
  for (const Case& c : cases) {
    const FourPillarsResult r = FindFourPillars(file, birth(c.day, "05", "2530", c.hour, "00"));
    EXPECT_EQ(r.error, c.error) << c.day << " " << c.hour;
    EXPECT_EQ(r.pillars.has_value(), c.error == BirthLineError::None);
  }
}

// A birth line far enough into a built calendar for the nine-month fit.
struct Chart {
  CalendarBuilder calendar{{1986, 1, 1}, 400};
  FourPillars natal;
  Chart(Pillar year, Pillar month, int dayBranch, int timeBranch, int line = 300) {
    natal.birthLine = line;
    natal.year = year;
    natal.month = month;
    natal.day = {dayBranch % 2 ? 1 : 2, dayBranch};
    natal.time = {timeBranch % 2 ? 1 : 2, timeBranch};
    natal.comparisonTime = {12, 0};
  }
};

TEST(pillars_test, ascendant_perfect_ascendant_and_festival_kind) {
  struct Case {
    const char* what;
    const char* mark;   // mark on the birth line
    const char* start;  // festival start of the birth line
    FestivalKind kind;
    Pillar year, month;
    int day, time;
    Pillar ascendant, perfect;
  };
  const Case cases[] = {
      {"large festival before", "", "", FestivalKind::Large, {1, 1}, {3, 3}, 1, 1, {4, 4}, {3, 1}},
      {"on a '**' day before its start the kind is small", "**", "13:00", FestivalKind::Small,
       {1, 1}, {3, 3}, 1, 1, {3, 3}, {3, 1}},
      {"on a '*' day before its start the kind is large", "*", "13:00", FestivalKind::Large,
       {10, 10}, {3, 3}, 1, 1, {2, 4}, {1, 1}},
      {"on a '*' day after its start", "*", "11:00", FestivalKind::Small, {10, 10}, {3, 3}, 1, 1,
       {1, 3}, {1, 1}},
      {"S = 5", "", "", FestivalKind::Large, {1, 1}, {12, 12}, 1, 12, {8, 8}, {5, 5}},
      {"S = 38 wraps to 2", "", "", FestivalKind::Large, {10, 10}, {1, 1}, 12, 1, {4, 6}, {2, 2}},
      {"A = 12 in a year of stem 10", "", "", FestivalKind::Large, {10, 10}, {8, 8}, 2, 12,
       {10, 12}, {8, 10}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Chart chart(c.year, c.month, c.day, c.time);
    for (int p = 1; p <= 400; ++p) chart.calendar.at(p).month = {4, 6};  // every line fits
    chart.calendar.largeFestival(250);  // the festival before the birth line
    if (std::string(c.mark) == "**") chart.calendar.largeFestival(300);
    else chart.calendar.at(300).mark = c.mark;
    chart.natal.festivalStart = testing::clockAt(c.start);
    const auto r = FindDerivedPillars(chart.calendar.build(), chart.natal, 9);
    ASSERT_TRUE(r.pillars);
    EXPECT_EQ(r.pillars->festivalKind, c.kind);
    EXPECT_EQ(r.pillars->ascendant, c.ascendant);
    EXPECT_EQ(r.pillars->perfectAscendant, c.perfect);
  }
  Chart none({1, 1}, {3, 3}, 1, 1);
  const auto r = FindDerivedPillars(none.calendar.build(), none.natal, 7);
  EXPECT_EQ(r.pillars->festivalKind, FestivalKind::None);
  EXPECT_EQ(r.pillars->ascendant, (Pillar{4, 4}));
}

TEST(pillars_test, conception_pillar_and_its_fit_against_the_calendar) {
  struct Case {
    const char* what;
    int toBeBorn;
    int matching;  // how many of the 15 lines carry the conception month (P = 09)
    Pillar conception;
    const char* label;
    std::optional<Pillar> neighbour;
    ConceptionVariant variant;
  };
  const Pillar other{5, 7};  // the month after the conception month
  const Case cases[] = {
      {"all fifteen fit", 9, 15, {4, 6}, "[ 100% ]", std::nullopt, ConceptionVariant::Plain},
      {"eight fit", 9, 8, {4, 6}, "[ 53% ]", std::nullopt, ConceptionVariant::Plain},
      {"seven fit", 9, 7, {4, 6}, "[ 46% ]", other, ConceptionVariant::Uncertain},
      {"one fits", 9, 1, {4, 6}, "[ 6% ]", other, ConceptionVariant::Uncertain},
      {"none fits: one month later", 9, 0, {5, 7}, "[ 100% ]", std::nullopt,
       ConceptionVariant::Plain},
      {"seven months", 7, 0, {6, 8}, "[ 7 M ]", Pillar{5, 7}, ConceptionVariant::Uncertain},
      {"eight months", 8, 0, {5, 7}, "[ 8 M ]", Pillar{4, 6}, ConceptionVariant::Uncertain},
      {"ten months", 10, 0, {3, 5}, "[ 10 M ]", Pillar{4, 6}, ConceptionVariant::Uncertain},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Chart chart({1, 1}, {3, 3}, 1, 1);
    // Lines 277 .. 263 before the birth line, earliest first: the first
    // `matching` of them carry the conception month, the rest the month after,
    // which a large festival opens.
    for (int p = 1; p <= 400; ++p) chart.calendar.at(p).month = {4, 6};
    chart.calendar.largeFestival(300 - 277 + c.matching);
    const auto r = FindDerivedPillars(chart.calendar.build(), chart.natal, c.toBeBorn);
    ASSERT_TRUE(r.pillars);
    EXPECT_EQ(r.pillars->conception, c.conception);
    EXPECT_EQ(r.pillars->conceptionLabel, c.label);
    EXPECT_EQ(r.pillars->neighbour, c.neighbour);
    EXPECT_EQ(r.pillars->variant, c.variant);
  }

  // Lines that do not fit before the conception month: they name the
  // neighbouring signs, the month before.
  Chart early({1, 1}, {3, 3}, 1, 1);
  for (int p = 1; p <= 400; ++p) early.calendar.at(p).month = {3, 5};
  early.calendar.largeFestival(23 + 8);  // 8 lines of 3/5, then 7 of the conception month 4/6
  const auto r = FindDerivedPillars(early.calendar.build(), early.natal, 9);
  EXPECT_EQ(r.pillars->conceptionLabel, "[ 46% ]");
  EXPECT_EQ(r.pillars->neighbour, (Pillar{3, 5}));
}

TEST(pillars_test, derived_pillars_count_round_the_cycle_from_any_month_hour_and_day) {
  // The palace rules count months and hours back from a fixed sign and run
  // below 1 for late months and hours; each count must land on a pillar of
  // the cycle, the one a floor-style wrap of the written rule gives.
  const auto wrap = [](int n, int m) { return ((n - 1) % m + m) % m + 1; };
  Chart chart({1, 1}, {3, 3}, 1, 1);
  for (int p = 1; p <= 400; ++p) chart.calendar.at(p).month = {4, 6};
  const CalendarFile file = chart.calendar.build();
  for (int m = 1; m <= 12; ++m)
    for (int t = 1; t <= 12; ++t)
      for (int d = 1; d <= 12; ++d) {
        chart.natal.month = Pillar{3, 3} + (m - 3);
        chart.natal.time = {t % 2 ? 1 : 2, t};
        chart.natal.day = {d % 2 ? 1 : 2, d};
        const auto r = FindDerivedPillars(file, chart.natal, 8);
        ASSERT_TRUE(r.pillars);
        const DerivedPillars& p = *r.pillars;
        const std::string what = std::to_string(m) + "/" + std::to_string(t) + "/" + std::to_string(d);
        ASSERT_TRUE(p.ascendant.ok() && p.perfectAscendant.ok() && p.conception.ok()) << what;
        EXPECT_EQ(p.ascendant.branch, Branch(wrap(32 - m - t, 12))) << what;
        EXPECT_EQ(p.perfectAscendant.branch, Branch(wrap(d + 28 - m - t, 12))) << what;
        EXPECT_EQ(p.conception, (Pillar{wrap(chart.natal.month.stem.number() - 8, 10), wrap(m - 8, 12)}))
            << what;
      }
}

TEST(pillars_test, the_fit_never_reads_before_the_first_line) {
  for (int line : {277, 278}) {
    Chart chart({1, 1}, {3, 3}, 1, 1, line);
    const auto r = FindDerivedPillars(chart.calendar.build(), chart.natal, 9);
    EXPECT_EQ(r.beyondFile, line == 277) << line;
    EXPECT_EQ(r.pillars.has_value(), line == 278) << line;
    // Other pregnancy lengths read no earlier lines at all.
    EXPECT_TRUE(FindDerivedPillars(chart.calendar.build(), chart.natal, 8).pillars);
  }
}

}  // namespace
}  // namespace vesprin
