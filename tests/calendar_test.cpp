#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/scripted_ui.h"
#include "calendar_builder.h"
#include "core/calendar_day.h"
#include "core/calendar_file.h"
#include "core/calendar_index.h"
#include "core/calendar_session.h"
#include "core/text.h"

namespace vesprin {
namespace {
namespace fs = std::filesystem;
using testing::CalendarBuilder;

TEST(calendar_test, index_sections_entries_and_year_list) {
  const auto parsed = CalendarIndex::parse({
      "[data calendar]",  // an earlier section does not count
      "1000    1001   OLD.DAT",
      "[end of data]",
      "; comment",
      "[Data Calendar] anything may follow",
      "2400 to 2499   A.DAT",
      "2450 to 2460   B.DAT",
      "2500 to 2600   C D.DAT  ",
      "[End Of Data]",
  });
  ASSERT_TRUE(parsed.index) << parsed.error;
  const CalendarIndex& index = *parsed.index;
  const YearList list = index.yearList();
  EXPECT_EQ(list.years.front(), 2401);
  EXPECT_EQ(list.years.back(), 2599);
  EXPECT_EQ(list.years.size(), 199u);
  EXPECT_EQ(list.defaultYear, 2401);
  struct Case {
    int year;
    const char* file;
  };
  const Case cases[] = {{2400, "A.DAT"}, {2449, "A.DAT"}, {2455, "B.DAT"}, {2461, "A.DAT"},
                        {2600, "C D.DAT"}, {2601, ""},     {2399, ""}};
  for (const Case& c : cases) EXPECT_EQ(index.DataFileForYear(c.year), c.file) << c.year;
}

TEST(calendar_test, unusable_indexes_are_refused_with_the_reason) {
  struct Case {
    std::vector<std::string> lines;
    const char* reason;
  };
  const Case cases[] = {
      {{"nothing here"}, "no [DATA CALENDAR] section"},
      {{"[DATA CALENDAR]", "2400    2499   A.DAT"}, "no [END OF DATA]"},
      {{"[DATA CALENDAR]", "24x0    2499   A.DAT", "[END OF DATA]"}, "line 2: expected an entry"},
      {{"[DATA CALENDAR]", "2400    2499", "[END OF DATA]"}, "line 2: expected an entry"},
      {{"[DATA CALENDAR]", "[END OF DATA]"}, "has no entry"},
      // The year list needs a year between the first and the last.
      {{"[DATA CALENDAR]", "2543 to 2544   A.DAT", "[END OF DATA]"},
       "line 2: the entries run from 2543 to 2544, which leaves no selectable year"},
      {{"[DATA CALENDAR]", "2543 to 2545   A.DAT", "2400 to 2542   B.DAT", "[END OF DATA]"},
       "line 3: entry from 2400 after one from 2543: expected entries in ascending order"},
      // What follows a name after a gap would become part of it.
      {{"[DATA CALENDAR]", "2400 to 2499   A.DAT   ; the 1850s", "[END OF DATA]"},
       "line 2: expected one file name from column 16, found \"A.DAT   ; the 1850s\""},
      {{"[DATA CALENDAR]", "2400 to 2499   A.DAT\tB.DAT", "[END OF DATA]"}, "line 2: expected one file name"},
  };
  for (const Case& c : cases) {
    const auto parsed = CalendarIndex::parse(c.lines);
    EXPECT_FALSE(parsed.index);
    EXPECT_NE(parsed.error.find(c.reason), std::string::npos) << parsed.error;
  }
}

TEST(calendar_test, day_lines_and_their_marks) {
  struct Case {
    const char* line;
    FestivalMark mark;
    int hour;
  };
  const Case cases[] = {
      {"2530 05 06 0404 0206 0204 04:30 **", FestivalMark::Large, 4},
      {"2530 05 21 0404 0206 0707 10:15 *", FestivalMark::Small, 10},
      // Blanks, tabs and carriage returns after the mark never change it.
      {"2530 05 21 0404 0206 0707 10:15 * ", FestivalMark::Small, 10},
      {"2530 05 21 0404 0206 0707 10:15 *\t", FestivalMark::Small, 10},
      {"2530 05 21 0404 0206 0707 10:15 *\r", FestivalMark::Small, 10},
      {"2530 05 21 0404 0206 0707 10:15 * \r\r", FestivalMark::Small, 10},
      {"2530 05 06 0404 0206 0204 04:30 **\r", FestivalMark::Large, 4},
      {"2530 05 22 0404 0206 0808 00:00 \r", FestivalMark::None, 0},
      {"2530 05 21 0404 0206 0707 10:15 *x", FestivalMark::None, 10},  // a lone "*" ends the line
      {"2530 05 22 0404 0206 0808 00:00", FestivalMark::None, 0},
      {"2530 05 22 0404 0206 0808 24", FestivalMark::None, 24},
  };
  for (const Case& c : cases) {
    const auto p = parseCalendarDay(c.line);
    ASSERT_TRUE(p.ok) << c.line << ": " << p.error;
    EXPECT_EQ(p.day.mark, c.mark) << c.line;
    EXPECT_EQ(p.day.festivalHour, c.hour) << c.line;
  }
  const auto p = parseCalendarDay("2530 05 06 0404 0206 0204 04:30 **");
  EXPECT_EQ(p.dateText, "2530 05 06");
  EXPECT_EQ(p.day.year, (Pillar{4, 4}));
  EXPECT_EQ(p.day.month, (Pillar{2, 6}));
  EXPECT_EQ(p.day.day, (Pillar{2, 4}));

  const struct {
    const char* line;
    const char* error;
  } bad[] = {
      {"2530 05 06 0404 0206 0204", "at least 28"},
      {"2530/05/06 0404 0206 0204 04:30", "columns 1-10"},
      {"2530 05 06 0x04 0206 0204 04:30", "year stem"},
      {"2530 05 06 0404 0213 0204 04:30", "month branch"},
      {"2530 05 06 0404 0206 0204 25:30", "festival hour"},
      {"2530 05 06 0405 0206 0204 04:30", "equal parity"},
  };
  for (const auto& b : bad) {
    const auto r = parseCalendarDay(b.line);
    EXPECT_FALSE(r.ok) << b.line;
    EXPECT_NE(r.error.find(b.error), std::string::npos) << b.line << ": " << r.error;
  }
}

// The one-pass reading of the generator's layout must give what the full
// parse gives, and leave every other line to it.
TEST(calendar_test, the_quick_read_agrees_with_the_full_parse_or_leaves_the_line_to_it) {
  const struct {
    const char* line;
    bool quick;  // read in one pass
  } cases[] = {
      {"2530 05 06 0404 0206 0204 04:30 **", true},
      {"2530 05 21 0404 0206 0707 10:15 *", true},
      {"2530 05 22 0404 0206 0808 00:00", true},
      {"2530 05 22 0404 0206 0808 24:59", true},  // the minute of a plain day is never read
      {"2530 05 06 0404 0206 0204 04:30 ** ", false},
      {"2530 05 21 0404 0206 0707 10:15 *\t", false},
      {"2530 05 22 0404 0206 0808 00:00 ", false},
      {"2530 05 22 0404 0206 0808 24", false},
      {"2530 05 21 0404 0206 0707 10:15 *x", false},
      {"2530 05 06 0404 0206 0204 04:30 **x", false},
      {"2530 05 06 0404 0206 0204 04:60 **", false},  // refused by the full parse
      {"2530 05 06 0405 0206 0204 04:30", false},     // refused by the full parse
      {"2530 05 06 0404 0206 0204 25:00", false},     // refused by the full parse
      {"2530-05-06 0404 0206 0204 04:30", false},
  };
  for (const auto& c : cases) {
    WellFormedDay quick;
    ASSERT_EQ(parseWellFormedDay(c.line, quick), c.quick) << c.line;
    if (!c.quick) continue;
    const auto full = parseCalendarDay(c.line);
    ASSERT_TRUE(full.ok) << c.line;
    EXPECT_EQ(quick.day.year, full.day.year) << c.line;
    EXPECT_EQ(quick.day.month, full.day.month) << c.line;
    EXPECT_EQ(quick.day.day, full.day.day) << c.line;
    EXPECT_EQ(quick.day.festivalHour, full.day.festivalHour) << c.line;
    EXPECT_EQ(quick.day.festivalMinute, full.day.festivalMinute) << c.line;
    EXPECT_EQ(quick.day.mark, full.day.mark) << c.line;
    EXPECT_EQ(padded(quick.year, 4) + " " + padded(quick.month, 2) + " " + padded(quick.dayOfMonth, 2),
              full.dateText);
  }
}

TEST(calendar_test, files_must_be_consecutive_days_and_name_the_bad_line) {
  CalendarBuilder b({1987, 2, 27}, 4);
  auto lines = b.lines();
  const auto ok = CalendarFile::fromLines("f.DAT", lines);
  ASSERT_TRUE(ok.file) << ok.error;
  EXPECT_EQ(ok.file->findDate("2530 03 01"), 3);
  EXPECT_EQ(ok.file->findDate("2530 02 27"), 1);
  EXPECT_EQ(ok.file->findDate("2530 02 26"), std::nullopt);
  EXPECT_EQ(ok.file->findDate("2530 03 03"), std::nullopt);
  EXPECT_EQ(ok.file->findDate("2530 02 29"), std::nullopt);
  EXPECT_EQ(ok.file->findDate("2530 3 01 "), std::nullopt);
  EXPECT_EQ(ok.file->dateText(3), "2530 03 01");

  auto gap = lines;
  gap.erase(gap.begin() + 2);
  const auto g = CalendarFile::fromLines("f.DAT", gap);
  EXPECT_FALSE(g.file);
  EXPECT_EQ(g.error, "calendar file f.DAT line 3: expected the day after the previous line");

  auto broken = lines;
  broken[4] = "2530 03 02 0404";
  const auto s = CalendarFile::fromLines("f.DAT", broken);
  EXPECT_EQ(s.error, "calendar file f.DAT line 5: expected a day line of at least 28 characters");

  // A day pillar that is not one step after the day before: damage, not data.
  auto skipped = lines;
  skipped[3].replace(21, 4, "0707");
  EXPECT_EQ(CalendarFile::fromLines("f.DAT", skipped).error,
            "calendar file f.DAT line 4: expected day pillar 0303 in columns 22-25, one step after "
            "the previous line's");

  auto unreal = lines;
  unreal[1] = "2530 02 30 0404 0103 0101 00:00";
  EXPECT_NE(CalendarFile::fromLines("f.DAT", unreal).error.find("real civil date"), std::string::npos);
}

TEST(calendar_test, year_and_month_turn_only_at_large_festivals) {
  // Month 1/3 until the festival at line 3 (file line 4), 2/4 until the one
  // at line 5, then 3/5; the year 4/4 throughout, no spring festival among them.
  CalendarBuilder b({1987, 2, 1}, 6);
  b.largeFestival(3, "10:15");
  b.largeFestival(5);
  const auto sound = CalendarFile::fromLines("f.DAT", b.lines());
  ASSERT_TRUE(sound.file) << sound.error;
  EXPECT_EQ(sound.file->day(3).festivalMinute, 15);
  EXPECT_EQ(sound.file->day(5).month, (Pillar{3, 5}));
  struct Bad {
    const char* what;
    std::size_t line;    // index into the lines, the header at 0
    std::size_t column;  // 0-based
    const char* replacement;
    const char* error;
  };
  const Bad bad[] = {
      {"the month changes on a day without a large festival", 2, 16, "0204",
       "line 3: expected month pillar 0103 in columns 17-20, the previous line's (no large festival "
       "on this line)"},
      {"a large festival that does not step the month on", 3, 16, "0103",
       "line 4: expected month pillar 0204 in columns 17-20, one step after the previous line's at a "
       "large festival"},
      {"a small festival changes nothing", 3, 32, "* ",
       "line 4: expected month pillar 0103 in columns 17-20, the previous line's"},
      {"the year turns at a festival that is not the spring one", 3, 11, "0505",
       "line 4: expected year pillar 0404 in columns 12-15, the previous line's (the year turns at "
       "the spring festival only)"},
      {"a large-festival time without its minute", 3, 26, "10:x5",
       "line 4: expected a festival time HH:MM with minute 00-59 in columns 27-31 on a "
       "large-festival day"},
  };
  for (const Bad& c : bad) {
    auto lines = b.lines();
    lines[c.line].replace(c.column, std::string_view(c.replacement).size(), c.replacement);
    const auto r = CalendarFile::fromLines("f.DAT", lines);
    EXPECT_FALSE(r.file) << c.what;
    EXPECT_NE(r.error.find(std::string("calendar file f.DAT ") + c.error), std::string::npos)
        << c.what << ": " << r.error;
  }
  // The spring festival must step the year on.
  CalendarBuilder spring({1987, 2, 1}, 4);
  for (int p = 1; p <= 4; ++p) spring.at(p).month = {10, 2};
  spring.largeFestival(2);  // 10/2 -> 1/3: the Tiger month opens the year
  EXPECT_EQ(spring.at(2).year, (Pillar{5, 5}));
  ASSERT_TRUE(CalendarFile::fromLines("f.DAT", spring.lines()).file);
  auto stale = spring.lines();
  stale[2].replace(11, 4, "0404");
  EXPECT_EQ(CalendarFile::fromLines("f.DAT", stale).error,
            "calendar file f.DAT line 3: expected year pillar 0505 in columns 12-15, one step after "
            "the previous line's at the spring festival");
}

TEST(calendar_test, every_shipped_data_file_passes_the_load_checks) {
  const std::filesystem::path data = VESPRIN_SOURCE_DATA_DIR;
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(data)) {
    if (entry.path().extension() != ".DAT") continue;
    const auto load = CalendarFile::load(entry.path().string());
    EXPECT_TRUE(load.file) << load.error;
    ++files;
  }
  EXPECT_EQ(files, 8);
}

// Answers the data-disk prompt by putting the missing file in place.
class InsertDiskUi : public ScriptedUserInterface {
 public:
  std::function<void()> insert;
  bool confirm(const std::string& text, PromptButtons buttons) override {
    prompts.push_back(buttons);
    if (insert) {
      insert();
      insert = nullptr;
      messages.push_back(text);
      return true;
    }
    return ScriptedUserInterface::confirm(text, buttons);
  }
  std::vector<PromptButtons> prompts;
};

class CalendarSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("vesprin-calendar-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir / "data");
    write(dir / "data" / "HOROSCOPE.INI",
          {"[DATA CALENDAR]", "2529    2530   A.DAT", "2531    2532   B.DAT", "[END OF DATA]"});
    // Each file's year turns at one spring festival: A's from 2/2 to 3/3 on
    // 15 March 1987, B's from 4/4 to 5/5 on 31 March 1988.
    CalendarBuilder a({1986, 1, 1}, 730);  // 2529-2530
    for (int p = 1; p <= 730; ++p) a.at(p) = {.year = {2, 2}, .month = {10, 2}, .day = a.at(p).day};
    a.largeFestival(a.position({1987, 3, 15}));
    CalendarBuilder b({1988, 1, 1}, 731);  // 2531-2532
    for (int p = 1; p <= 731; ++p) b.at(p).month = {10, 2};
    b.largeFestival(b.position({1988, 3, 31}));
    write(dir / "data" / "A.DAT", a.lines());
    write(dir / "data" / "B.DAT", b.lines());
  }
  void TearDown() override { fs::remove_all(dir); }

