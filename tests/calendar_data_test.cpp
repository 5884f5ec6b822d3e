// The shipped calendar files under data/: the index HOROSCOPE.INI and the day lines of every data file.
// The files are read here with a reader of their own (not the engine's), column by column, so that a
// fault in either shows up as a disagreement.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using std::chrono::sys_days;

const fs::path kDataDir = VESPRIN_SOURCE_DATA_DIR;
constexpr int kBuddhistEraOffset = 543;

enum class Mark { none, small, large };

struct Pillar {
  int stem;
  int branch;
  Pillar next() const { return {stem % 10 + 1, branch % 12 + 1}; }
  friend bool operator==(const Pillar&, const Pillar&) = default;
};

struct DayLine {
  std::string text;  // the whole line, for messages
  sys_days day;
  int beYear;
  Pillar year, month, dayPillar;
  std::string time;  // "HH:MM"
  Mark mark;
};

struct IndexEntry {
  int firstYear, lastYear;
  std::string fileName;
};

struct DataFile {
  std::string name;
  std::vector<DayLine> days;
};

std::string readBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open file " + path.string());
  return {std::istreambuf_iterator<char>(in), {}};
}

// Lines of a file whose every line must end in CR LF.
std::vector<std::string> crlfLines(const fs::path& path) {
  const std::string bytes = readBytes(path);
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t lf = bytes.find('\n', start);
    if (lf == std::string::npos || lf == start || bytes[lf - 1] != '\r')
      throw std::runtime_error(path.filename().string() + " line " + std::to_string(lines.size() + 1) +
                               ": expected a line ending in CR LF");
    lines.push_back(bytes.substr(start, lf - 1 - start));
    start = lf + 1;
  }
  return lines;
}

bool digitsAt(const std::string& s, std::size_t pos, std::size_t n) {
  if (pos + n > s.size()) return false;
  for (std::size_t i = pos; i < pos + n; ++i)
    if (s[i] < '0' || s[i] > '9') return false;
  return true;
}

// Columns are 1-based as in the file layout; `number(line, 12, 2)` reads columns 12-13.
int number(const std::string& s, std::size_t column, std::size_t width) { return std::stoi(s.substr(column - 1, width)); }

// What follows the festival time: nothing, or a blank and the mark, which ends the line.
std::optional<Mark> markOf(const std::string& tail) {
  if (tail.empty()) return Mark::none;
  if (tail == " *") return Mark::small;
  if (tail == " **") return Mark::large;
  return std::nullopt;
}

std::optional<DayLine> parseDayLine(const std::string& s) {
  // "YYYY MM DD SSBB SSBB SSBB HH:MM" then nothing, " *" or " **".
  if (s.size() < 31) return std::nullopt;
  for (std::size_t column : {1, 6, 9, 12, 14, 17, 19, 22, 24, 27, 30})
    if (!digitsAt(s, column - 1, column == 1 ? 4 : 2)) return std::nullopt;
  for (std::size_t column : {5, 8, 11, 16, 21, 26})
    if (s[column - 1] != ' ') return std::nullopt;
  if (s[28] != ':') return std::nullopt;
  const std::optional<Mark> mark = markOf(s.substr(31));
  if (!mark) return std::nullopt;

  const int beYear = number(s, 1, 4);
  const std::chrono::year_month_day date{std::chrono::year{beYear - kBuddhistEraOffset},
                                         std::chrono::month{static_cast<unsigned>(number(s, 6, 2))},
                                         std::chrono::day{static_cast<unsigned>(number(s, 9, 2))}};
  if (!date.ok()) return std::nullopt;
  return DayLine{s,
                 sys_days{date},
                 beYear,
                 {number(s, 12, 2), number(s, 14, 2)},
                 {number(s, 17, 2), number(s, 19, 2)},
                 {number(s, 22, 2), number(s, 24, 2)},
                 s.substr(26, 5),
                 *mark};
}

