// vesprin-cast as a whole program on damaged calendars and odd input: every
// case ends with its exit status and a message that names the cause, and an
// input that only looks different (line ends, blanks, a byte-order mark, stale
// files beside the program) gives exactly the chart of the clean input.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "core/text_file.h"

namespace vesprin {
namespace {
namespace fs = std::filesystem;

const fs::path kTests = VESPRIN_TEST_DIR;
const fs::path kFixture = kTests / "fixtures/cal1987";
const fs::path kCase = kTests / "golden/cast_fixture";  // births over the fixture calendar

std::string readAll(const fs::path& p) { return readWholeFile(p.string()).value_or("<missing>"); }
void writeAll(const fs::path& p, std::string_view text) {
  std::ofstream(p, std::ios::binary) << text;
}

// Rewrites every line of a text (lines end with CRLF or LF) through f.
std::string mapLines(const std::string& text, const std::function<std::string(std::string)>& f) {
  std::string out;
  forEachLine(text, [&](std::string_view line) { out += f(std::string(line)) + "\n"; });
  return out;
}

// "" when the texts are equal, else the first line where they differ (a
// chart line is long: the whole text would bury the answer).
std::string firstDifference(const std::string& got, const std::string& want) {
  std::istringstream a(got), b(want);
  std::string x, y;
  for (int n = 1;; ++n) {
    const bool more = static_cast<bool>(std::getline(a, x)), wanted = static_cast<bool>(std::getline(b, y));
    if (!more && !wanted) return "";
    if (more != wanted || x != y)
      return "line " + std::to_string(n) + ": got " + x.substr(0, 300) + "\nwanted " + y.substr(0, 300);
  }
}

struct ProgramRun {
  int status = -1;
  std::string out, err;
};

struct Case {
  const char* name;
  // Changes the copy of the fixture calendar in `data`, the input births and
  // the current directory `cwd` of the run.
  std::function<void(const fs::path& data, std::string& births, const fs::path& cwd)> damage;
  int status;
  const char* message;  // expected in standard error or output; empty: the clean chart
  bool dataDirFromEnvironment = false;  // VESPRIN_DATA_DIR instead of --data-dir
  const char* today = "2530-06-01";
  const char* options = "";  // more options of the run
};

class CastBadInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() / ("vesprin_bad_input_" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root);
  }
  void TearDown() override { fs::remove_all(root); }

  ProgramRun run(const Case& c) {
    const fs::path dir = root / c.name;
    const fs::path data = dir / "data", cwd = dir / "cwd";
    fs::create_directories(data);
    fs::create_directories(cwd);
    for (const char* f : {"HOROSCOPE.INI", "CAL2528.DAT"}) fs::copy_file(kFixture / f, data / f);
    std::string births = readAll(kCase / "births.txt");
    c.damage(data, births, cwd);
    writeAll(dir / "births.txt", births);
    const std::string where = c.dataDirFromEnvironment
                                  ? "VESPRIN_DATA_DIR='" + data.string() + "' '" VESPRIN_CAST_PROGRAM "'"
                                  : "'" VESPRIN_CAST_PROGRAM "' --data-dir '" + data.string() + "'";
    const std::string command = "cd '" + cwd.string() + "' && " + where + " --today " + c.today + " " + c.options + " < '" +
                                (dir / "births.txt").string() + "' > '" + (dir / "out").string() +
                                "' 2> '" + (dir / "err").string() + "'";
    const int raw = std::system(command.c_str());
    ProgramRun r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    r.out = readAll(dir / "out");
    r.err = readAll(dir / "err");
    return r;
  }

  fs::path root;
};

