#pragma once
// A birth as the person gives it: parsed once where it enters the engine (the
// hand-over's birth record, a vesprin-cast input line, the desk's form) and
// carried as numbers and types from there on.
#include <compare>
#include <string>

#include "core/civil_date.h"
#include "core/gender.h"

namespace vesprin {

// A civil date with its year counted in the Buddhist Era, as Thai dates are written.
struct BirthDate {
  int day = 1;    // 1..31
  int month = 1;  // 1..12
  int year = 0;   // Buddhist Era

  constexpr CivilDate civil() const { return {year - kBuddhistEraOffset, month, day}; }
  static constexpr BirthDate fromCivil(CivilDate d) { return {d.day, d.month, d.year + kBuddhistEraOffset}; }
  friend constexpr bool operator==(const BirthDate&, const BirthDate&) = default;
};

// A time of day on the clock; earlier times order first.
struct ClockTime {
  int hour = 0;    // 0..23
  int minute = 0;  // 0..59
  friend constexpr auto operator<=>(const ClockTime&, const ClockTime&) = default;
};

struct Birth {
  std::string name;  // UTF-8; the cast keeps its first 120 characters
  Gender gender = Gender::Male;
  BirthDate date;
  ClockTime time;
  int pregnancyMonths = 9;  // 7..10
  friend bool operator==(const Birth&, const Birth&) = default;
};

}  // namespace vesprin
