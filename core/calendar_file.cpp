#include "core/calendar_file.h"

#include "core/civil_date.h"
#include "core/text.h"
#include "core/text_file.h"

namespace vesprin {
namespace {

// The large festival that opens the month of the Tiger (branch 3) starts the
// Chinese year.
constexpr ZodiacBelow kSpringMonthBranch = 3;

// The civil day number of a BE date; none when not a real date.
std::optional<std::int64_t> dayNumber(int beYear, int month, int day) {
  const CivilDate d{beYear - kBuddhistEraOffset, month, day};
  if (!isValid(d)) return std::nullopt;
  return daysFromCivil(d);
}

// The same of "YYYY MM DD" written with digits and single blanks, the only
// way a loaded line writes its date; none for any other text.
std::optional<std::int64_t> dayNumber(std::string_view t) {
  if (t.size() != 10 || t[4] != ' ' || t[7] != ' ') return std::nullopt;
  for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
    if (t[i] < '0' || t[i] > '9') return std::nullopt;
  return dayNumber(toInt(t.substr(0, 4)), toInt(t.substr(5, 2)), toInt(t.substr(8, 2)));
}

// One step on in the sixty-day cycle, for a pillar known to be one of the
// sixty (pillarAdd without its division).
constexpr Pillar stepOn(Pillar p) {
  return {p.stem == kStemCount ? 1 : p.stem + 1, p.branch == kBranchCount ? 1 : p.branch + 1};
}

// The day after a BE date, as numbers.
constexpr void stepOn(int& year, int& month, int& day) {
  if (day < daysInMonth(year - kBuddhistEraOffset, month)) {
    ++day;
  } else if (month < 12) {
    ++month;
    day = 1;
  } else {
    ++year;
    month = 1;
    day = 1;
  }
}

}  // namespace

std::string dateTextOf(const BirthDate& d) {
  return concat({padded(d.year, 4), " ", padded(d.month, 2), " ", padded(d.day, 2)});
}

CalendarFile::PackedDay CalendarFile::PackedDay::of(const CalendarDay& d) {
  const auto byte = [](int v) { return static_cast<std::uint8_t>(v); };
  return {{byte(d.year.stem), byte(d.year.branch), byte(d.month.stem), byte(d.month.branch),
           byte(d.day.stem), byte(d.day.branch)},
          byte(d.festivalHour),
          byte(d.festivalMinute),
          d.mark};
}

std::string CalendarFile::dateText(int position) const {
  const CivilDate d = civilFromDays(dayNumberAt(position));
  return padded(d.year + kBuddhistEraOffset, 4) + ' ' + padded(d.month, 2) + ' ' + padded(d.day, 2);
}

std::optional<int> CalendarFile::findDate(std::string_view dateText) const {
  // The lines are checked consecutive at load and each writes its date in
  // the one layout that dayNumber reads, so the position follows from the
  // date and its line holds exactly this text.
  const auto n = dayNumber(dateText);
  if (!n) return std::nullopt;
  return positionOfDay(*n);
}

CalendarFile::Load CalendarFile::load(const std::string& path) {
  // The file is mapped rather than copied into a buffer: its text is read
  // once, front to back, and only the packed days are kept.
  const auto text = MappedFile::open(path);
  if (!text) return {std::nullopt, "cannot read calendar file " + path};
  return fromText(path, text->text());
}

std::string CalendarFile::addDay(std::string_view line, std::size_t number) {
  const auto where = [&] {
    return "calendar file " + path_ + " line " + std::to_string(number) + ": expected ";
  };
  // A line in the generator's own layout is read in one pass; any other goes
  // through the full parse, which reads what it can and words the refusal.
  CalendarDay day;
  std::optional<std::int64_t> n;
  if (WellFormedDay fast; parseWellFormedDay(line, fast)) {
    day = fast.day;
    // The day after the previous line's is the common case, and needs no
    // day count of its own.
    int y = last_[0], m = last_[1], d = last_[2];
    stepOn(y, m, d);
    if (!days_.empty() && y == fast.year && m == fast.month && d == fast.dayOfMonth)
      n = firstDayNumber_ + static_cast<std::int64_t>(days_.size());
    else
      n = dayNumber(fast.year, fast.month, fast.dayOfMonth);
    last_ = {fast.year, fast.month, fast.dayOfMonth};
  } else {
    auto parsed = parseCalendarDay(line);
    if (!parsed.ok) return where() + parsed.error;
    day = parsed.day;
    n = dayNumber(parsed.dateText);
    const std::string_view t = parsed.dateText;
    last_ = {toInt(t.substr(0, 4)), toInt(t.substr(5, 2)), toInt(t.substr(8, 2))};
  }
  if (!n) return where() + "a real civil date in columns 1-10";
  // Other rules count days by line distance, so a gap would shift them all.
  if (!days_.empty() && *n != firstDayNumber_ + static_cast<std::int64_t>(days_.size()))
    return where() + "the day after the previous line";
  if (!days_.empty()) {
    const CalendarDay before = days_.back().unpacked();
    // The day pillar counts the days of the sixty-day cycle: each line is one
    // step on from the line before, or the file is damaged.
    const Pillar next = stepOn(before.day);
    if (day.day != next)
      return where() + "day pillar " + padded(next.stem, 2) + padded(next.branch, 2) +
             " in columns 22-25, one step after the previous line's";
    // Year and month pillars turn only at a large festival: the month one step
    // on at each, the year at the one that opens the Tiger month (spring).
    // Otherwise a birth between two festivals would be cast into a month, or a
    // year, that the calendar never had.
    const bool large = day.mark == FestivalMark::Large;
    const Pillar month = large ? stepOn(before.month) : before.month;
    const char* unchanged = large ? "the previous line's (the year turns at the spring festival only)"
                                  : "the previous line's (no large festival on this line)";
    if (day.month != month)
      return where() + "month pillar " + padded(month.stem, 2) + padded(month.branch, 2) +
             " in columns 17-20, " +
             (large ? "one step after the previous line's at a large festival"
                    : "the previous line's (no large festival on this line)");
    const bool spring = large && month.branch == kSpringMonthBranch;
    const Pillar year = spring ? stepOn(before.year) : before.year;
    if (day.year != year)
      return where() + "year pillar " + padded(year.stem, 2) + padded(year.branch, 2) +
             " in columns 12-15, " +
             (spring ? "one step after the previous line's at the spring festival" : unchanged);
  }
  if (days_.empty()) firstDayNumber_ = *n;
  days_.push_back(PackedDay::of(day));
  return {};
}

CalendarFile::Load CalendarFile::fromText(std::string path, std::string_view text) {
  CalendarFile f;
  f.path_ = std::move(path);
  f.days_.reserve(text.size() / 32 + 1);
  std::size_t number = 0;
  std::string error;
  forEachLine(text, [&](std::string_view line) {
    ++number;
    if (number == 1) {
      f.hasHeader_ = true;  // the header is never read as a day
    } else if (error.empty()) {
      error = f.addDay(line, number);
    }
  });
  if (!error.empty()) return {std::nullopt, error};
  return {std::move(f), {}};
}

CalendarFile::Load CalendarFile::fromLines(std::string path, const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& l : lines) (text += l) += '\n';
  return fromText(std::move(path), text);
}

}  // namespace vesprin
