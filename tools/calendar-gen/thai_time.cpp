#include "thai_time.h"

#include "civil_date.h"

#include <cmath>
#include <cstdlib>
#include <ctime>

namespace calendar_gen {
namespace {

// Bangkok mean time, +06:42:04, held until local midnight starting 1 April 1920; standard
// time +07:00 since. The table is built in (rather than read from the system's tz database on
// every run) so that the files do not depend on the machine; the generator checks it against
// the tz database wherever that is installed.
constexpr int kMeanTimeOffset = 6 * 3600 + 42 * 60 + 4;
constexpr int kStandardOffset = 7 * 3600;
constexpr std::int64_t kStandardTimeFrom = daysFromCivil({1920, 4, 1}) * 86400 - kMeanTimeOffset;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

void useBangkokZone() {
  static const bool once = [] {
    setenv("TZ", "Asia/Bangkok", 1);
    tzset();
    return true;
  }();
  (void)once;
}

long tzOffset(std::int64_t utSeconds) {
  useBangkokZone();
  const std::time_t t = static_cast<std::time_t>(utSeconds);
  std::tm tm{};
  if (localtime_r(&t, &tm) == nullptr) return -1;
  return tm.tm_gmtoff;
}

}  // namespace

int thaiUtcOffset(std::int64_t utSeconds) {
  return utSeconds < kStandardTimeFrom ? kMeanTimeOffset : kStandardOffset;
}

ThaiMinute thaiMinute(double jdUt) {
  // Seconds are truncated, never rounded: a festival belongs to the minute in which it falls,
  // so 15:27:59 is still 15:27 and the hour only turns when the clock does.
  const auto ut = static_cast<std::int64_t>(std::floor((jdUt - kUnixEpochJd) * 86400.0));
  const std::int64_t local = ut + thaiUtcOffset(ut);
  const std::int64_t day = floorDiv(local, 86400);
  const std::int64_t second = local - day * 86400;  // [0, 86399]
  return {day, static_cast<int>(second / 3600), static_cast<int>(second / 60 % 60)};
}

bool tzDatabaseAvailable() {
  // 1900 and 2000 differ only where the zone is really Bangkok's (a missing zone reads as UTC).
  static const bool available =
      tzOffset(-2208988800) == kMeanTimeOffset && tzOffset(946684800) == kStandardOffset;
  return available;
}

bool agreesWithTzDatabase(std::int64_t utSeconds) {
  return !tzDatabaseAvailable() || tzOffset(utSeconds) == thaiUtcOffset(utSeconds);
}

}  // namespace calendar_gen
