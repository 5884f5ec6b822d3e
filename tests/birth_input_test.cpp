#include "core/birth_input.h"

#include <gtest/gtest.h>

namespace vesprin {
namespace {

BirthFields fields(std::string day, int month, std::string year, std::string hour) {
  BirthFields f;
  f.day = std::move(day);
  f.month = std::string(monthItemText(month));
  f.year = std::move(year);
  f.hour = std::move(hour);
  f.minute = "15";
  return f;
}

TEST(birth_input_test, normalisation_table) {
  struct Case {
    const char* day;
    int month;
    const char* year;
    const char* hour;
    // expected normalised date, hour, weekday, entered day, message shown
    const char* date;
    const char* outHour;
    const char* weekday;
    const char* enteredDay;
    bool message;
  };
  const Case cases[] = {
      // A day beyond its month is corrected, with the message.
      {"31", 4, "2500", "10", "2500 04 30", "10", "อังคาร", "30", true},
      // Full Gregorian leap rule: 2000 leap, 1999 not, 1900 not.
      {"29", 2, "2543", "10", "2543 02 29", "10", "อังคาร", "29", false},
      {"29", 2, "2542", "10", "2542 02 28", "10", "อาทิตย์", "28", true},
      {"29", 2, "2443", "10", "2443 02 28", "10", "พุธ", "28", true},
      // Hour 00 belongs to hour "24" of the previous civil day; the weekday
      // stays that of the civil date entered.
      {"01", 1, "2500", "00", "2499 12 31", "24", "อังคาร", "01", false},
      {"01", 3, "2543", "00", "2543 02 29", "24", "พุธ", "01", false},
      {"01", 3, "2542", "00", "2542 02 28", "24", "จันทร์", "01", false},
      {"01", 3, "2443", "00", "2443 02 28", "24", "พฤหัส", "01", false},
      {"01", 5, "2520", "00", "2520 04 30", "24", "อาทิตย์", "01", false},
      {"01", 8, "2520", "00", "2520 07 31", "24", "จันทร์", "01", false},
      {"01", 3, "2530", "00", "2530 02 28", "24", "อาทิตย์", "01", false},
      {"10", 5, "2530", "23", "2530 05 10", "23", "อาทิตย์", "10", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.day) + "/" + std::to_string(c.month) + "/" + c.year + " " + c.hour);
    const Normalised n = NormaliseBirthInput(fields(c.day, c.month, c.year, c.hour));
    EXPECT_EQ(n.input.dateText(), c.date);
    EXPECT_EQ(n.input.hour, c.outHour);
    EXPECT_EQ(n.input.weekday, c.weekday);
    EXPECT_EQ(n.input.enteredDay, c.enteredDay);
    EXPECT_EQ(n.input.enteredMonth, monthItemText(c.month));
    EXPECT_EQ(n.input.enteredYear, c.year);
    EXPECT_EQ(n.input.minute, "15");
    if (c.message)
      EXPECT_EQ(n.messages, std::vector<std::string>{"วันเดือนปีเกิดไม่ถูกต้อง"});
    else
      EXPECT_TRUE(n.messages.empty());
  }
}

TEST(birth_input_test, month_text_and_name_length) {
  BirthFields f = fields("05", 1, "2530", "10");
  f.month = "07";  // a bare number is not an item text and passes as it is
  EXPECT_EQ(NormaliseBirthInput(f).input.month, "07");
  f.month = "07 = กรกฎาคม";
  EXPECT_EQ(NormaliseBirthInput(f).input.month, "07");

  std::string name;
  for (int i = 0; i < 130; ++i) name += i % 2 ? "ก" : "a";
  const std::string cut = limitNameLength(name);
  std::string expected;
  for (int i = 0; i < 120; ++i) expected += i % 2 ? "ก" : "a";
  EXPECT_EQ(cut, expected);
  EXPECT_EQ(limitNameLength("สมชาย"), "สมชาย");
}

}  // namespace
}  // namespace vesprin