TEST_F(CastBadInputTest, damaged_calendars_and_odd_input) {
  const std::string cleanChart = readAll(kCase / "expected.jsonl");
  const std::string megabyte(1 << 20, '1');
  const Case cases[] = {
      // Indexes that leave the year list empty or built from the wrong ends.
      {"index_one_short_entry",
       [](const fs::path& d, std::string&, const fs::path&) {
         writeAll(d / "HOROSCOPE.INI", "[DATA CALENDAR]\r\n2528    2529   CAL2528.DAT\r\n[END OF DATA]\r\n");
       },
       4, "line 2: the entries run from 2528 to 2529, which leaves no selectable year"},
      {"index_newest_first",
       [](const fs::path& d, std::string&, const fs::path&) {
         writeAll(d / "HOROSCOPE.INI",
                  "[DATA CALENDAR]\n2530    2532   CAL2528.DAT\n2528    2529   CAL2528.DAT\n[END OF DATA]\n");
       },
       4, "line 3: entry from 2528 after one from 2530: expected entries in ascending order"},
      // A number of threads the run cannot take.
      {"jobs_zero", [](const fs::path&, std::string&, const fs::path&) {}, 1,
       "--jobs \"0\": expected a number of threads 1-16", false, "2530-06-01", "--jobs 0"},
      {"jobs_word", [](const fs::path&, std::string&, const fs::path&) {}, 1,
       "--jobs \"all\": expected a number of threads 1-16", false, "2530-06-01", "--jobs all"},
      // Line ends and trailing blanks never change what a calendar line means.
      {"data_trailing_blank",
       [](const fs::path& d, std::string&, const fs::path&) {
         writeAll(d / "CAL2528.DAT", mapLines(readAll(d / "CAL2528.DAT"), [](std::string l) { return l + " "; }));
       },
       2, ""},
      {"data_trailing_tab",
       [](const fs::path& d, std::string&, const fs::path&) {
         writeAll(d / "CAL2528.DAT", mapLines(readAll(d / "CAL2528.DAT"), [](std::string l) { return l + "\t"; }));
       },
       2, ""},
      {"data_cr_cr_lf",
       [](const fs::path& d, std::string&, const fs::path&) {
         writeAll(d / "CAL2528.DAT", mapLines(readAll(d / "CAL2528.DAT"), [](std::string l) { return l + "\r\r"; }));
       },
       2, ""},
      // A day pillar out of its sixty-day count is damage, named by file and line.
      {"data_day_pillar_corrupted",
       [](const fs::path& d, std::string&, const fs::path&) {
         std::string text = readAll(d / "CAL2528.DAT");
         int number = 0;
         writeAll(d / "CAL2528.DAT", mapLines(text, [&](std::string l) {
                    if (++number == 300) l.replace(21, 4, "0101");
                    return l;
                  }));
       },
       2, "CAL2528.DAT line 300: expected day pillar"},
      // Year and month turn only at a large festival: a month changed in
      // between is damage too, refused with the file and the line.
      {"data_month_pillar_between_festivals",
       [](const fs::path& d, std::string&, const fs::path&) {
         std::string text = readAll(d / "CAL2528.DAT");
         int number = 0;
         writeAll(d / "CAL2528.DAT", mapLines(text, [&](std::string l) {
                    if (++number == 300) l.replace(16, 4, "0208");
                    return l;
                  }));
       },
       2, "CAL2528.DAT line 300: expected month pillar 0107 in columns 17-20, the previous line's"},
      // A damaged file of the current year leaves the chart without its ages,
      // and says which file and line.
      {"data_current_year_file_damaged",
       [](const fs::path& d, std::string&, const fs::path&) {
         writeAll(d / "HOROSCOPE.INI",
                  "[DATA CALENDAR]\n2528    2532   CAL2528.DAT\n2533    2540   CUR.DAT\n[END OF DATA]\n");
         writeAll(d / "CUR.DAT", "header\n2535 06 01 0404\n");
       },
       2, "\"incomplete\":\"no pillar for the current year 2535 (calendar file ", false, "2535-06-01"},
      // Odd input: a byte-order mark, trailing blanks, CR CR LF line ends.
      {"input_byte_order_mark",
       [](const fs::path&, std::string& b, const fs::path&) { b = "\xEF\xBB\xBF" + b; }, 2, ""},
      {"input_trailing_blanks",
       [](const fs::path&, std::string& b, const fs::path&) {
         b = mapLines(b, [](std::string l) { return l + " \t "; });
       },
       2, ""},
      {"input_cr_cr_lf",
       [](const fs::path&, std::string& b, const fs::path&) {
         b = mapLines(b, [](std::string l) { return l + "\r\r"; });
       },
       2, ""},
      // A megabyte-long field is refused with a readable excerpt.
      {"input_megabyte_field",
       [&](const fs::path&, std::string& b, const fs::path&) { b = megabyte + " 05 2530 10 00 m 09\n"; },
       2, "{\"error\":\"day \\\"11111111111111111111111111111111...\\\" (1048576 bytes): expected 01-31\",\"warnings\":[]}\n"},
      // Control characters and bytes that are not UTF-8 in an echoed field
      // stay valid JSON.
      {"input_control_characters",
       [](const fs::path&, std::string& b, const fs::path&) { b = "10 05 2530 10 00 m 0\x1a\x1f\xff" "9\n"; },
       2, "{\"error\":\"pregnancy months \\\"0\\u001A\\u001F\xEF\xBF\xBD" "9\\\": expected 07-10\",\"warnings\":[]}\n"},
      // Stale files in the current directory lose to the data directory asked for.
      {"stale_files_in_current_directory",
       [](const fs::path&, std::string&, const fs::path& cwd) {
         writeAll(cwd / "HOROSCOPE.INI", "[DATA CALENDAR]\n2400    2600   CAL2528.DAT\n[END OF DATA]\n");
         writeAll(cwd / "CAL2528.DAT", "header\n2528 09 01 0202 0109 1004 00:00\n");
       },
       2, ""},
      {"stale_files_with_data_dir_from_environment",
       [](const fs::path&, std::string&, const fs::path& cwd) {
         writeAll(cwd / "HOROSCOPE.INI", "[DATA CALENDAR]\n2400    2600   CAL2528.DAT\n[END OF DATA]\n");
         writeAll(cwd / "CAL2528.DAT", "header\n2528 09 01 0202 0109 1004 00:00\n");
       },
       2, "", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ProgramRun r = run(c);
    EXPECT_EQ(r.status, c.status) << r.err;
    if (*c.message == '\0') {
      EXPECT_EQ(firstDifference(r.out, cleanChart), "");  // the chart of the clean input
    } else {
      EXPECT_NE((r.err + r.out).find(c.message), std::string::npos)
          << r.err.substr(0, 500) << r.out.substr(0, 500);
    }
  }
}

TEST_F(CastBadInputTest, a_damaged_data_file_is_named_on_every_line_that_needs_it) {
  const Case c{"damaged_file_every_line",
               [](const fs::path& d, std::string& b, const fs::path&) {
                 int number = 0;
                 std::string text;
                 forEachLine(readAll(d / "CAL2528.DAT"), [&](std::string_view l) {
                   if (++number < 611) (text += l) += "\r\n";
                 });
                 writeAll(d / "CAL2528.DAT", text + "2530 13 01\r\n");
                 b = "10 05 2530 23 10 m 09\n11 05 2530 00 40 f 09\n";
               },
               2, ""};
  const ProgramRun r = run(c);
  EXPECT_EQ(r.status, 2);
  std::istringstream lines(r.out);
  int count = 0;
  for (std::string line; std::getline(lines, line); ++count)
    EXPECT_NE(line.find("CAL2528.DAT line 611: expected a day line of at least 28 characters"),
              std::string::npos)
        << line;
  EXPECT_EQ(count, 2);
}

// Long input is cast in blocks on several threads: whatever the number, the
// lines come out the same and in order, with a damaged file named on every
// line that needs it and a missing one asked for on each.
TEST_F(CastBadInputTest, the_same_lines_on_one_thread_and_on_several) {
  const auto damage = [](const fs::path& d, std::string& b, const fs::path&) {
    writeAll(d / "HOROSCOPE.INI",
             "[DATA CALENDAR]\n2528    2532   CAL2528.DAT\n2533    2535   CAL2533.DAT\n"
             "2536    2540   CAL2536.DAT\n[END OF DATA]\n");
    writeAll(d / "CAL2533.DAT", readAll(d / "CAL2528.DAT") + "2533 13 01\r\n");  // CAL2536.DAT is missing
    const std::string clean = b;
    b.clear();
    for (int round = 0; round < 12; ++round)
      b += clean + "01 01 2534 10 00 m 09\n02 01 2537 10 00 f 09\n31 02 2530 10 00 m 09\nnot a birth\n";
  };
  Case one{"threads_one", damage, 2, ""};
  one.options = "--jobs 1";
  Case several{"threads_several", damage, 2, ""};
  several.options = "--jobs 4";
  const ProgramRun a = run(one);
  ProgramRun b = run(several);
  EXPECT_EQ(a.status, 2);
  EXPECT_EQ(b.status, 2);
  // The two runs' folders differ in name only.
  for (std::size_t at; (at = b.out.find("threads_several")) != std::string::npos;)
    b.out.replace(at, 15, "threads_one");
  EXPECT_EQ(firstDifference(b.out, a.out), "");
  std::istringstream lines(a.out);
  int count = 0, damaged = 0, missing = 0;
  for (std::string line; std::getline(lines, line); ++count) {
    damaged += line.find("CAL2533.DAT line") != std::string::npos;
    missing += line.find("CAL2536.DAT not found") != std::string::npos;
  }
  EXPECT_EQ(count, 12 * (16 + 4));  // well over a block
  EXPECT_EQ(damaged, 12);
  EXPECT_EQ(missing, 12);
}

}  // namespace
}  // namespace vesprin
