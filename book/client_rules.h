#pragma once
// What the book accepts as a client: the same rules the engine's input fields
// and the hand-over files hold a birth and a name to, checked before anything
// is written, so that every client in the book can be printed.
#include <string>
#include <string_view>

#include "book/client.h"
#include "core/calendar_index.h"

namespace vesprin {

// Why the fields cannot be kept, naming the field and the value; empty when
// they can. `years`: the calendar's selectable years (none given: the year is
// only checked to be a Buddhist-Era year of four digits).
std::string clientFieldsError(const ClientFields& fields, const YearList& years);

// The name alone: not empty, at most 120 characters, each one code page 874
// holds, no control characters.
std::string clientNameError(const std::string& name);

// "05/03/2530" and "07:30", as the command line and the CSV files write them.
std::string birthDateText(const ClientBirth& birth);
std::string birthTimeText(const ClientBirth& birth);

// The typed texts, as `vesprin-book add` and the CSV files take them; each
// gives the reason naming the text when it is refused, or empty.
// "05/03/2530": day, month and the year in the Buddhist Era.
std::string parseBirthDate(std::string_view text, ClientBirth& birth);
// "07:30": hour 00..23, minute 00..59.
std::string parseBirthTime(std::string_view text, ClientBirth& birth);
// "male" or "female" (also "m", "f", "ชาย", "หญิง").
std::string parseGender(std::string_view text, Gender& gender);
// "07".."10" (or "7".."10") months.
std::string parsePregnancy(std::string_view text, int& months);
const char* genderWord(Gender gender);  // "male", "female"

}  // namespace vesprin
