#pragma once
// The normalisation every cast applies to a birth before it looks anything
// up: a day past its month's end is corrected, and a birth in hour 00 counts as
// hour 24 of the civil day before.
#include <optional>
#include <string>
#include <string_view>

#include "core/birth.h"

namespace vesprin {

constexpr std::size_t kMaxNameLength = 120;  // characters, not bytes

// Whether the day exists in that month of the Buddhist-Era year, by the full
// Gregorian rule the input rules count with (29 February 2443, CE 1900, does
// not). A request for a day that does not exist is refused rather than cast
// on another day.
bool birthDateExists(int day, int month, int beYear);

// A birth as the cast reads it.
struct BirthInput {
  std::string name;  // the first 120 characters
  Gender gender = Gender::Male;
  BirthDate date;    // the day before the one entered for a birth in hour 00
  int hour = 1;      // 1..24; 24 is hour 00 of the civil day after `date`
  int minute = 0;    // 0..59
  int pregnancyMonths = 9;
  // 0 Sunday .. 6 Saturday: the weekday of the civil day as entered; none
  // when the normalised date is no calendar date.
  std::optional<int> weekday;
  // What was entered, with a day past its month's end already corrected: the
  // input fields show it again after the cast.
  Birth entered;
  bool dayCorrected = false;  // the day was past its month's end
};

// The day corrected to its month's last day when it lies beyond it; hour 00
// as hour 24 of the previous civil day; the weekday. The month is 1..12.
BirthInput NormaliseBirth(const Birth& birth);

// The first 120 characters of a name (UTF-8 characters, not bytes).
std::string limitNameLength(std::string_view name);

}  // namespace vesprin