std::vector<IndexEntry> readIndex() {
  std::vector<IndexEntry> entries;
  bool inSection = false;
  for (const std::string& line : crlfLines(kDataDir / "HOROSCOPE.INI")) {
    if (line.starts_with("[DATA CALENDAR]")) {
      inSection = true;
      entries.clear();
    } else if (line.starts_with("[END OF DATA]")) {
      inSection = false;
    } else if (inSection) {
      if (line.size() < 16 || !digitsAt(line, 0, 4) || !digitsAt(line, 8, 4))
        throw std::runtime_error("HOROSCOPE.INI: bad entry \"" + line + "\"");
      entries.push_back({number(line, 1, 4), number(line, 9, 4), line.substr(15)});
    }
  }
  return entries;
}

const std::string kHeader =
    "Year(4) Month(2) Date(2) Years(2) ZodiacOnYearBelowYear(4) ZodiacOnMonthBelowMonth(4) "
    "ZodiacOnDateBelowDate(4) Time(5) (**=LargeFestival/*=SmallFestival)";

DataFile readDataFile(const std::string& name) {
  const std::vector<std::string> lines = crlfLines(kDataDir / name);
  if (lines.empty() || lines[0] != kHeader) throw std::runtime_error(name + " line 1: expected the header");
  DataFile file{name, {}};
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::optional<DayLine> day = parseDayLine(lines[i]);
    if (!day) throw std::runtime_error(name + " line " + std::to_string(i + 1) + ": bad day line \"" + lines[i] + "\"");
    file.days.push_back(*day);
  }
  return file;
}

// Read once per test process; every test below walks these.
const std::vector<IndexEntry>& index() {
  static const std::vector<IndexEntry> entries = readIndex();
  return entries;
}

const std::vector<DataFile>& dataFiles() {
  static const std::vector<DataFile> files = [] {
    std::vector<DataFile> all;
    for (const IndexEntry& e : index()) all.push_back(readDataFile(e.fileName));
    return all;
  }();
  return files;
}

sys_days firstOfYear(int beYear) { return sys_days{std::chrono::year{beYear - kBuddhistEraOffset} / 1 / 1}; }

// The month that the festival on a "**" day opens starts the Chinese year when its branch is 3.
bool opensYear(const DayLine& d) { return d.mark == Mark::large && d.month.branch == 3; }

TEST(calendar_data_test, index_covers_the_years_contiguously_with_margins_in_each_file) {
  ASSERT_FALSE(index().empty());
  EXPECT_EQ(index().front().firstYear, 2343);
  EXPECT_EQ(index().back().lastYear, 2743);
  for (std::size_t i = 0; i < index().size(); ++i) {
    const IndexEntry& e = index()[i];
    SCOPED_TRACE(e.fileName);
    EXPECT_LE(e.firstYear, e.lastYear);
    if (i > 0) {
      EXPECT_EQ(e.firstYear, index()[i - 1].lastYear + 1);
    }
    EXPECT_EQ(e.fileName.find_first_of("/\\ "), std::string::npos) << "a bare file name beside the index";

    // A birth anywhere in the covered years looks back up to about a year and ahead to the next festival.
    const std::vector<DayLine>& days = dataFiles()[i].days;
    ASSERT_FALSE(days.empty());
    EXPECT_GE((firstOfYear(e.firstYear) - days.front().day).count(), 400);
    EXPECT_GE((days.back().day - (firstOfYear(e.lastYear + 1) - std::chrono::days{1})).count(), 60);
  }
}

TEST(calendar_data_test, days_are_consecutive_and_files_agree_where_they_overlap) {
  std::map<sys_days, std::string> seen;
  for (const DataFile& f : dataFiles()) {
    for (std::size_t i = 1; i < f.days.size(); ++i)
      ASSERT_EQ(f.days[i].day, f.days[i - 1].day + std::chrono::days{1}) << f.name << ": " << f.days[i].text;
    for (const DayLine& d : f.days) {
      const auto [it, fresh] = seen.emplace(d.day, d.text);
      ASSERT_TRUE(fresh || it->second == d.text) << f.name << ": " << d.text << " elsewhere " << it->second;
    }
  }
}

