#include "core/calendar_file.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "core/civil_date.h"
#include "core/text.h"
#include "core/text_file.h"

namespace vesprin {
namespace {

// The large festival that opens the month of the Tiger (branch 3) starts the
// Chinese year.
constexpr Branch kSpringMonthBranch(3);

// The pillars of the day after `before`: the day pillar one step on in the
// sixty-day cycle; the month one step on at a large festival, the year at the
// one that opens the Tiger month (spring); otherwise both as they were.
struct NextPillars {
  Pillar year, month, day;
};
constexpr NextPillars nextPillars(const CalendarDay& before, bool largeFestival) {
  const Pillar month = largeFestival ? before.month.next() : before.month;
  const bool spring = largeFestival && month.branch == kSpringMonthBranch;
  return {spring ? before.year.next() : before.year, month, before.day.next()};
}

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
  return {{byte(d.year.stem.number()), byte(d.year.branch.number()), byte(d.month.stem.number()),
           byte(d.month.branch.number()), byte(d.day.stem.number()), byte(d.day.branch.number())},
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
    // Each line is one step on in the day pillars, or the file is damaged;
    // year and month pillars turn only at a large festival, otherwise a birth
    // between two festivals would be cast into a month, or a year, that the
    // calendar never had.
    const bool large = day.mark == FestivalMark::Large;
    const NextPillars next = nextPillars(days_.back().unpacked(), large);
    if (day.day != next.day)
      return where() + "day pillar " + padded(next.day.stem.number(), 2) + padded(next.day.branch.number(), 2) +
             " in columns 22-25, one step after the previous line's";
    if (day.month != next.month)
      return where() + "month pillar " + padded(next.month.stem.number(), 2) +
             padded(next.month.branch.number(), 2) + " in columns 17-20, " +
             (large ? "one step after the previous line's at a large festival"
                    : "the previous line's (no large festival on this line)");
    const bool spring = large && next.month.branch == kSpringMonthBranch;
    if (day.year != next.year)
      return where() + "year pillar " + padded(next.year.stem.number(), 2) + padded(next.year.branch.number(), 2) +
             " in columns 12-15, " +
             (spring ? "one step after the previous line's at the spring festival"
                     : large ? "the previous line's (the year turns at the spring festival only)"
                             : "the previous line's (no large festival on this line)");
  }
  if (days_.empty()) firstDayNumber_ = *n;
  days_.push_back(PackedDay::of(day));
  return {};
}

bool CalendarFile::addNextDay(std::string_view text, std::size_t& at) {
  // "YYYY MM DD SSBB SSBB SSBB HH:MM", then " *" or " **", then the line end.
  static constexpr std::size_t kWidth = 31;
  if constexpr (std::endian::native != std::endian::little) return false;
  if (days_.empty() || text.size() - at < kWidth) return false;
  const char* const p = text.data() + at;
  // The line end: a festival mark, then CR LF, LF or the end of the text.
  std::size_t end = at + kWidth;
  FestivalMark mark = FestivalMark::None;
  if (end < text.size() && text[end] == ' ') {
    if (end + 1 >= text.size() || text[end + 1] != '*') return false;
    const bool large = end + 2 < text.size() && text[end + 2] == '*';
    mark = large ? FestivalMark::Large : FestivalMark::Small;
    end += large ? 3 : 2;
  }
  std::size_t next = end;
  if (end < text.size()) {
    if (text[end] == '\n') next = end + 1;
    else if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') next = end + 2;
    else return false;
  }
  // The line this day must be, up to its festival time: the day after the
  // last line's date, the day pillar one step on, the month one step on at a
  // large festival, the year at the spring one. Compared as whole words.
  int y = last_[0], m = last_[1], d = last_[2];
  stepOn(y, m, d);
  const bool large = mark == FestivalMark::Large;
  const auto [year, month, day] = nextPillars(days_.back().unpacked(), large);
  if (y < 0 || y > 9999) return false;
  static constexpr auto kTwoDigits = [] {
    std::array<std::array<char, 2>, 100> t{};
    for (int v = 0; v < 100; ++v) t[static_cast<std::size_t>(v)] = {static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)};
    return t;
  }();
  char want[32] = "YYYY MM DD SSBB SSBB SSBB ";
  const auto put = [&](std::size_t i, int v) { std::memcpy(want + i, kTwoDigits[static_cast<std::size_t>(v)].data(), 2); };
  put(0, y / 100);
  put(2, y % 100);
  put(5, m);
  put(8, d);
  put(11, year.stem.number());
  put(13, year.branch.number());
  put(16, month.stem.number());
  put(18, month.branch.number());
  put(21, day.stem.number());
  put(23, day.branch.number());
  std::uint64_t line[3], wanted[3];
  std::memcpy(line, p, 24);
  std::memcpy(wanted, want, 24);
  if (((line[0] ^ wanted[0]) | (line[1] ^ wanted[1]) | (line[2] ^ wanted[2])) != 0 || p[24] != want[24] ||
      p[25] != ' ' || p[28] != ':')
    return false;
  // The festival time: digits, the hour at most 24, the minute (read at a
  // large festival only) at most 59.
  const auto digit = [p](std::size_t i) { return static_cast<unsigned>(p[i] - '0'); };
  if (digit(26) > 9 || digit(27) > 9 || digit(29) > 9 || digit(30) > 9) return false;
  const int hour = static_cast<int>(digit(26) * 10 + digit(27));
  const int minute = large ? static_cast<int>(digit(29) * 10 + digit(30)) : 0;
  if (hour > 24 || minute > 59) return false;
  const auto byte = [](int v) { return static_cast<std::uint8_t>(v); };
  days_.push_back({{byte(year.stem.number()), byte(year.branch.number()), byte(month.stem.number()),
                    byte(month.branch.number()), byte(day.stem.number()), byte(day.branch.number())},
                   byte(hour),
                   byte(minute),
                   mark});
  last_ = {y, m, d};
  at = next;
  return true;
}

