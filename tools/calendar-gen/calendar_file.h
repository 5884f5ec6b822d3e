#pragma once
// The shipped calendar: one line per civil day with the year, month and day pillars and the
// solar festival of the day, split into files of about fifty Buddhist-Era years, and the index
// HOROSCOPE.INI that maps year ranges to those files.
#include "civil_date.h"
#include "solar_term.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace calendar_gen {

constexpr int kBuddhistEraOffset = 543;

struct Pillar {
  int stem;    // [1, 10]
  int branch;  // [1, 12], same parity as stem
};

// The pillar at place `index` of the sexagenary cycle (any integer; wraps).
Pillar sexagenaryPillar(std::int64_t index);

struct Festival {
  bool large;  // a month-opening term
  int hour;    // Thai civil time, [0, 23]
  int minute;  // [0, 59]
};

struct CalendarDay {
  std::int64_t day;  // days since 1970-01-01
  Pillar year;       // in force at the end of the day
  Pillar month;      // in force at the end of the day
  Pillar dayPillar;
  std::optional<Festival> festival;
};

// Every civil day from `first` to `last` (days since 1970-01-01), derived from the terms, which must
// start with a 315-degree term before `first` and run past `last`.
std::vector<CalendarDay> calendarDays(const std::vector<SolarTerm>& terms, std::int64_t first, std::int64_t last);

// The text of one day line, without its line end.
std::string dayLine(const CalendarDay& day);

// One data file: the Buddhist-Era years it covers and the days it holds.
struct CalendarFile {
  int firstYear;  // Buddhist Era
  int lastYear;   // Buddhist Era, inclusive
  std::string name() const;
  std::int64_t firstDay() const;  // days since 1970-01-01
  std::int64_t lastDay() const;
};

// The files covering BE 2343..2743 (CE 1800..2200).
std::vector<CalendarFile> calendarFiles();

// Whole file texts, CRLF line ends.
std::string dataFileText(const CalendarFile& file, const std::vector<CalendarDay>& days);
std::string indexText(const std::vector<CalendarFile>& files);

}  // namespace calendar_gen
