// Births close to a large festival or a double-hour edge, over the shipped
// calendar. The expected warnings are worked out here from the data files'
// text with a model of their own (local time as minutes on one line, the
// Chinese day from 23:00), not with the engine's birth-line rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>

#include "core/boundary_warning.h"
#include "core/civil_date.h"

namespace vesprin {
namespace {

namespace fs = std::filesystem;
using Minute = std::int64_t;
constexpr Minute kDay = 1440;

Minute floorDiv(Minute a, Minute b) { return a / b - (a % b < 0 ? 1 : 0); }
Minute floorMod(Minute a, Minute b) { return a - floorDiv(a, b) * b; }

// One line of a data file as its text says.
struct RawDay {
  Minute start;  // 00:00 of the civil day
  Pillar year, month, day;
  int hour = 0, minute = 0;
  std::string time;  // columns 27-31
  bool large = false;
};

struct RawFile {
  std::vector<RawDay> days;
  const RawDay& at(Minute t) const { return days.at(static_cast<std::size_t>(floorDiv(t, kDay) - days[0].start / kDay)); }
  std::size_t index(const RawDay& d) const { return static_cast<std::size_t>(&d - days.data()); }
};

const RawFile& raw(const std::string& name) {
  static std::map<std::string, RawFile> files;
  auto [it, fresh] = files.try_emplace(name);
  if (!fresh) return it->second;
  std::ifstream in(fs::path(VESPRIN_SOURCE_DATA_DIR) / name);
  std::string line;
  std::getline(in, line);  // the header
  while (std::getline(in, line)) {
    int y, m, d, ys, yb, ms, mb, ds, db, h, mi;
    if (std::sscanf(line.c_str(), "%4d %2d %2d %2d%2d %2d%2d %2d%2d %2d:%2d", &y, &m, &d, &ys, &yb, &ms, &mb,
                    &ds, &db, &h, &mi) != 11)
      throw std::runtime_error(name + ": " + line);
    it->second.days.push_back({daysFromCivil({y - kBuddhistEraOffset, m, d}) * kDay, {ys, yb}, {ms, mb},
                               {ds, db}, h, mi, line.substr(26, 5), line.substr(32, 2) == "**"});
  }
  return it->second;
}

// The line the year and month of a birth at t come from: the Chinese day
// begins at 23:00, and on a large-festival day the new year and month begin
// with the double hour that holds the festival (hours 00 and 24 open the
// whole day; 23:00 opens the next day, so the whole day lies before it).
const RawDay& yearMonthDay(const RawFile& f, Minute t) {
  const RawDay& chinese = f.at(t + 60);
  if (!chinese.large) return chinese;
  const int h = chinese.hour;
  const Minute opens = h == 0 || h == 24 ? chinese.start - 60 : chinese.start + (h % 2 ? h : h - 1) * 60;
  return t >= opens ? chinese : f.days[f.index(chinese) - 1];
}

NatalFour chartAt(const RawFile& f, Minute t) {
  const RawDay& chinese = f.at(t + 60);
  const RawDay& ym = yearMonthDay(f, t);
  const int hour = static_cast<int>(floorMod(t, kDay) / 60);
  const int branch = (hour + 1) / 2 % 12 + 1;  // 23:00-00:59 the Rat, 01:00-02:59 the Ox, ...
  const int ratStem = (chinese.day.stem - 1) % 5 * 2 + 1;
  return {ym.year, ym.month, chinese.day, {(ratStem + branch - 2) % 10 + 1, branch}};
}

std::string clock(Minute t) {
  char s[8];
  std::snprintf(s, sizeof s, "%02d:%02d", static_cast<int>(floorMod(t, kDay) / 60), static_cast<int>(t % 60 + 60) % 60);
  return s;
}

std::vector<BoundaryWarning> expectedWarnings(const RawFile& f, Minute t, int margin) {
  std::vector<BoundaryWarning> out;
  const NatalFour chart = chartAt(f, t);
  for (Minute day = -2; day <= 2; ++day) {
    const RawDay& d = f.at(t + day * kDay);
    const Minute at = d.start + d.hour * 60 + d.minute;
    if (!d.large || std::llabs(at - t) > margin) continue;
    const bool chartAfter = f.index(yearMonthDay(f, t)) >= f.index(d);
    const RawDay& side = chartAfter ? f.days[f.index(d) - 1] : d;
    out.push_back({BoundaryKind::Festival, d.time, static_cast<int>(at - t), {side.year, side.month, chart.day, chart.time}});
  }
  for (Minute e = t - margin; e <= t + margin; ++e)
    if (floorMod(e, 120) == 60)
      out.push_back({BoundaryKind::Hour, clock(e), static_cast<int>(e - t), chartAt(f, e > t ? e : e - 1)});
  std::stable_sort(out.begin(), out.end(), [](const BoundaryWarning& a, const BoundaryWarning& b) {
    return std::abs(a.minutes) != std::abs(b.minutes) ? std::abs(a.minutes) < std::abs(b.minutes) : a.minutes < b.minutes;
  });
  return out;
}

BirthInput birthAt(Minute t) {
  Birth b;
  b.date = BirthDate::fromCivil(civilFromDays(floorDiv(t, kDay)));
  const Minute ofDay = t - floorDiv(t, kDay) * kDay;
  b.time = {static_cast<int>(ofDay / 60), static_cast<int>(ofDay % 60)};
  return NormaliseBirth(b);
}

const CalendarFile& loaded(const std::string& name) {
  static std::map<std::string, CalendarFile> files;
  auto it = files.find(name);
  if (it == files.end()) {
    auto load = CalendarFile::load((fs::path(VESPRIN_SOURCE_DATA_DIR) / name).string());
    if (!load.file) throw std::runtime_error(load.error);
    it = files.emplace(name, std::move(*load.file)).first;
  }
  return it->second;
}

std::string describe(const std::vector<BoundaryWarning>& ws) {
  std::string s;
  for (const BoundaryWarning& w : ws) {
    const auto p = [](Pillar x) { return std::to_string(x.stem) + "/" + std::to_string(x.branch); };
    s += (w.kind == BoundaryKind::Festival ? "festival " : "hour ") + w.at + " " + std::to_string(w.minutes) +
         " other " + p(w.other.year) + " " + p(w.other.month) + " " + p(w.other.day) + " " + p(w.other.time) + "; ";
  }
  return s;
}

TEST(boundary_warning_test, births_around_a_spring_festival_and_a_day_edge_in_four_centuries) {
  struct Year {
    int ce;
    const char* file;
  };
  const Year years[] = {{1900, "CAL2443.DAT"}, {1950, "CAL2493.DAT"}, {2024, "CAL2543.DAT"}, {2100, "CAL2643.DAT"}};
  const int offsets[] = {0, 1, -1, 29, -29, 31, -31, 90, -90};
  int festivals = 0, hours = 0, none = 0;
  for (const Year& y : years) {
    const RawFile& f = raw(y.file);
    const CalendarFile& file = loaded(y.file);
    // The spring festival of the year (the one opening the Tiger month), and
    // the 23:00 edge of 15 June, where the day pillar turns with the hour.
    const Minute jan1 = daysFromCivil({y.ce, 1, 1}) * kDay;
    const auto spring = std::find_if(f.days.begin(), f.days.end(), [&](const RawDay& d) {
      return d.start >= jan1 && d.large && d.month.branch == 3;
    });
    ASSERT_NE(spring, f.days.end());
    const Minute boundaries[] = {spring->start + spring->hour * 60 + spring->minute,
                                 daysFromCivil({y.ce, 6, 15}) * kDay + 23 * 60};
    for (const Minute boundary : boundaries) {
      for (const int offset : offsets) {
        const Minute t = boundary + offset;
        const BirthInput in = birthAt(t);
        SCOPED_TRACE(dateTextOf(in.date) + " " + std::to_string(in.hour) + ":" + std::to_string(in.minute));
        const FourPillarsResult chart = FindFourPillars(file, in);
        ASSERT_TRUE(chart.pillars);
        const NatalFour model = chartAt(f, t);
        ASSERT_EQ((NatalFour{chart.pillars->year, chart.pillars->month, chart.pillars->day, chart.pillars->time}), model);
        const auto expected = expectedWarnings(f, t, kDefaultBoundaryMargin);
        const auto got = FindBoundaryWarnings(file, in, *chart.pillars, {});
        EXPECT_EQ(got, expected) << "got " << describe(got) << "\nexpected " << describe(expected);
        // Within the margin the boundary itself is always among them.
        const bool inside = std::abs(offset) <= kDefaultBoundaryMargin;
        EXPECT_EQ(std::any_of(expected.begin(), expected.end(), [&](const BoundaryWarning& w) { return w.minutes == -offset; }), inside);
        for (const BoundaryWarning& w : expected) (w.kind == BoundaryKind::Festival ? festivals : hours)++;
        none += expected.empty();
        for (const BoundaryWarning& w : expected) EXPECT_NE(w.other, model) << "the other side is another chart";
      }
    }
  }
  // The table reaches both kinds and births without a warning.
  EXPECT_GE(festivals, 20);
  EXPECT_GE(hours, 20);
  EXPECT_GT(none, 0);
}

TEST(boundary_warning_test, worked_examples_and_the_hour_only_birth_record) {
  // 4 February 1998 (BE 2541), the spring festival at 07:56: the year 4/2
  // and the month 10/2 turn to 5/3 and 1/3 with the double hour 07:00-08:59.
  const CalendarFile& file = loaded("CAL2543.DAT");
  struct Case {
    const char *hour, *minute;
    BoundaryRule rule;
    std::vector<BoundaryWarning> expected;
  };
  const NatalFour before{{4, 2}, {10, 2}, {9, 7}, {1, 5}};
  const Case cases[] = {
      // Read after the festival (its double hour has begun), born before it.
      {"07", "40", {}, {{BoundaryKind::Festival, "07:56", 16, before}}},
      {"07", "20", {}, {{BoundaryKind::Hour, "07:00", -20, {{4, 2}, {10, 2}, {9, 7}, {10, 4}}}}},
      {"07", "20", {BoundaryRule::Precision::Minute, 40},
       {{BoundaryKind::Hour, "07:00", -20, {{4, 2}, {10, 2}, {9, 7}, {10, 4}}},
        {BoundaryKind::Festival, "07:56", 36, before}}},
      {"08", "56", {BoundaryRule::Precision::Minute, 0}, {}},
      // A birth record: the festival inside the double hour is the warning,
      // its edges never are.
      {"07", "00", {BoundaryRule::Precision::DoubleHour}, {{BoundaryKind::Festival, "07:56", 56, before}}},
      {"08", "00", {BoundaryRule::Precision::DoubleHour}, {{BoundaryKind::Festival, "07:56", -4, before}}},
      {"06", "00", {BoundaryRule::Precision::DoubleHour}, {}},
      {"09", "00", {BoundaryRule::Precision::DoubleHour}, {}},
  };
  for (const Case& c : cases) {
    Birth b;
    b.date = {4, 2, 2541};
    b.time = {std::stoi(c.hour), std::stoi(c.minute)};
    const BirthInput in = NormaliseBirth(b);
    const FourPillarsResult chart = FindFourPillars(file, in);
    ASSERT_TRUE(chart.pillars);
    const auto got = FindBoundaryWarnings(file, in, *chart.pillars, c.rule);
    EXPECT_EQ(got, c.expected) << c.hour << ":" << c.minute << " got " << describe(got);
  }
}

}  // namespace
}  // namespace vesprin
