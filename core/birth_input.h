#pragma once
// The person to be cast, as the eight input fields hold it, and the
// normalisation every cast applies before it looks anything up.
#include <string>
#include <string_view>
#include <vector>

namespace vesprin {

constexpr std::size_t kMaxNameLength = 120;  // characters, not bytes

// The notice of a birth day that its month does not have.
inline constexpr const char* kInvalidBirthDate = "วันเดือนปีเกิดไม่ถูกต้อง";

// Whether the day exists in that month of the Buddhist-Era year, by the full
// Gregorian rule the input rules count with (29 February 2443, CE 1900, does
// not). A request for a day that does not exist is refused rather than cast
// on another day.
bool birthDateExists(int day, int month, int beYear);

// The texts of the input fields, as the hand-over or a user filled them.
struct BirthFields {
  std::string name;
  std::string gender = "ชาย";
  std::string day = "01";
  std::string month = "01 = มกราคม";  // an item text, or a bare month number
  std::string year;                   // Buddhist Era, four digits
  std::string hour = "00";            // "00" .. "23"
  std::string minute = "00";
  std::string toBeBorn = "09";        // pregnancy months "07" .. "10"
};

struct BirthInput {
  std::string name;
  std::string gender;
  std::string year;    // BE; one less than entered when 00 h on 1 January moves back
  std::string month;   // "01" .. "12"
  std::string day;     // "01" .. "31"
  std::string hour;    // "01" .. "24"; "24" is hour 00 of the next civil day
  std::string minute;  // "00" .. "59"
  std::string toBeBorn;
  std::string weekday;  // Thai weekday name of the civil day of birth

  // What the fields show again after the cast (an invalid day already corrected).
  std::string enteredDay;
  std::string enteredMonth;  // the item text
  std::string enteredYear;
  std::string enteredHour;

  std::string dateText() const { return year + " " + month + " " + day; }
};

struct Normalised {
  BirthInput input;
  std::vector<std::string> messages;  // the error messages the cast shows
};

// Month number, month length (the day is corrected, with a message, when it
// exceeds its month), hour 00 as hour "24" of the previous civil day, weekday.
Normalised NormaliseBirthInput(const BirthFields& fields);

// "01 = มกราคม" .. "12 = ธันวาคม": the month drop-down's item texts.
std::string_view monthItemText(int month);
// The month field as a month number: an item text gives its two-digit number,
// any other text (a bare number from the hand-over) comes back unchanged.
std::string monthNumberText(std::string_view monthField);
// Thai weekday names, Sunday first.
std::string_view weekdayThaiName(int weekday);
// The first 120 characters of a name (UTF-8 characters, not bytes).
std::string limitNameLength(std::string_view name);

}  // namespace vesprin
