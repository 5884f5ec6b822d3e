#include "core/calendar_file.h"

#include "core/civil_date.h"
#include "core/text.h"
#include "core/text_file.h"

namespace vesprin {
namespace {

// The large festival that opens the month of the Tiger (branch 3) starts the
// Chinese year.
constexpr ZodiacBelow kSpringMonthBranch = 3;

// The civil date of "YYYY MM DD" (BE year); none when not a real date.
std::optional<std::int64_t> dayNumber(const std::string& dateText) {
  if (dateText.size() != 10) return std::nullopt;
  const std::string_view t = dateText;
  const CivilDate d{toInt(t.substr(0, 4)) - kBuddhistEraOffset, toInt(t.substr(5, 2)),
                    toInt(t.substr(8, 2))};
  if (!isValid(d)) return std::nullopt;
  return daysFromCivil(d);
}

}  // namespace

std::string dateTextOf(const BirthDate& d) {
  return concat({padded(d.year, 4), " ", padded(d.month, 2), " ", padded(d.day, 2)});
}

std::optional<int> CalendarFile::findDate(const std::string& dateText) const {
  // The lines are checked consecutive at load, so the position follows from
  // the date; the comparison of the date text makes the answer the scan's.
  const auto n = dayNumber(dateText);
  if (!n || lines_.size() < 2) return std::nullopt;
  const std::int64_t pos = *n - firstDayNumber_ + 1;
  if (pos < 1 || pos >= static_cast<std::int64_t>(lines_.size())) return std::nullopt;
  const int p = static_cast<int>(pos);
  if (lines_[static_cast<std::size_t>(p)].dateText != dateText) return std::nullopt;
  return p;
}

CalendarFile::Load CalendarFile::load(const std::string& path) {
  auto text = readWholeFile(path);
  if (!text) return {std::nullopt, "cannot read calendar file " + path};
  return fromText(path, *text);
}

std::string CalendarFile::addDay(std::string_view line, std::size_t number) {
  const auto where = [&] {
    return "calendar file " + path_ + " line " + std::to_string(number) + ": expected ";
  };
  auto parsed = parseCalendarDay(line);
  if (!parsed.ok) return where() + parsed.error;
  const auto n = dayNumber(parsed.day.dateText);
  if (!n) return where() + "a real civil date in columns 1-10";
  // Other rules count days by line distance, so a gap would shift them all.
  if (lines_.size() > 1 && *n != firstDayNumber_ + static_cast<std::int64_t>(lines_.size()) - 1)
    return where() + "the day after the previous line";
  // The day pillar counts the days of the sixty-day cycle: each line is one
  // step on from the line before, or the file is damaged.
  if (lines_.size() > 1) {
    const Pillar next = pillarAdd(lines_.back().day, 1);
    if (parsed.day.day != next)
      return where() + "day pillar " + padded(next.stem, 2) + padded(next.branch, 2) +
             " in columns 22-25, one step after the previous line's";
  }
  // Year and month pillars turn only at a large festival: the month one step
  // on at each, the year at the one that opens the Tiger month (spring).
  // Otherwise a birth between two festivals would be cast into a month, or a
  // year, that the calendar never had.
  if (lines_.size() > 1) {
    const CalendarDay& before = lines_.back();
    const bool large = parsed.day.mark == FestivalMark::Large;
    const Pillar month = large ? pillarAdd(before.month, 1) : before.month;
    const char* unchanged = large ? "the previous line's (the year turns at the spring festival only)"
                                  : "the previous line's (no large festival on this line)";
    if (parsed.day.month != month)
      return where() + "month pillar " + padded(month.stem, 2) + padded(month.branch, 2) +
             " in columns 17-20, " +
             (large ? "one step after the previous line's at a large festival"
                    : "the previous line's (no large festival on this line)");
    const bool spring = large && month.branch == kSpringMonthBranch;
    const Pillar year = spring ? pillarAdd(before.year, 1) : before.year;
    if (parsed.day.year != year)
      return where() + "year pillar " + padded(year.stem, 2) + padded(year.branch, 2) +
             " in columns 12-15, " +
             (spring ? "one step after the previous line's at the spring festival" : unchanged);
  }
  if (lines_.size() == 1) firstDayNumber_ = *n;
  lines_.push_back(std::move(parsed.day));
  return {};
}

CalendarFile::Load CalendarFile::fromText(std::string path, std::string_view text) {
  CalendarFile f;
  f.path_ = std::move(path);
  f.lines_.reserve(text.size() / 32 + 1);
  std::size_t number = 0;
  std::string error;
  forEachLine(text, [&](std::string_view line) {
    ++number;
    if (number == 1) {
      f.lines_.emplace_back();  // the header is never read as a day
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