  static void write(const fs::path& p, const std::vector<std::string>& lines) {
    std::ofstream out(p, std::ios::binary);
    for (const auto& l : lines) out << l << "\r\n";
  }
  CalendarSession session(const Clock& clock, UserInterface& ui) {
    auto load = CalendarSession::LoadCalendarIndex({(dir / "cwd").string(), (dir / "data").string()});
    EXPECT_TRUE(load.index) << load.error;
    return CalendarSession(std::move(*load.index), {(dir / "cwd").string(), (dir / "data").string()},
                           clock, ui);
  }
  static BirthInput birth(int year, int month, int day) {
    BirthInput in;
    in.date = {day, month, year};
    return in;
  }

  fs::path dir;
};

TEST_F(CalendarSessionTest, current_year_reads_march_in_january_and_the_birth_date_ahead) {
  struct Case {
    CivilDate today;
    int birthYear;
    int year;
    Pillar pillar;
  };
  const Case cases[] = {
      {{1987, 1, 15}, 2500, 2530, {3, 3}},  // 15 January reads 15 March
      {{1987, 1, 14}, 2500, 2530, {2, 2}},
      {{1987, 3, 15}, 2500, 2530, {3, 3}},
      {{1988, 1, 31}, 2500, 2531, {5, 5}},  // 31 January reads 31 March
      {{1987, 1, 15}, 2531, 2531, {5, 5}},  // a birth ahead of today reads its own date
  };
  for (const Case& c : cases) {
    FixedClock clock(c.today);
    ScriptedUserInterface ui;
    CalendarSession s = session(clock, ui);
    const CurrentYearPillar got = s.currentYearPillar(birth(c.birthYear, 6, 10));
    EXPECT_EQ(got.year, c.year);
    EXPECT_EQ(got.pillar, c.pillar) << c.today.year << "-" << c.today.month << "-" << c.today.day;
    EXPECT_TRUE(ui.messages.empty());
  }
}

