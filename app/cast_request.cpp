#include "app/cast_request.h"

#include <array>

#include "app/cast_json.h"
#include "app/cast_pipeline.h"
#include "core/text.h"

namespace vesprin {
namespace {

// The ranges of the two-digit fields, for both ways of reading a line.
struct FieldRange {
  int lo, hi;
  constexpr bool holds(int v) const { return v >= lo && v <= hi; }
};
constexpr FieldRange kDay{1, 31}, kMonth{1, 12}, kHour{0, 23}, kMinute{0, 59}, kPregnancy{7, 10};

// A whole number of one or two digits within the range.
std::optional<int> twoDigitField(std::string_view t, FieldRange range) {
  if (t.empty() || t.size() > 2 || t.find_first_not_of("0123456789") != std::string_view::npos)
    return std::nullopt;
  const int v = toInt(t);
  if (!range.holds(v)) return std::nullopt;
  return v;
}

constexpr std::string_view kBlanks = " \t\n\v\f\r";
constexpr std::size_t kFieldCount = 7;

}  // namespace

namespace {

// The common line, "DD MM YYYY HH MM G P" with single blanks, two-digit
// fields and the gender as a letter, read without splitting it; none for
// any other line, which the full reading takes (and refuses with its reason).
std::optional<Birth> quickCastRequest(std::string_view line) {
  if (line.size() != 21) return std::nullopt;
  for (const std::size_t blank : {2, 5, 10, 13, 16, 18})
    if (line[blank] != ' ') return std::nullopt;
  for (const std::size_t digit : {0, 1, 3, 4, 6, 7, 8, 9, 11, 12, 14, 15, 19, 20})
    if (line[digit] < '0' || line[digit] > '9') return std::nullopt;
  const auto two = [&](std::size_t i) { return (line[i] - '0') * 10 + (line[i + 1] - '0'); };
  const int day = two(0), month = two(3), hour = two(11), minute = two(14), toBeBorn = two(19);
  if (!kDay.holds(day) || !kMonth.holds(month) || !kHour.holds(hour) || !kMinute.holds(minute) ||
      !kPregnancy.holds(toBeBorn))
    return std::nullopt;
  Birth b;
  const char g = line[17];
  if (g == 'm' || g == 'M') b.gender = Gender::Male;
  else if (g == 'f' || g == 'F') b.gender = Gender::Female;
  else return std::nullopt;
  b.date = {day, month, two(6) * 100 + two(8)};
  b.time = {hour, minute};
  b.pregnancyMonths = toBeBorn;
  return b;
}

}  // namespace

CastRequestParse parseCastRequest(std::string_view line) {
  CastRequestParse r;
  if (std::optional<Birth> quick = quickCastRequest(line)) {
    r.birth = std::move(quick);
    return r;
  }
  std::array<std::string_view, kFieldCount> f;
  std::size_t count = 0;
  for (std::size_t at = line.find_first_not_of(kBlanks); at != std::string_view::npos;) {
    const std::size_t end = std::min(line.find_first_of(kBlanks, at), line.size());
    if (count < kFieldCount) f[count] = line.substr(at, end - at);
    ++count;
    at = line.find_first_not_of(kBlanks, end);
  }
  if (count != kFieldCount) {
    r.error = "expected 7 fields \"DD MM YYYY HH MM G P\", got " + std::to_string(count);
    return r;
  }
  const auto day = twoDigitField(f[0], kDay);
  const auto month = twoDigitField(f[1], kMonth);
  const auto hour = twoDigitField(f[3], kHour);
  const auto minute = twoDigitField(f[4], kMinute);
  const auto toBeBorn = twoDigitField(f[6], kPregnancy);
  const bool year = f[2].size() == 4 && f[2].find_first_not_of("0123456789") == std::string_view::npos;
  const auto bad = [&](const char* what, std::string_view field, const char* expected) {
    r.error = concat({what, " ", quotedExcerpt(field), ": expected ", expected});
  };
  if (!day) bad("day", f[0], "01-31");
  else if (!month) bad("month", f[1], "01-12");
  else if (!year) bad("year", f[2], "a four-digit Buddhist-Era year");
  else if (!hour) bad("hour", f[3], "00-23");
  else if (!minute) bad("minute", f[4], "00-59");
  else if (!toBeBorn) bad("pregnancy months", f[6], "07-10");
  if (!r.error.empty()) return r;

  Birth b;
  const std::string_view g = f[5];
  if (g == "m" || g == "M" || g == "ชาย") b.gender = Gender::Male;
  else if (g == "f" || g == "F" || g == "หญิง") b.gender = Gender::Female;
  else {
    bad("gender", g, "m, f, ชาย or หญิง");
    return r;
  }
  b.date = {*day, *month, toInt(f[2])};
  b.time = {*hour, *minute};
  b.pregnancyMonths = *toBeBorn;
  r.birth = std::move(b);
  return r;
}

bool isBirthLine(std::string_view line) {
  const std::size_t first = line.find_first_not_of(kBlanks);
  return first != std::string_view::npos && line[first] != '#';
}

bool castLineToJson(std::string_view line, CalendarSession& calendar, ScriptedUserInterface& ui,
                    const YearList& years, std::string& json, const BoundaryRule& boundaries) {
  ui.messages.clear();
  const CastRequestParse request = parseCastRequest(line);
  if (!request.birth) {
    appendErrorJson(json, request.error);
    return false;
  }
  const int year = request.birth->date.year;
  if (years.years.empty() || year < years.years.front() || year > years.years.back()) {
    appendErrorJson(json, years.years.empty()
                              ? "the calendar has no selectable year"
                              : concat({"year ", padded(year, 4),
                                        " is outside the calendar's years ",
                                        std::to_string(years.years.front()), "-",
                                        std::to_string(years.years.back())}));
    return false;
  }
  calendar.startFreshRun();
  const CastOutcome outcome = CastChart(calendar, ui, *request.birth, std::nullopt, boundaries);
  appendCastJson(json, outcome, ui.messages);
  return outcome.status == CastOutcome::Status::Cast ||
         outcome.status == CastOutcome::Status::CyclesUnknown;
}

}  // namespace vesprin
