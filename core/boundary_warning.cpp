#include "core/boundary_warning.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "core/civil_date.h"
#include "core/text.h"

namespace vesprin {
namespace {

// Local time as minutes since 1970-01-01 00:00 (negative before): the
// calendar writes festivals in local time, and births are entered in it.
using Minute = std::int64_t;

constexpr Minute kMinutesPerDay = 24 * 60;
constexpr Minute kDoubleHour = 120;
// The double hours begin at the odd hours: 01:00, 03:00, ... 23:00.
constexpr Minute kFirstEdge = 60;

constexpr Minute floorDiv(Minute a, Minute b) { return a / b - (a % b < 0 ? 1 : 0); }
constexpr Minute floorMod(Minute a, Minute b) { return a - floorDiv(a, b) * b; }

Minute birthMinute(const BirthInput& in) {
  // Hour 24 is hour 00 of the next civil day: 24 hours on is exactly there.
  return daysFromCivil(in.date.civil()) * kMinutesPerDay + in.hour * 60 + in.minute;
}

// The birth moved to minute t, normalised as the input rules do: hour 00
// belongs to the civil day before, as hour "24".
BirthInput inputAt(const BirthInput& in, Minute t) {
  std::int64_t day = floorDiv(t, kMinutesPerDay);
  const int ofDay = static_cast<int>(t - day * kMinutesPerDay);  // [0, 1439]
  int hour = ofDay / 60;
  if (hour == 0) {
    --day;
    hour = 24;
  }
  BirthInput moved = in;
  moved.date = BirthDate::fromCivil(civilFromDays(day));
  moved.hour = hour;
  moved.minute = ofDay % 60;
  return moved;
}

std::string clockText(int hour, int minute) { return padded(hour, 2) + ":" + padded(minute, 2); }

// The double-hour edge at or before t.
Minute edgeAtOrBefore(Minute t) { return t - floorMod(t - kFirstEdge, kDoubleHour); }

void addFestivals(std::vector<BoundaryWarning>& out, const CalendarFile& file, const FourPillars& chart,
                  Minute birth, const BoundaryRule& rule) {
  const auto dayOfBirth = file.positionOfDay(floorDiv(birth, kMinutesPerDay));
  if (!dayOfBirth) return;
  const Minute doubleHour = edgeAtOrBefore(birth);
  // A festival written on a line lies between its day's 00:00 and 24:59, so
  // within two hours of the birth only the lines of the day before, the day
  // and the day after can hold one.
  for (int line = *dayOfBirth - 1; line <= *dayOfBirth + 1; ++line) {
    if (!file.hasDay(line) || !file.hasDay(line - 1)) continue;
    const CalendarDay day = file.day(line);
    if (day.mark != FestivalMark::Large) continue;
    const Minute at = file.dayNumberAt(line) * kMinutesPerDay + day.festivalHour * 60 + day.festivalMinute;
    const bool near = rule.precision == BoundaryRule::Precision::Minute
                          ? std::llabs(at - birth) <= rule.marginMinutes
                          : at >= doubleHour && at < doubleHour + kDoubleHour;
    if (!near) continue;
    // The festival's line holds the year and month after it, the line before
    // those before it; the other side is the one the chart was not read from.
    const bool chartAfter = chart.yearMonthLine >= line;
    const CalendarDay side = file.day(chartAfter ? line - 1 : line);
    out.push_back({BoundaryKind::Festival, clockText(day.festivalHour, day.festivalMinute),
                   static_cast<int>(at - birth), {side.year, side.month, chart.day, chart.time}});
  }
}

void addHourEdges(std::vector<BoundaryWarning>& out, const CalendarFile& file, const BirthInput& in,
                  Minute birth, int margin) {
  Minute first = edgeAtOrBefore(birth - margin);
  if (first < birth - margin) first += kDoubleHour;
  for (Minute edge = first; edge <= birth + margin; edge += kDoubleHour) {
    // A birth at the edge itself already belongs to the new double hour.
    const FourPillarsResult other = FindFourPillars(file, inputAt(in, edge > birth ? edge : edge - 1));
    if (!other.pillars) continue;
    const int ofDay = static_cast<int>(floorMod(edge, kMinutesPerDay));
    const FourPillars& o = *other.pillars;
    out.push_back({BoundaryKind::Hour, clockText(ofDay / 60, ofDay % 60), static_cast<int>(edge - birth),
                   {o.year, o.month, o.day, o.time}});
  }
}

}  // namespace

std::vector<BoundaryWarning> FindBoundaryWarnings(const CalendarFile& file, const BirthInput& in,
                                                  const FourPillars& chart, const BoundaryRule& rule) {
  std::vector<BoundaryWarning> out;
  const Minute birth = birthMinute(in);
  const int margin = std::clamp(rule.marginMinutes, 0, kMaxBoundaryMargin);
  addFestivals(out, file, chart, birth, {rule.precision, margin});
  if (rule.precision == BoundaryRule::Precision::Minute) addHourEdges(out, file, in, birth, margin);
  std::stable_sort(out.begin(), out.end(), [](const BoundaryWarning& a, const BoundaryWarning& b) {
    return std::abs(a.minutes) != std::abs(b.minutes) ? std::abs(a.minutes) < std::abs(b.minutes)
                                                      : a.minutes < b.minutes;
  });
  return out;
}

}  // namespace vesprin
