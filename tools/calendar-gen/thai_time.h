#pragma once
// Thai civil time as the tz database has it for Asia/Bangkok.
#include <cstdint>

namespace calendar_gen {

// A civil minute in Thai time: the day (days since 1970-01-01) and the hour and minute on it.
struct ThaiMinute {
  std::int64_t day;
  int hour;    // [0, 23]
  int minute;  // [0, 59]
};

// The offset from UT in seconds at the given UT instant (seconds since 1970-01-01 00:00 UT).
int thaiUtcOffset(std::int64_t utSeconds);

// The Thai civil minute that contains the UT instant given as a Julian date.
ThaiMinute thaiMinute(double jdUt);

// Compares the built-in offsets with the system's tz database at the instant. Returns false when
// they differ; true when they agree or when the system has no Asia/Bangkok zone to compare with.
bool agreesWithTzDatabase(std::int64_t utSeconds);

// Whether the system's tz database knows Asia/Bangkok (so that the check above means something).
bool tzDatabaseAvailable();

}  // namespace calendar_gen
