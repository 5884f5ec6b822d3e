#pragma once
// The birth line and the four natal pillars. The calendar supplies year,
// month and day pillars; the Chinese day begins at 23:00 of the previous civil
// day, and year and month turn at the two-hour period of a large festival.
#include <optional>
#include <string>

#include "core/birth_input.h"
#include "core/calendar_file.h"
#include "core/sign.h"

namespace vesprin {

struct FourPillars {
  int birthLine = 0;           // position of the Chinese day of birth in the loaded file
  int yearMonthLine = 0;       // the line year and month were read from: the birth line, or
                               // the one before it for a birth before that line's large festival
  std::string birthLineDate;   // its date columns, "YYYY MM DD"
  Pillar year, month, day, time;
  // Start of the two-hour period that holds the birth line's festival hour
  // (00:00 for hour 24); none for a festival at hour 00.
  std::optional<ClockTime> festivalStart;
  ClockTime comparisonTime;  // the birth's time of day as compared with it, hours 23 and 24 as 00
};

// Whether a birth at `time` comes before the festival period that begins at
// `start`; a line without a start has every birth after it.
constexpr bool beforeFestivalStart(const std::optional<ClockTime>& start, ClockTime time) {
  return start && time < *start;
}

// Why a birth cannot be cast from the loaded file.
enum class BirthLineError {
  None,
  NoDate,       // the file has no line for the birth date
  BeyondFile,   // a rule would need a line before the first or after the last day
};

struct FourPillarsResult {
  std::optional<FourPillars> pillars;
  BirthLineError error = BirthLineError::None;
};

// Start of the two-hour period that holds festival hour h (1..24); none
// for hour 0 or outside.
std::optional<ClockTime> festivalStartForHour(int hour);
// The birth's time of day as compared with a festival start.
ClockTime comparisonTimeOf(const BirthInput& in);
// The time pillar of birth hour h (1..24) on a day with the given stem.
Pillar timePillar(int hour, Stem dayStem);

// Finds the birth line and reads the pillars. Never reads outside the file:
// a birth that would need the line before the first day or after the last
// gives BeyondFile instead of a chart.
FourPillarsResult FindFourPillars(const CalendarFile& file, const BirthInput& in);

}  // namespace vesprin