TEST(calendar_data_test, every_pillar_is_one_of_the_sixty) {
  for (const DataFile& f : dataFiles())
    for (const DayLine& d : f.days)
      for (const Pillar& p : {d.year, d.month, d.dayPillar})
        ASSERT_TRUE(p.stem >= 1 && p.stem <= 10 && p.branch >= 1 && p.branch <= 12 && p.stem % 2 == p.branch % 2)
            << f.name << ": " << d.text;
}

TEST(calendar_data_test, day_pillar_advances_by_one_each_day_from_a_known_day) {
  // 1 January 2000 (BE 2543) is the day of stem 5, branch 7.
  bool anchored = false;
  for (const DataFile& f : dataFiles()) {
    for (std::size_t i = 1; i < f.days.size(); ++i)
      ASSERT_EQ(f.days[i].dayPillar, f.days[i - 1].dayPillar.next()) << f.name << ": " << f.days[i].text;
    for (const DayLine& d : f.days)
      if (d.text.starts_with("2543 01 01 ")) {
        EXPECT_EQ(d.dayPillar, (Pillar{5, 7})) << d.text;
        anchored = true;
      }
  }
  EXPECT_TRUE(anchored);
}

TEST(calendar_data_test, year_pillar_turns_exactly_at_the_festival_that_opens_the_first_month) {
  for (const DataFile& f : dataFiles()) {
    for (std::size_t i = 1; i < f.days.size(); ++i) {
      const DayLine &before = f.days[i - 1], &d = f.days[i];
      ASSERT_EQ(d.year, opensYear(d) ? before.year.next() : before.year) << f.name << ": " << d.text;
      // The new year opens in early February of its Christian-Era year; 1984 is stem 1, branch 1.
      if (opensYear(d)) {
        const int ceYear = d.beYear - kBuddhistEraOffset;
        ASSERT_EQ(d.text.substr(5, 2), "02") << f.name << ": " << d.text;
        ASSERT_EQ(d.year, (Pillar{(ceYear - 4) % 10 + 1, (ceYear - 4) % 12 + 1})) << f.name << ": " << d.text;
      }
    }
  }
}

TEST(calendar_data_test, month_pillar_turns_only_at_large_festivals_and_follows_the_year_stem) {
  for (const DataFile& f : dataFiles()) {
    for (std::size_t i = 0; i < f.days.size(); ++i) {
      const DayLine& d = f.days[i];
      // The month of branch 3 in a year of stem 1 has stem 3, each later month one stem more;
      // branches 1 and 2 are the last two months of the year in force.
      const int b = d.month.branch, y = d.year.stem;
      const int stem = ((b >= 3 ? b + 2 * y - 2 : b + 2 * y) - 1) % 10 + 1;
      ASSERT_EQ(d.month.stem, stem) << f.name << ": " << d.text;
      if (i == 0) continue;
      const Pillar before = f.days[i - 1].month;
      if (d.mark == Mark::large)
        ASSERT_EQ(d.month.branch, before.branch % 12 + 1) << f.name << ": " << d.text;
      else
        ASSERT_EQ(d.month, before) << f.name << ": " << d.text;
    }
  }
}

