#pragma once
// The words a person reads about a birth: the month items of the input
// field, the weekday and gender words, the notice of a day its month does
// not have. The computation carries numbers and types; these texts are put
// on them here, and only here.
#include <string>
#include <string_view>

#include "core/birth.h"

namespace vesprin {

// The notice of a birth day that its month does not have.
inline constexpr const char* kInvalidBirthDate = "วันเดือนปีเกิดไม่ถูกต้อง";

// "01 = มกราคม" .. "12 = ธันวาคม": the month field's item texts; empty outside 1..12.
std::string_view monthItemText(int month);
// "มกราคม" .. "ธันวาคม"; empty outside 1..12.
std::string_view monthThaiName(int month);
// Thai weekday names, 0 Sunday .. 6 Saturday; empty outside.
std::string_view weekdayThaiName(int weekday);
// "ชาย", "หญิง".
std::string_view genderThaiWord(Gender gender);
// "hh:mm", as the calendar data and the cast's output write a time of day.
std::string clockText(ClockTime time);

}  // namespace vesprin
