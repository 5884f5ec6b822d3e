#include "book/client_rules.h"

#include "core/birth_input.h"
#include "core/civil_date.h"
#include "core/cp874.h"
#include "core/text.h"

namespace vesprin {
namespace {

std::size_t characterCount(std::string_view utf8) {
  std::size_t n = 0;
  for (const char c : utf8) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

constexpr const char* kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                       "July",    "August",   "September", "October", "November", "December"};

}  // namespace

std::string clientNameError(const std::string& name) {
  if (name.find_first_not_of(" \t") == std::string::npos) return "the name is empty";
  for (const char c : name)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
      return "the name " + quotedExcerpt(name) + " holds a control character";
  if (const std::size_t n = characterCount(name); n > kMaxNameLength)
    return concat({"the name ", quotedExcerpt(name), " has ", std::to_string(n), " characters, at most ",
                   std::to_string(kMaxNameLength)});
  if (const Cp874Encoding e = utf8ToCp874(name); !e.ok())
    return concat({"the name ", quotedExcerpt(name), " holds \"", e.badChar,
                   "\", which code page 874 (Thai) cannot hold"});
  return {};
}

std::string clientFieldsError(const ClientFields& f, const YearList& years) {
  if (std::string e = clientNameError(f.name); !e.empty()) return e;
  const ClientBirth& b = f.birth;
  if (b.month < 1 || b.month > 12) return concat({"the month ", std::to_string(b.month), " is not 01..12"});
  if (b.year < 1000 || b.year > 9999)
    return concat({"the year ", std::to_string(b.year), " is not a Buddhist-Era year of four digits"});
  const int ce = b.year - kBuddhistEraOffset;
  if (b.day < 1 || b.day > daysInMonth(ce, b.month))
    return concat({"the date ", birthDateText(b), " does not exist: ", kMonthNames[b.month - 1], " ",
                   std::to_string(b.year), " has ", std::to_string(daysInMonth(ce, b.month)), " days"});
  if (!years.years.empty() && (b.year < years.years.front() || b.year > years.years.back()))
    return concat({"the year ", std::to_string(b.year), " is outside the calendar (", std::to_string(years.years.front()),
                   "..", std::to_string(years.years.back()), ")"});
  if (b.hour < 0 || b.hour > 23) return concat({"the hour ", std::to_string(b.hour), " is not 00..23"});
  if (b.minute < 0 || b.minute > 59) return concat({"the minute ", std::to_string(b.minute), " is not 00..59"});
  if (f.pregnancy < 7 || f.pregnancy > 10)
    return concat({"the pregnancy ", std::to_string(f.pregnancy), " is not 07..10 months"});
  if (const auto& panel = f.marks.balance) {
    for (const std::string* text : {&panel->verdict, &panel->firstShare, &panel->secondShare})
      for (const char c : *text)
        if (c == '\n' || c == '\r')
          return "the balance panel's text " + quotedExcerpt(*text) + " holds a line break";
  }
  if (f.marks.analysisNote) {
    if (const Cp874Encoding e = utf8ToCp874(*f.marks.analysisNote); !e.ok())
      return concat({"the analysis note holds \"", e.badChar, "\", which code page 874 (Thai) cannot hold"});
  }
  return {};
}

namespace {

// One or two digits, or exactly `width` digits when width is 4.
bool digits(std::string_view t, std::size_t minWidth, std::size_t maxWidth) {
  if (t.size() < minWidth || t.size() > maxWidth) return false;
  for (const char c : t)
    if (c < '0' || c > '9') return false;
  return true;
}

}  // namespace

std::string parseBirthDate(std::string_view text, ClientBirth& b) {
  const std::size_t s1 = text.find('/'), s2 = s1 == std::string_view::npos ? s1 : text.find('/', s1 + 1);
  const std::string why = concat({"the date ", quotedExcerpt(text), " is not DD/MM/YYYY with a Buddhist-Era year"});
  if (s2 == std::string_view::npos || text.find('/', s2 + 1) != std::string_view::npos) return why;
  const std::string_view d = text.substr(0, s1), m = text.substr(s1 + 1, s2 - s1 - 1), y = text.substr(s2 + 1);
  if (!digits(d, 1, 2) || !digits(m, 1, 2) || !digits(y, 4, 4)) return why;
  const int year = toInt(y);
  if (year < 2300)
    return concat({"the date ", quotedExcerpt(text), ": ", y, " looks like a Christian-Era year; write the Buddhist-Era year ",
                   std::to_string(year + kBuddhistEraOffset)});
  b.day = toInt(d);
  b.month = toInt(m);
  b.year = year;
  return {};
}

std::string parseBirthTime(std::string_view text, ClientBirth& b) {
  const std::size_t colon = text.find(':');
  const std::string why = concat({"the time ", quotedExcerpt(text), " is not HH:MM (00:00..23:59)"});
  if (colon == std::string_view::npos) return why;
  const std::string_view h = text.substr(0, colon), m = text.substr(colon + 1);
  if (!digits(h, 1, 2) || !digits(m, 2, 2) || toInt(h) > 23 || toInt(m) > 59) return why;
  b.hour = toInt(h);
  b.minute = toInt(m);
  return {};
}

std::string parseGender(std::string_view text, Gender& g) {
  if (text == "male" || text == "m" || text == "ชาย") {
    g = Gender::Male;
  } else if (text == "female" || text == "f" || text == "หญิง") {
    g = Gender::Female;
  } else {
    return concat({"the gender ", quotedExcerpt(text), " is not male or female"});
  }
  return {};
}

std::string parsePregnancy(std::string_view text, int& months) {
  if (!digits(text, 1, 2) || toInt(text) < 7 || toInt(text) > 10)
    return concat({"the pregnancy ", quotedExcerpt(text), " is not 07..10 months"});
  months = toInt(text);
  return {};
}

const char* genderWord(Gender g) { return g == Gender::Male ? "male" : "female"; }

std::string birthDateText(const ClientBirth& b) {
  return concat({padded(b.day, 2), "/", padded(b.month, 2), "/", padded(b.year, 4)});
}

std::string birthTimeText(const ClientBirth& b) { return concat({padded(b.hour, 2), ":", padded(b.minute, 2)}); }

}  // namespace vesprin
