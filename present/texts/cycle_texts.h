#pragma once
// The words and figures a person reads about the time cycles: the start age
// of the first luck pillar ("3.05") and the month it begins in, and the
// caption of the current luck period. The cycles carry numbers; they are
// written out here.
#include <string>
#include <string_view>

#include "cycles/current_period.h"
#include "cycles/luck_cycle.h"

namespace vesprin {

// Years "." the month code in two digits: "3.05", "12.00".
std::string luckStartText(LuckStart start);
// The Thai abbreviation of the month a start-age month code names: "ก.พ."
// for 0 (February) .. "ม.ค." for 11 (January); empty outside.
std::string_view startMonthName(int monthCode);

// A number held in hundredths written in plain decimal: 305 -> "3.05",
// 310 -> "3.1", 700 -> "7".
std::string hundredthsText(int hundredths);

// The texts of the current period; all empty without a half-period.
struct CurrentPeriodTexts {
  std::string startText;    // the first start age as written for On 1, else S
  std::string periodText;   // "(พ.ศ.2551-2555) อายุจีน 33 - 37 ปัจจุบัน 2553 อายุจีน 35 ปี"
  std::string elementName;  // Thai element of the ruling sign
};
CurrentPeriodTexts currentPeriodTexts(const CurrentPeriod& period, LuckStart first, int chineseAge,
                                      int currentYearBE);

}  // namespace vesprin
