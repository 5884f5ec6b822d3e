#pragma once
// Proleptic Gregorian civil dates and their day count. Every day of the calendar files is a civil
// day, and the day pillar is counted from the Julian day number, so both conversions live here.
#include <cstdint>

namespace calendar_gen {

struct CivilDate {
  int year;   // Christian Era
  int month;  // [1, 12]
  int day;    // [1, 31]
  friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

// Days since 1970-01-01; negative before it. Floor arithmetic so that dates before 1970 come out right.
constexpr std::int64_t daysFromCivil(CivilDate d) {
  const std::int64_t y = d.month <= 2 ? d.year - 1 : d.year;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;                                            // [0, 399]
  const std::int64_t mp = (d.month + 9) % 12;                                        // [0, 11], March = 0
  const std::int64_t doy = (153 * mp + 2) / 5 + d.day - 1;                           // [0, 365]
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;                    // [0, 146096]
  return era * 146097 + doe - 719468;
}

constexpr CivilDate civilFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;                                         // [0, 146096]
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;    // [0, 399]
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);                  // [0, 365]
  const std::int64_t mp = (5 * doy + 2) / 153;                                       // [0, 11]
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const int year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
  return {year, month, day};
}

// The Julian day number of the civil day (the one whose noon it counts). 1970-01-01 is JDN 2440588.
constexpr std::int64_t julianDayNumber(std::int64_t daysSince1970) { return daysSince1970 + 2440588; }

// Julian date (UT) of 1970-01-01 00:00, for turning ephemeris instants into seconds of civil time.
constexpr double kUnixEpochJd = 2440587.5;

static_assert(julianDayNumber(daysFromCivil({2000, 1, 1})) == 2451545);
static_assert(civilFromDays(daysFromCivil({1800, 2, 28}) + 1) == CivilDate{1800, 3, 1});  // 1800 is no leap year
static_assert(civilFromDays(daysFromCivil({2000, 2, 28}) + 1) == CivilDate{2000, 2, 29});

}  // namespace calendar_gen
