#include "core/birth_input.h"

namespace vesprin {

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

BirthInput NormaliseBirth(const Birth& birth) {
  BirthInput in;
  in.name = limitNameLength(birth.name);
  in.gender = birth.gender;
  in.minute = birth.time.minute;
  in.pregnancyMonths = birth.pregnancyMonths;
  in.entered = birth;

  // The full Gregorian rule, so that 29 February 1900 is refused like any
  // other day its month does not have.
  BirthDate& entered = in.entered.date;
  const int length = daysInMonth(entered.civil().year, entered.month);
  if (length != 0 && entered.day > length) {
    entered.day = length;
    in.dayCorrected = true;
  }

  in.date = entered;
  in.hour = birth.time.hour;
  // A birth in hour 00 counts as hour 24 of the previous civil day.
  if (birth.time.hour == 0) {
    in.hour = 24;
    in.date = BirthDate::fromCivil(previousDay(entered.civil()));
  }

  if (const CivilDate civil = in.date.civil(); isValid(civil)) {
    int w = weekdayOf(civil);
    if (in.hour == 24) w = (w + 1) % 7;  // the weekday of the civil date as entered
    in.weekday = w;
  }
  return in;
}

}  // namespace vesprin
