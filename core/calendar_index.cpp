#include "core/calendar_index.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace vesprin {
namespace {

bool startsWithUpper(const std::string& line, std::string_view marker) {
  if (line.size() < marker.size()) return false;
  for (std::size_t i = 0; i < marker.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(line[i])) != marker[i]) return false;
  return true;
}

std::optional<int> fourDigits(const std::string& line, std::size_t from) {
  if (line.size() < from + 4) return std::nullopt;
  int v = 0;
  for (std::size_t i = from; i < from + 4; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(line[i]))) return std::nullopt;
    v = v * 10 + (line[i] - '0');
  }
  return v;
}

}  // namespace

CalendarIndex::Parse CalendarIndex::parse(const std::vector<std::string>& lines) {
  std::optional<std::size_t> section;
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (startsWithUpper(lines[i], "[DATA CALENDAR]")) section = i;  // the last one wins
  if (!section) return {std::nullopt, "no [DATA CALENDAR] section"};

  CalendarIndex index;
  const auto lineName = [](std::size_t i) { return "line " + std::to_string(i + 1); };
  for (std::size_t i = *section + 1; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (startsWithUpper(line, "[END OF DATA]")) {
      if (index.entries_.empty()) return {std::nullopt, "the [DATA CALENDAR] section has no entry"};
      // The year list runs from the first entry's first year + 1 to the last
      // entry's last year - 1; it must hold at least one year.
      const int first = index.entries_.front().firstYear;
      const int last = index.entries_.back().lastYear;
      if (first + 1 > last - 1)
        return {std::nullopt, lineName(i - 1) + ": the entries run from " + std::to_string(first) +
                                  " to " + std::to_string(last) +
                                  ", which leaves no selectable year (the first and the last "
                                  "are not selectable)"};
      return {std::move(index), {}};
    }
    const auto first = fourDigits(line, 0);
    const auto last = fourDigits(line, 8);
    std::string name = line.size() > 15 ? line.substr(15) : std::string();
    while (!name.empty() && std::isspace(static_cast<unsigned char>(name.back()))) name.pop_back();
    if (!first || !last || name.empty() || *first > *last)
      return {std::nullopt, lineName(i) +
                                ": expected an entry \"YYYY    YYYY   file name\" "
                                "(first year in columns 1-4, last year in 9-12, name from 16)"};
    // A name may hold single blanks ("C D.DAT"), but not what no file name
    // holds on the companion's system nor a gap of blanks: what follows such
    // a gap (a comment, a second name) would otherwise become part of the
    // name, and the file would be "missing" for no visible reason.
    const bool oddName = name.find("  ") != std::string::npos ||
                         std::any_of(name.begin(), name.end(), [](char c) {
                           return static_cast<unsigned char>(c) < 0x20 || std::string_view("<>:\"/\\|?*").find(c) !=
                                                                                std::string_view::npos;
                         });
    if (oddName)
      return {std::nullopt, lineName(i) + ": expected one file name from column 16, found \"" + name +
                                "\" (a file name holds no gap of blanks, tabs or any of <>:\"/\\|?*)"};
    // The year list is built from the first and the last entry: entries out
    // of order would make it wrong.
    if (!index.entries_.empty() && *first < index.entries_.back().firstYear)
      return {std::nullopt, lineName(i) + ": entry from " + std::to_string(*first) +
                                " after one from " + std::to_string(index.entries_.back().firstYear) +
                                ": expected entries in ascending order of their first year"};
    index.entries_.push_back({*first, *last, std::move(name)});
  }
  return {std::nullopt, "the [DATA CALENDAR] section has no [END OF DATA] line"};
}

YearList CalendarIndex::yearList() const {
  YearList list;
  if (entries_.empty()) return list;
  const int first = entries_.front().firstYear;
  const int last = entries_.back().lastYear;
  for (int y = first + 1; y <= last - 1; ++y) list.years.push_back(y);
  list.defaultYear = first + 1;
  return list;
}

std::string CalendarIndex::DataFileForYear(int year) const {
  std::string file;
  for (const auto& e : entries_)
    if (e.firstYear <= year && year <= e.lastYear) file = e.fileName;  // the last match wins
  return file;
}

}  // namespace vesprin