CalendarFile::Load CalendarFile::fromText(std::string path, std::string_view text) {
  CalendarFile f;
  f.path_ = std::move(path);
  f.days_.reserve(text.size() / 32 + 1);
  // Line by line as forEachLine reads them (LF or CR LF ends a line); most
  // lines take the quick way of addNextDay, any other the full parse.
  std::size_t number = 0;
  for (std::size_t start = 0; start < text.size();) {
    ++number;
    if (number > 1 && f.addNextDay(text, start)) continue;
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::size_t stop = end;
    if (stop > start && text[stop - 1] == '\r') --stop;
    if (number == 1) {
      f.hasHeader_ = true;  // the header is never read as a day
    } else if (std::string error = f.addDay(text.substr(start, stop - start), number); !error.empty()) {
      return {std::nullopt, std::move(error)};
    }
    start = end + 1;
  }
  return {std::move(f), {}};
}

CalendarFile::Load CalendarFile::fromLines(std::string path, const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& l : lines) (text += l) += '\n';
  return fromText(std::move(path), text);
}

std::optional<CalendarDay> readDayLine(const std::string& path, std::string_view dateText) {
  const auto target = dayNumber(dateText);
  if (!target) return std::nullopt;
  const auto file = MappedFile::open(path, /*whole=*/false);
  if (!file) return std::nullopt;
  const std::string_view text = file->text();
  // The line that starts at `at`, without its line end.
  const auto lineAt = [&](std::size_t at) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
  };
  const std::size_t firstDay = text.find('\n');
  if (firstDay == std::string_view::npos || firstDay + 1 >= text.size()) return std::nullopt;
  const std::string_view first = lineAt(firstDay + 1);
  const auto firstNumber = dayNumber(first.substr(0, 10));
  if (!firstNumber || *firstNumber > *target) return std::nullopt;
  // Where the line would start if every line were as wide as the first day's.
  const auto endsWithCr = [&](std::size_t at, std::string_view line) {
    return text.substr(at + line.size(), 1) == "\r";
  };
  const std::size_t width = first.size() + (endsWithCr(firstDay + 1, first) ? 2 : 1);
  const auto days = static_cast<std::size_t>(*target - *firstNumber);
  std::size_t at = std::min(firstDay + 1 + days * width, text.size() - 1);
  at = text.rfind('\n', at == 0 ? 0 : at - 1);
  at = at == std::string_view::npos || at < firstDay ? firstDay + 1 : at + 1;
  // Line by line to the date: the wider festival lines put the guess short of it.
  int direction = 0;  // +1 forward, -1 back: a turn means the date is not there
  for (std::size_t steps = 0; steps < 4096 && at < text.size(); ++steps) {
    const std::string_view line = lineAt(at);
    const auto n = dayNumber(line.substr(0, std::min<std::size_t>(line.size(), 10)));
    if (!n) return std::nullopt;
    if (*n == *target) {
      CalendarDayParse parsed = parseCalendarDay(line);
      if (!parsed.ok || parsed.dateText != dateText) return std::nullopt;
      return parsed.day;
    }
    const int way = *n < *target ? 1 : -1;
    if (direction == -way) return std::nullopt;
    direction = way;
    if (way > 0) {
      at += line.size() + (endsWithCr(at, line) ? 2 : 1);
    } else {
      if (at <= firstDay + 1) return std::nullopt;
      const std::size_t before = text.rfind('\n', at - 2);
      if (before == std::string_view::npos || before < firstDay) return std::nullopt;
      at = before + 1;
    }
  }
  return std::nullopt;
}

}  // namespace vesprin