TEST(calendar_data_test, each_covered_year_has_twelve_large_and_twelve_small_festivals_in_turn) {
  std::map<int, std::pair<int, int>> festivals;  // BE year -> (large, small)
  for (std::size_t n = 0; n < dataFiles().size(); ++n) {
    const DataFile& f = dataFiles()[n];
    std::optional<Mark> previous;
    for (const DayLine& d : f.days) {
      // Every line carries a valid hour and minute; days without a festival carry 00:00.
      const int hour = number(d.time, 1, 2), minute = number(d.time, 4, 2);
      ASSERT_TRUE(hour <= 23 && minute <= 59) << f.name << ": " << d.text;
      if (d.mark == Mark::none) {
        ASSERT_EQ(d.time, "00:00") << f.name << ": " << d.text;
        continue;
      }
      ASSERT_NE(previous, d.mark) << f.name << ": two festivals of one kind in a row at " << d.text;
      previous = d.mark;
      if (d.beYear >= index()[n].firstYear && d.beYear <= index()[n].lastYear)
        ++(d.mark == Mark::large ? festivals[d.beYear].first : festivals[d.beYear].second);
    }
  }
  for (int year = index().front().firstYear; year <= index().back().lastYear; ++year)
    EXPECT_EQ(festivals[year], std::make_pair(12, 12)) << "BE " << year;
}

// Festival instants in Thai civil time, truncated to the minute. Where an almanac is named, its
// time (UT, rounded to the minute) agrees with the line; every row was also found independently with
// PyEphem (tools/calendar-gen/crosscheck.py), and rows were picked whose instant lies at least ten
// seconds inside its minute in both, so that the test does not hang on a few seconds of ephemeris.
// Before 1 April 1920 Thai civil time is Bangkok mean time, UT+06:42:04; since then UT+07:00.
struct PublishedTerm {
  const char* date;  // BE "YYYY MM DD"
  const char* time;
  Mark mark;
  const char* source;
};

constexpr PublishedTerm kPublishedTerms[] = {
    {"2343 02 04", "06:16", Mark::large, "315 deg 1800, UT 23:34 on 3 Feb"},
    {"2343 03 21", "02:53", Mark::small, "March equinox 1800, UT 20:11 on 20 Mar"},
    {"2443 02 04", "12:33", Mark::large, "315 deg 1900, UT 05:51"},
    {"2443 12 22", "13:23", Mark::small, "December solstice 1900, UT 06:41"},
    {"2463 02 05", "09:08", Mark::large, "315 deg 1920, UT 02:26, still mean time"},
    {"2463 03 21", "04:41", Mark::small, "March equinox 1920, UT 21:59 on 20 Mar, the last under mean time"},
    {"2543 02 04", "19:40", Mark::large, "315 deg 2000; Chinese almanacs 20:40 UT+8"},
    {"2543 03 20", "14:35", Mark::small, "March equinox 2000; US Naval Observatory 07:35 UT"},
    {"2543 12 21", "20:37", Mark::small, "December solstice 2000; US Naval Observatory 13:37 UT"},
    {"2567 02 04", "15:27", Mark::large, "315 deg 2024; Chinese almanacs 16:27 UT+8"},
    {"2567 03 20", "10:06", Mark::small, "March equinox 2024; US Naval Observatory 03:06 UT"},
    {"2567 09 22", "19:43", Mark::small, "September equinox 2024; US Naval Observatory 12:44 UT (rounded)"},
    // Two centuries ahead Delta T is extrapolated (163 s here); PyEphem's own extrapolation puts these
    // about five minutes earlier in UT, while the ephemeris instants (TT) agree within 20 s.
    {"2743 02 04", "08:28", Mark::large, "315 deg 2200, UT 01:28"},
    {"2743 06 21", "16:20", Mark::small, "June solstice 2200, UT 09:20"},
};

TEST(calendar_data_test, festivals_fall_at_published_instants) {
  for (const PublishedTerm& t : kPublishedTerms) {
    SCOPED_TRACE(t.source);
    std::optional<DayLine> found;
    for (const DataFile& f : dataFiles())
      for (const DayLine& d : f.days)
        if (d.text.starts_with(std::string(t.date) + " ")) found = d;
    ASSERT_TRUE(found.has_value()) << t.date;
    EXPECT_EQ(found->time, t.time) << found->text;
    EXPECT_EQ(found->mark, t.mark) << found->text;
  }
}

}  // namespace
