#include "calendar_file.h"

#include "thai_time.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <stdexcept>

namespace calendar_gen {
namespace {

constexpr const char* kHeader =
    "Year(4) Month(2) Date(2) Years(2) ZodiacOnYearBelowYear(4) ZodiacOnMonthBelowMonth(4) "
    "ZodiacOnDateBelowDate(4) Time(5) (**=LargeFestival/*=SmallFestival)";
constexpr const char* kLineEnd = "\r\n";  // the files go to Windows users

constexpr int kFirstYear = 2343;  // BE, CE 1800
constexpr int kLastYear = 2743;   // BE, CE 2200
constexpr int kYearsPerFile = 50;

std::int64_t floorMod(std::int64_t a, std::int64_t m) { return ((a % m) + m) % m; }

// The branch of the month a month-opening term starts: 315 degrees opens the month of branch 3,
// each further 30 degrees the next branch, so 285 degrees opens the month of branch 2.
int monthBranch(int termLongitude) { return static_cast<int>(floorMod((termLongitude - 315) / 30 + 2, 12)) + 1; }

// The month stem follows from the stem of the Chinese year in force: the month of branch 3 in a year
// of stem 1 has stem 3, and each later month one stem more; branches 1 and 2 close the year.
int monthStem(int branch, int yearStem) {
  int stem = branch >= 3 ? branch + 2 * yearStem - 2 : branch + 2 * yearStem;
  while (stem > 10) stem -= 10;
  return stem;
}

// The Chinese year that starts at the 315-degree term of the Christian-Era year: 1984 is cycle place 0.
Pillar yearPillar(int christianEraYear) { return sexagenaryPillar(christianEraYear - 4); }

// 1 January 2000, JDN 2451545, has stem 5 and branch 7: cycle place 54.
Pillar dayPillarOf(std::int64_t day) { return sexagenaryPillar(julianDayNumber(day) + 49); }

}  // namespace

Pillar sexagenaryPillar(std::int64_t index) {
  const std::int64_t i = floorMod(index, 60);
  return {static_cast<int>(i % 10) + 1, static_cast<int>(i % 12) + 1};
}

std::vector<CalendarDay> calendarDays(const std::vector<SolarTerm>& terms, std::int64_t first, std::int64_t last) {
  struct TermDay {
    int longitude;
    Festival festival;
  };
  std::map<std::int64_t, TermDay> festivals;  // by Thai civil day
  for (const SolarTerm& term : terms) {
    const ThaiMinute at = thaiMinute(term.jdUt);
    const auto ut = static_cast<std::int64_t>(std::floor((term.jdUt - kUnixEpochJd) * 86400.0));
    if (!agreesWithTzDatabase(ut))
      throw std::runtime_error("Thai civil time differs from the tz database (Asia/Bangkok) at the term " +
                               std::to_string(term.longitude) + " of JD(UT) " + std::to_string(term.jdUt));
    const auto [it, inserted] = festivals.try_emplace(at.day, TermDay{term.longitude, {term.opensMonth(), at.hour, at.minute}});
    if (!inserted) {
      const CivilDate d = civilFromDays(at.day);
      throw std::runtime_error("two solar terms (" + std::to_string(it->second.longitude) + " and " +
                               std::to_string(term.longitude) + " degrees) on one civil day " +
                               std::to_string(d.year) + "-" + std::to_string(d.month) + "-" + std::to_string(d.day));
    }
  }

  // Walk from the first New Year term, where both the year and the month become known.
  auto it = festivals.begin();
  while (it != festivals.end() && it->second.longitude != 315) ++it;
  if (it == festivals.end() || it->first > first || festivals.rbegin()->first < last)
    throw std::runtime_error("solar terms do not span the days asked for");

  std::vector<CalendarDay> days;
  Pillar year{}, month{};
  for (std::int64_t day = it->first; day <= last; ++day) {
    std::optional<Festival> festival;
    if (const auto f = festivals.find(day); f != festivals.end()) {
      const int longitude = f->second.longitude;
      festival = f->second.festival;
      if (longitude == 315) year = yearPillar(civilFromDays(day).year);
      if (festival->large) {
        const int branch = monthBranch(longitude);
        month = {monthStem(branch, year.stem), branch};
      }
    }
    if (day >= first) days.push_back({day, year, month, dayPillarOf(day), festival});
  }
  return days;
}

std::string dayLine(const CalendarDay& d) {
  const CivilDate date = civilFromDays(d.day);
  const Festival time = d.festival.value_or(Festival{false, 0, 0});  // "00:00" on days without a festival
  char line[64];
  std::snprintf(line, sizeof line, "%04d %02d %02d %02d%02d %02d%02d %02d%02d %02d:%02d%s", date.year + kBuddhistEraOffset,
                date.month, date.day, d.year.stem, d.year.branch, d.month.stem, d.month.branch, d.dayPillar.stem,
                d.dayPillar.branch, time.hour, time.minute, !d.festival ? "" : d.festival->large ? " **" : " *");
  return line;
}

std::string CalendarFile::name() const { return "CAL" + std::to_string(firstYear) + ".DAT"; }

// Two whole years before the first year covered, so that every look-back from a birth in the
// first year (to earlier festivals and month starts) stays inside the file; three months after the
// last year, for the look-ahead to the next festival.
std::int64_t CalendarFile::firstDay() const { return daysFromCivil({firstYear - kBuddhistEraOffset - 2, 1, 1}); }
std::int64_t CalendarFile::lastDay() const { return daysFromCivil({lastYear - kBuddhistEraOffset + 1, 3, 31}); }

std::vector<CalendarFile> calendarFiles() {
  std::vector<CalendarFile> files;
  for (int first = kFirstYear; first <= kLastYear; first += kYearsPerFile) {
    // The odd year left at the end joins the last file rather than standing alone.
    const bool last = first + 2 * kYearsPerFile > kLastYear + 1;
    files.push_back({first, last ? kLastYear : first + kYearsPerFile - 1});
    if (last) break;
  }
  return files;
}

std::string dataFileText(const CalendarFile& file, const std::vector<CalendarDay>& days) {
  std::string text = std::string(kHeader) + kLineEnd;
  for (const CalendarDay& d : days)
    if (d.day >= file.firstDay() && d.day <= file.lastDay()) text += dayLine(d) + kLineEnd;
  return text;
}

std::string indexText(const std::vector<CalendarFile>& files) {
  std::string text = std::string("; Vesprin calendar: Buddhist-Era year ranges and the data files beside this index") + kLineEnd;
  text += std::string("[DATA CALENDAR]") + kLineEnd;
  for (const CalendarFile& f : files)
    text += std::to_string(f.firstYear) + " to " + std::to_string(f.lastYear) + "   " + f.name() + kLineEnd;
  text += std::string("[END OF DATA]") + kLineEnd;
  return text;
}

}  // namespace calendar_gen
