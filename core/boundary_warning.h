#pragma once
// A birth close to a boundary of the chart: a large festival, where the year
// and month pillars turn, or a double-hour edge (the odd hours 01:00 ...
// 23:00), where the time pillar turns (and at 23:00 the day). A clock a few
// minutes off, or a time rounded to the hour, gives the chart on the other
// side, so the warning carries that chart too.
#include <string>
#include <vector>

#include "core/birth_input.h"
#include "core/calendar_file.h"
#include "core/four_pillars.h"
#include "core/sign.h"

namespace vesprin {

enum class BoundaryKind { Festival, Hour };

// The four natal pillars of a chart on the other side of a boundary.
struct NatalFour {
  Pillar year, month, day, time;
  friend bool operator==(const NatalFour&, const NatalFour&) = default;
};

struct BoundaryWarning {
  BoundaryKind kind = BoundaryKind::Hour;
  std::string at;   // the boundary's local time "hh:mm", as the calendar data writes a festival
  int minutes = 0;  // from the birth to the boundary; positive when the boundary comes after it
  NatalFour other;  // the chart on the other side
  friend bool operator==(const BoundaryWarning&, const BoundaryWarning&) = default;
};

inline constexpr int kDefaultBoundaryMargin = 30;  // minutes
inline constexpr int kMaxBoundaryMargin = 120;

// How close a birth must be for a warning.
struct BoundaryRule {
  enum class Precision {
    // The birth time is known to the minute: every festival and every
    // double-hour edge within the margin on either side.
    Minute,
    // Only the hour is known (a birth record, whose minute is always 00):
    // a large festival inside the birth's double hour. The double hour was
    // chosen by the person who entered it, so its edges are no warning.
    DoubleHour,
  } precision = Precision::Minute;
  int marginMinutes = kDefaultBoundaryMargin;  // 0..kMaxBoundaryMargin, for Minute
};

// The warnings of a cast birth (its normalised input and its four pillars
// read from `file`), nearest boundary first. The year and month on the other
// side of a festival are those the calendar gives before or after it (the
// chart's day and time stay); the other side of an hour edge is the whole
// chart of a birth at the edge, or a minute before it. A boundary whose other
// side the file cannot serve gives no warning.
std::vector<BoundaryWarning> FindBoundaryWarnings(const CalendarFile& file, const BirthInput& in,
                                                  const FourPillars& chart, const BoundaryRule& rule);

}  // namespace vesprin
