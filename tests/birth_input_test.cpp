#include "core/birth_input.h"

#include <gtest/gtest.h>

#include "core/calendar_file.h"

namespace vesprin {
namespace {

Birth birth(int day, int month, int year, int hour) {
  Birth b;
  b.date = {day, month, year};
  b.time = {hour, 15};
  return b;
}

enum Weekday { Sunday, Monday, Tuesday, Wednesday, Thursday, Friday, Saturday };

TEST(birth_input_test, normalisation_table) {
  struct Case {
    int day;
    int month;
    int year;
    int hour;
    // expected normalised date, hour, weekday, entered day, day corrected
    const char* date;
    int outHour;
    Weekday weekday;
    int enteredDay;
    bool corrected;
  };
  const Case cases[] = {
      // A day beyond its month is corrected, with the message.
      {31, 4, 2500, 10, "2500 04 30", 10, Tuesday, 30, true},
      // Full Gregorian leap rule: 2000 leap, 1999 not, 1900 not.
      {29, 2, 2543, 10, "2543 02 29", 10, Tuesday, 29, false},
      {29, 2, 2542, 10, "2542 02 28", 10, Sunday, 28, true},
      {29, 2, 2443, 10, "2443 02 28", 10, Wednesday, 28, true},
      // Hour 00 belongs to hour 24 of the previous civil day; the weekday
      // stays that of the civil date entered.
      {1, 1, 2500, 0, "2499 12 31", 24, Tuesday, 1, false},
      {1, 3, 2543, 0, "2543 02 29", 24, Wednesday, 1, false},
      {1, 3, 2542, 0, "2542 02 28", 24, Monday, 1, false},
      {1, 3, 2443, 0, "2443 02 28", 24, Thursday, 1, false},
      {1, 5, 2520, 0, "2520 04 30", 24, Sunday, 1, false},
      {1, 8, 2520, 0, "2520 07 31", 24, Monday, 1, false},
      {1, 3, 2530, 0, "2530 02 28", 24, Sunday, 1, false},
      {10, 5, 2530, 23, "2530 05 10", 23, Sunday, 10, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.day) + "/" + std::to_string(c.month) + "/" + std::to_string(c.year) + " " +
                 std::to_string(c.hour));
    const Birth entered = birth(c.day, c.month, c.year, c.hour);
    const BirthInput n = NormaliseBirth(entered);
    EXPECT_EQ(dateTextOf(n.date), c.date);
    EXPECT_EQ(n.hour, c.outHour);
    EXPECT_EQ(n.weekday, static_cast<int>(c.weekday));
    EXPECT_EQ(n.entered.date.day, c.enteredDay);
    EXPECT_EQ(n.entered.date.month, c.month);
    EXPECT_EQ(n.entered.date.year, c.year);
    EXPECT_EQ(n.entered.time, entered.time);
    EXPECT_EQ(n.minute, 15);
    EXPECT_EQ(n.dayCorrected, c.corrected);
  }
}

TEST(birth_input_test, name_length) {
  std::string name;
  for (int i = 0; i < 130; ++i) name += i % 2 ? "ก" : "a";
  const std::string cut = limitNameLength(name);
  std::string expected;
  for (int i = 0; i < 120; ++i) expected += i % 2 ? "ก" : "a";
  EXPECT_EQ(cut, expected);
  EXPECT_EQ(limitNameLength("สมชาย"), "สมชาย");
  Birth b;
  b.name = name;
  EXPECT_EQ(NormaliseBirth(b).name, expected);
  EXPECT_EQ(NormaliseBirth(b).entered.name, name);
}

}  // namespace
}  // namespace vesprin
