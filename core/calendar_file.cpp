#include "core/calendar_file.h"

#include <charconv>

#include "core/civil_date.h"
#include "core/text_file.h"

namespace vesprin {
namespace {

int number(std::string_view t) {
  int v = 0;
  std::from_chars(t.data(), t.data() + t.size(), v);
  return v;
}

// The civil date of "YYYY MM DD" (BE year); none when not a real date.
std::optional<std::int64_t> dayNumber(const std::string& dateText) {
  if (dateText.size() != 10) return std::nullopt;
  const std::string_view t = dateText;
  const CivilDate d{number(t.substr(0, 4)) - kBuddhistEraOffset, number(t.substr(5, 2)),
                    number(t.substr(8, 2))};
  if (!isValid(d)) return std::nullopt;
  return daysFromCivil(d);
}

}  // namespace

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
  auto lines = readRawLines(path);
  if (!lines) return {std::nullopt, "cannot read calendar file " + path};
  return fromLines(path, *lines);
}

CalendarFile::Load CalendarFile::fromLines(std::string path, const std::vector<std::string>& lines) {
  CalendarFile f;
  f.path_ = std::move(path);
  f.lines_.reserve(lines.size());
  f.lines_.emplace_back();  // the header is never read as a day
  std::int64_t previous = 0;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    if (i + 1 == lines.size() && lines[i].empty()) break;  // a final line end
    const std::string where = "calendar file " + f.path_ + " line " + std::to_string(i + 1) + ": ";
    auto parsed = parseCalendarDay(lines[i]);
    if (!parsed.ok) return {std::nullopt, where + "expected " + parsed.error};
    const auto n = dayNumber(parsed.day.dateText);
    if (!n) return {std::nullopt, where + "expected a real civil date in columns 1-10"};
    // Other rules count days by line distance, so a gap would shift them all.
    if (i > 1 && *n != previous + 1)
      return {std::nullopt, where + "expected the day after the previous line"};
    if (i == 1) f.firstDayNumber_ = *n;
    previous = *n;
    f.lines_.push_back(std::move(parsed.day));
  }
  return {std::move(f), {}};
}

}  // namespace vesprin
