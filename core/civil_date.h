#pragma once
// Civil (proleptic Gregorian) dates. Years here are Christian Era; the engine's
// texts carry Buddhist-Era years (BE = CE + 543).
#include <cstdint>

namespace vesprin {

constexpr int kBuddhistEraOffset = 543;

// A year as a Thai system calendar or a person may give it: from 2400 on it is
// already counted in the Buddhist Era, before that in the Christian Era.
// Christian-Era 2400 is far beyond any birth or cast; BE 2400 is CE 1857.
constexpr int buddhistEraYear(int year) { return year >= 2400 ? year : year + kBuddhistEraOffset; }

struct CivilDate {
  int year = 0;  // Christian Era
  int month = 0; // 1..12
  int day = 0;   // 1..31

  friend constexpr bool operator==(const CivilDate&, const CivilDate&) = default;
};

// Full Gregorian rule: a year divisible by 100 is a leap year only when divisible by 400.
constexpr bool isLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

constexpr int daysInMonth(int y, int m) {
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (m < 1 || m > 12) return 0;
  return m == 2 && isLeapYear(y) ? 29 : kDays[m - 1];
}

constexpr bool isValid(const CivilDate& d) {
  return d.month >= 1 && d.month <= 12 && d.day >= 1 && d.day <= daysInMonth(d.year, d.month);
}

// The day before: from the 1st to the last day of the month before, from
// January to December of the year before. A month outside 1..12 steps as the
// input rules always did (month 13 to December), never beyond.
constexpr CivilDate previousDay(CivilDate d) {
  if (--d.day == 0) {
    if (--d.month == 0) {
      d.month = 12;
      --d.year;
    }
    d.day = daysInMonth(d.year, d.month);
  }
  return d;
}

// Days since 1970-01-01 (negative before), by the era algorithm of the civil calendar.
constexpr std::int64_t daysFromCivil(const CivilDate& d) {
  const int y = d.year - (d.month <= 2 ? 1 : 0);
  const int era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);                           // [0, 399]
  const unsigned mp = static_cast<unsigned>(d.month + (d.month > 2 ? -3 : 9));           // [0, 11]
  const unsigned doy = (153 * mp + 2) / 5 + static_cast<unsigned>(d.day) - 1;            // [0, 365]
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;                            // [0, 146096]
  return static_cast<std::int64_t>(era) * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

constexpr CivilDate civilFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);                 // [0, 146096]
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;   // [0, 399]
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);                 // [0, 365]
  const unsigned mp = (5 * doy + 2) / 153;                                      // [0, 11]
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const int y = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400) + (m <= 2 ? 1 : 0);
  return {y, m, d};
}

// 0 = Sunday .. 6 = Saturday.
constexpr int weekdayOf(const CivilDate& d) {
  const std::int64_t z = daysFromCivil(d);
  return static_cast<int>(z >= -4 ? (z + 4) % 7 : (z + 5) % 7 + 6);
}

}  // namespace vesprin
