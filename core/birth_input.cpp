#include "core/birth_input.h"

#include <array>
#include "core/text.h"

#include "core/civil_date.h"

namespace vesprin {
namespace {

constexpr std::array<std::string_view, 12> kMonthItems = {
    "01 = มกราคม",  "02 = กุมภาพันธ์", "03 = มีนาคม",   "04 = เมษายน",
    "05 = พฤษภาคม", "06 = มิถุนายน",  "07 = กรกฎาคม",  "08 = สิงหาคม",
    "09 = กันยายน", "10 = ตุลาคม",    "11 = พฤศจิกายน", "12 = ธันวาคม"};

constexpr std::array<std::string_view, 7> kWeekdays = {"อาทิตย์", "จันทร์", "อังคาร", "พุธ",
                                                       "พฤหัส",  "ศุกร์",  "เสาร์"};


}  // namespace

std::string_view monthItemText(int month) {
  return month >= 1 && month <= 12 ? kMonthItems[static_cast<std::size_t>(month - 1)] : "";
}

std::string_view weekdayThaiName(int weekday) {
  return weekday >= 0 && weekday < 7 ? kWeekdays[static_cast<std::size_t>(weekday)] : "";
}

std::string monthNumberText(std::string_view monthField) {
  for (std::size_t i = 0; i < kMonthItems.size(); ++i)
    if (monthField == kMonthItems[i]) return padded(static_cast<int>(i) + 1, 2);
  return std::string(monthField);
}

std::string limitNameLength(std::string_view name) {
  std::size_t chars = 0, i = 0;
  while (i < name.size()) {
    if (chars == kMaxNameLength) return std::string(name.substr(0, i));
    const unsigned char c = static_cast<unsigned char>(name[i]);
    i += c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    ++chars;
  }
  return std::string(name);
}

bool birthDateExists(int day, int month, int beYear) {
  return isValid({beYear - kBuddhistEraOffset, month, day});
}

Normalised NormaliseBirthInput(const BirthFields& f) {
  Normalised out;
  BirthInput& in = out.input;
  in.name = limitNameLength(f.name);
  in.gender = f.gender;
  in.year = f.year;
  in.minute = f.minute;
  in.toBeBorn = f.toBeBorn;
  in.hour = f.hour;
  in.month = monthNumberText(f.month);

  int year = toInt(f.year);  // BE
  int month = toInt(in.month);
  int day = toInt(f.day);
  in.day = f.day;

  // The full Gregorian rule, so that 29 February 1900 is refused like any
  // other day its month does not have.
  const int length = month >= 1 && month <= 12 ? daysInMonth(year - kBuddhistEraOffset, month) : 31;
  if (day > length) {
    out.messages.emplace_back(kInvalidBirthDate);
    day = length;
    in.day = padded(day, 2);
  }
  in.enteredDay = in.day;
  in.enteredMonth = f.month;
  in.enteredYear = f.year;
  in.enteredHour = f.hour;

  // A birth in hour 00 counts as hour "24" of the previous civil day.
  if (f.hour == "00") {
    in.hour = "24";
    const CivilDate before = previousDay({year - kBuddhistEraOffset, month, day});
    day = before.day;
    month = before.month;
    year = before.year + kBuddhistEraOffset;
    in.day = padded(day, 2);
    in.month = padded(month, 2);
    in.year = padded(year, 4);
  }

  const CivilDate civil{year - kBuddhistEraOffset, month, day};
  if (isValid(civil)) {
    int w = weekdayOf(civil);
    if (in.hour == "24") w = (w + 1) % 7;  // the weekday of the civil date as entered
    in.weekday = std::string(weekdayThaiName(w));
  }
  return out;
}

}  // namespace vesprin