TEST_F(CalendarSessionTest, current_year_is_cached_by_year_and_missing_lines_give_zero) {
  FixedClock clock({2026, 12, 9});  // BE 2569: no file covers it
  ScriptedUserInterface ui;
  CalendarSession s = session(clock, ui);
  const CurrentYearPillar first = s.currentYearPillar(birth(2530, 1, 1));
  EXPECT_EQ(first.year, 2569);
  EXPECT_EQ(first.pillar, (Pillar{0, 0}));
  // The prompt had no file name to offer, was given up, and nothing was in memory.
  EXPECT_EQ(ui.messages, (std::vector<std::string>{"กรุณาใส่แผ่นข้อมูล ", "มีข้อผิดพลาดในการผูกดวง"}));
  ui.messages.clear();
  s.currentYearPillar(birth(2531, 1, 1));
  EXPECT_TRUE(ui.messages.empty()) << "the year is asked once per run";
  s.startFreshRun();
  s.currentYearPillar(birth(2531, 1, 1));
  EXPECT_EQ(ui.messages.size(), 2u);
}

// vesprin-cast remembers the files it found: the current year's pillar read
// without a message then serves the next births without reading its file
// again, and a lookup that showed messages shows them on every birth.
TEST_F(CalendarSessionTest, a_silent_current_year_lookup_is_kept_across_runs_where_files_are_remembered) {
  FixedClock clock({1987, 6, 1});  // BE 2530, in A.DAT
  ScriptedUserInterface ui;
  CalendarSession s = session(clock, ui);
  s.rememberFoundFiles();
  const CurrentYearPillar first = s.currentYearPillar(birth(2529, 6, 10));
  EXPECT_EQ(first.pillar, (Pillar{3, 3}));
  s.startFreshRun();
  EXPECT_EQ(s.currentYearPillar(birth(2529, 6, 10)).pillar, first.pillar);
  EXPECT_TRUE(s.loaded().empty()) << "kept, not read again";
  // A birth ahead of today looks up its own date: read, not taken from the kept one.
  s.startFreshRun();
  const CurrentYearPillar ahead = s.currentYearPillar(birth(2531, 1, 15));
  EXPECT_EQ(ahead.year, 2531);
  EXPECT_EQ(ahead.pillar, (Pillar{4, 4}));
  EXPECT_FALSE(s.loaded().empty());
  EXPECT_TRUE(ui.messages.empty());

  FixedClock later({2026, 12, 9});  // BE 2569: no file covers it
  CalendarSession none = session(later, ui);
  none.rememberFoundFiles();
  for (int run = 0; run < 2; ++run) {
    none.startFreshRun();
    ui.messages.clear();
    none.currentYearPillar(birth(2530, 1, 1));
    EXPECT_EQ(ui.messages.size(), 2u) << "run " << run;
  }
}

