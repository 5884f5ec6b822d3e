#pragma once
// Years as the astrologer types and reads them: Buddhist Era throughout. Qt's
// Thai locale counts in the Christian Era, so every conversion of the desk is
// made here and nowhere else.
#include <string>

#include "core/calendar_index.h"
#include "core/civil_date.h"
#include "core/clock.h"

namespace vesprin {

constexpr int toBuddhistEra(int christianYear) { return christianYear + kBuddhistEraOffset; }
constexpr int toChristianEra(int buddhistYear) { return buddhistYear - kBuddhistEraOffset; }

// The year the calendar offers for input (its selectable years).
bool selectableYear(int buddhistYear, const YearList& years);

// A typed year read as Buddhist Era: a Christian-Era year whose Buddhist-Era
// counterpart the calendar offers is converted (the two ranges never
// overlap); any other number stays as typed.
struct TypedYear {
  int buddhistYear = 0;
  bool converted = false;
};
TypedYear typedYear(int typed, const YearList& years);

// This year in the Buddhist Era, from the engine's clock ($VESPRIN_TODAY).
int currentBuddhistYear(const Clock& clock);

// "05/03/2530": a birth date as Thai forms write it.
std::string thaiDateText(int day, int month, int buddhistYear);

}  // namespace vesprin