TEST_F(CalendarSessionTest, data_files_are_searched_prompted_reused_and_replaced) {
  FixedClock clock({1987, 6, 1});
  InsertDiskUi ui;
  CalendarSession s = session(clock, ui);
  const DataFileLoad a = s.EnsureDataFileLoaded("A.DAT", PromptButtons::YesNo);
  ASSERT_EQ(a.outcome, DataFileLoad::Outcome::Loaded);
  EXPECT_EQ(a.path, (dir / "data" / "A.DAT").string());
  const CalendarFile* inMemory = &s.loaded();
  EXPECT_EQ(s.EnsureDataFileLoaded("A.DAT", PromptButtons::YesNo).path, a.path);
  EXPECT_EQ(&s.loaded(), inMemory) << "the same path reuses the lines in memory";
  EXPECT_EQ(s.EnsureDataFileLoaded("B.DAT", PromptButtons::YesNo).path,
            (dir / "data" / "B.DAT").string());
  EXPECT_TRUE(s.loaded().findDate("2531 06 10"));

  // A missing file prompts; "Yes" after the disk went in finds it in the current directory.
  fs::create_directories(dir / "cwd");
  ui.insert = [&] { fs::copy_file(dir / "data" / "A.DAT", dir / "cwd" / "C.DAT"); };
  const DataFileLoad c = s.EnsureDataFileLoaded("C.DAT", PromptButtons::YesNo);
  EXPECT_EQ(c.outcome, DataFileLoad::Outcome::Loaded);
  EXPECT_EQ(c.path, (dir / "cwd" / "C.DAT").string());
  EXPECT_EQ(ui.messages, std::vector<std::string>{"กรุณาใส่แผ่นข้อมูล C.DAT"});
  EXPECT_EQ(ui.prompts, std::vector<PromptButtons>{PromptButtons::YesNo});

  // Giving up keeps nothing new; a damaged file is refused and not kept.
  EXPECT_EQ(s.EnsureDataFileLoaded("D.DAT", PromptButtons::Ok).outcome, DataFileLoad::Outcome::GaveUp);
  write(dir / "data" / "E.DAT", {"header", "2530 01 01 0404 0103 0101 00:00", "2530 01 03 0404 0103 0202 00:00"});
  const DataFileLoad e = s.EnsureDataFileLoaded("E.DAT", PromptButtons::YesNo);
  EXPECT_EQ(e.outcome, DataFileLoad::Outcome::Unusable);
  EXPECT_NE(e.error.find("E.DAT line 3"), std::string::npos) << e.error;
  EXPECT_TRUE(s.loaded().empty());
  // The damage is read once per run: mended on disk, the file still gives the
  // reason found first (every later cast reports it without reading it again).
  write(dir / "data" / "E.DAT", {"header", "2530 01 01 0404 0103 0101 00:00"});
  EXPECT_EQ(s.EnsureDataFileLoaded("E.DAT", PromptButtons::YesNo).error, e.error);
}

TEST_F(CalendarSessionTest, an_explicit_data_directory_is_searched_before_the_current_one) {
  FixedClock clock({1987, 6, 1});
  ScriptedUserInterface ui;
  // A stale copy of A.DAT lies in the current directory, which comes first otherwise.
  fs::create_directories(dir / "cwd");
  write(dir / "cwd" / "A.DAT", {"header", "2530 01 01 0404 0103 0101 00:00"});
  CalendarSession usual = session(clock, ui);
  EXPECT_EQ(usual.EnsureDataFileLoaded("A.DAT", PromptButtons::YesNo).path, (dir / "cwd" / "A.DAT").string());
  CalendarSession chosen = session(clock, ui);
  chosen.lookFirstIn((dir / "data").string());
  EXPECT_EQ(chosen.EnsureDataFileLoaded("A.DAT", PromptButtons::YesNo).path, (dir / "data" / "A.DAT").string());
}

}  // namespace
}  // namespace vesprin
