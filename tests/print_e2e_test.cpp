// The engine driven end to end, as the companion drives it: make-request
// writes the two hand-over files into a fresh folder, vesprin-print runs
// there unattended, with today's date fixed.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <set>
#include <sstream>

#include "tests/run_program.h"

namespace vesprin {
namespace {
namespace fs = std::filesystem;
using testing::ProgramRun;
using testing::readFile;
using testing::runProgram;
using testing::StartedProgram;
using testing::startProgram;
using testing::waitProgram;

const std::string kSourceData = VESPRIN_SOURCE_DATA_DIR;
const std::string kFixtureData = std::string(VESPRIN_TEST_DIR) + "/fixtures/cal1987";

std::vector<std::string> linesOf(const fs::path& p) {
  std::vector<std::string> lines;
  std::istringstream in(readFile(p));
  for (std::string l; std::getline(in, l);) {
    if (!l.empty() && l.back() == '\r') l.pop_back();
    lines.push_back(l);
  }
  return lines;
}

void writeLines(const fs::path& p, const std::vector<std::string>& lines) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  for (const auto& l : lines) out << l << "\r\n";
}

// One page of US Letter, as pdfinfo reads the file.
::testing::AssertionResult oneLetterPage(const fs::path& pdf) {
  const ProgramRun info = runProgram("/usr/bin/pdfinfo", {pdf.string()}, pdf.parent_path(), {});
  if (info.status == 0 && std::regex_search(info.out, std::regex("Pages:\\s+1\\n")) &&
      info.out.find("612 x 792 pts (letter)") != std::string::npos)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << pdf << ": " << info.out << info.err;
}

class PrintEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("vesprin-e2e-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fresh();
  }
  void TearDown() override { fs::remove_all(dir_); }
  // A fresh folder for the next run.
  void fresh() {
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "work");
  }
  fs::path work() const { return dir_ / "work"; }

  ProgramRun request(std::vector<std::string> args, const fs::path& where = {}) {
    args.push_back("--dir");
    args.push_back((where.empty() ? work() : where).string());
    ProgramRun r = runProgram(MAKE_REQUEST, args, work(), {{"VESPRIN_TODAY", "2026-12-09"}});
    EXPECT_EQ(r.status, 0) << r.err;
    return r;
  }
  ProgramRun print(std::vector<std::string> args = {}, std::map<std::string, std::optional<std::string>> env = {}) {
    std::map<std::string, std::optional<std::string>> e = {
        {"VESPRIN_TODAY", "2026-12-09"},
        {"VESPRIN_DATA_DIR", kSourceData},
        {"VESPRIN_DRIVES", std::nullopt},
        {"VESPRIN_SHEET_DUMP", (dir_ / "dump.txt").string()},
        {"QT_QPA_PLATFORM", "offscreen"},
        {"XDG_CONFIG_HOME", (dir_ / "config").string()},
    };
    for (auto& [k, v] : env) e[k] = v;
    return runProgram(VESPRIN_PRINT, args, work(), e);
  }
  // The PDFs in the working folder.
  std::vector<fs::path> pdfs() const {
    std::vector<fs::path> out;
    for (const auto& f : fs::directory_iterator(work()))
      if (f.path().extension() == ".pdf") out.push_back(f.path());
    return out;
  }

  fs::path dir_;
};

const std::vector<std::string> kBirth = {"--date", "05/03/2530", "--hour", "07", "--gender", "male"};

TEST_F(PrintEndToEnd, refusals_print_nothing) {
  struct Case {
    const char* what;
    std::vector<std::pair<int, const char*>> marks, record;  // line -> text; -1 drops the last line
    bool noMarks;
    const char* dataDir;  // none: the shipped calendar
    const char* today;
    int status;
    const char* message;
  };
  const Case cases[] = {
      {"no marks file", {}, {}, true, nullptr, nullptr, 2,
       "request refused, nothing printed: VesprinPrint.DAT has no analysis marks VesprinPrintAnalyze.DAT beside it; "
       "left as it is"},
      {"marks file too short", {{-1, ""}}, {}, false, nullptr, nullptr, 2,
       "VesprinPrintAnalyze.DAT: expected at least 24 lines of analysis marks, found 23"},
      {"birth record too short", {}, {{-1, ""}}, false, nullptr, nullptr, 2,
       "VesprinPrint.DAT: expected at least 12 lines of birth record, found 11"},
      {"wrong marker", {}, {{0, "KELMARD3"}}, false, nullptr, nullptr, 2,
       "VesprinPrint.DAT, line 0 (lines count from 0): expected the marker \"KELMARD2\", found \"KELMARD3\""},
      {"day", {}, {{1, "00"}}, false, nullptr, nullptr, 2, "line 1 (lines count from 0): expected the day of birth"},
      {"month", {}, {{2, "13"}}, false, nullptr, nullptr, 2,
       "line 2 (lines count from 0): expected the month of birth \"01\"..\"12\", found \"13\""},
      {"year", {}, {{3, "2743"}}, false, nullptr, nullptr, 2,
       "line 3 (lines count from 0): expected a Buddhist-Era year of birth 2344..2742, found \"2743\""},
      {"hour", {}, {{4, "7"}}, false, nullptr, nullptr, 2, "line 4 (lines count from 0): expected the hour of birth"},
      {"pregnancy", {}, {{5, "11"}}, false, nullptr, nullptr, 2, "line 5 (lines count from 0): expected the pregnancy length"},
      {"name code", {}, {{11, "1 6 1"}}, false, nullptr, nullptr, 2,
       "line 11 (lines count from 0): expected a character code 0..255 of the name, found \"1 6 1\""},
      {"group figure", {{0, "twelve"}}, {}, false, nullptr, nullptr, 2,
       "VesprinPrintAnalyze.DAT, line 0 (lines count from 0): expected the day-master group figure"},
      {"power figure", {{22, "00501000300701a2"}}, {}, false, nullptr, nullptr, 2,
       "line 22 (lines count from 0): expected five three-digit powers and a group code 0..4"},
      {"analysis code", {{23, "x"}}, {}, false, nullptr, nullptr, 2,
       "line 23 (lines count from 0): expected a character code 0..255 of the analysis note"},
      // The test calendar: 2529-2531, its file beginning in September 2528.
      {"no calendar line for the birth", {}, {{1, "05"}, {2, "01"}, {3, "2529"}}, false, "fixture", "1987-06-01", 2,
       "the chart of 05/01/2529 07 h cannot be cast: no calendar line for this birth"},
      // The installation's faults: the request is kept for the mended one.
      {"incomplete: no pillar for the current year", {}, {{3, "2530"}}, false, "fixture", nullptr, 4,
       "the installation cannot serve the request: the chart of 05/03/2530 07 h cannot be cast: no pillar for the "
       "current year 2569: Chinese age unknown"},
      {"data disk given up", {}, {}, false, "missing-file", nullptr, 4,
       "cannot be cast: calendar data file CAL2528.DAT not found (กรุณาใส่แผ่นข้อมูล CAL2528.DAT)"},
      {"no calendar index", {}, {}, false, "nowhere", nullptr, 4,
       "calendar index HOROSCOPE.INI not found (โปรแกรมไม่สามารถทำงานได้)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fresh();
    request(kBirth);
    const fs::path marks = work() / "VesprinPrintAnalyze.DAT", record = work() / "VesprinPrint.DAT";
    for (const auto& [file, edits] : {std::pair{marks, c.marks}, std::pair{record, c.record}}) {
      auto lines = linesOf(file);
      for (const auto& [line, text] : edits)
        if (line < 0) lines.pop_back();
        else lines[static_cast<std::size_t>(line)] = text;
      writeLines(file, lines);
    }
    if (c.noMarks) fs::remove(marks);
    std::string data = kSourceData;
    if (c.dataDir && std::string(c.dataDir) == "fixture") data = kFixtureData;
    if (c.dataDir && std::string(c.dataDir) == "nowhere") data = (dir_ / "nowhere").string();
    if (c.dataDir && std::string(c.dataDir) == "missing-file") {
      data = (dir_ / "data").string();
      fs::create_directories(data);
      fs::copy_file(kFixtureData + "/HOROSCOPE.INI", data + "/HOROSCOPE.INI");
    }
    const ProgramRun run = print({"--pdf", "sheet.pdf"}, {{"VESPRIN_DATA_DIR", data},
                                                         {"VESPRIN_TODAY", c.today ? c.today : "2026-12-09"}});
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_TRUE(pdfs().empty());
    EXPECT_FALSE(fs::exists(dir_ / "dump.txt"));
    // A request refused for its content is gone, so that it is not served
    // again; one the installation cannot serve, or whose place lacks its
    // marks, stays where it was.
    EXPECT_EQ(fs::exists(record), c.status == 4 || c.noMarks);
    if (c.status == 4) {
      EXPECT_TRUE(fs::exists(marks));
    }
    EXPECT_EQ(readFile(dir_ / "config" / "talven.ini"), "[Application]\nRun=False\n");
  }
}

// The example request of the demo, written with --pdf: the chart sheet's
// component values and positions as a text dump, against the golden one.
TEST_F(PrintEndToEnd, example_request_matches_the_golden_sheet) {
  std::vector<std::string> args;
  for (const auto& line : linesOf(std::string(VESPRIN_TEST_DIR) + "/../examples/request.args"))
    if (!line.empty() && line[0] != '#') args.push_back(line);
  request(args);
  const ProgramRun run = print({"--pdf", "sheet.pdf"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(fs::exists(work() / "sheet.pdf"));
  EXPECT_FALSE(fs::exists(work() / "VesprinPrint.DAT"));
  EXPECT_FALSE(fs::exists(work() / "VesprinPrintAnalyze.DAT"));
  const std::string golden = std::string(VESPRIN_TEST_DIR) + "/golden/print_request/example_request.txt";
  const std::string dump = readFile(dir_ / "dump.txt");
  const fs::path actual = fs::path(VESPRIN_TEST_BINARY_DIR) / "print_request_example_request.txt";
  std::ofstream(actual, std::ios::binary) << dump;
  EXPECT_EQ(dump, readFile(golden)) << "the run's dump is in " << actual << "; compare it with " << golden;
  EXPECT_EQ(readFile(dir_ / "config" / "talven.ini"), "[Application]\nRun=False\n");

  // The texts on the page itself; the extraction loses Thai tone marks, so
  // these are pieces without them.
  const ProgramRun text = runProgram("/usr/bin/pdftotext", {"-layout", "sheet.pdf", "-"}, work(), {});
  ASSERT_EQ(text.status, 0) << text.err;
  for (const char* expected : {"นางสาวดวงใจ", "23/11/2541", "Nov 23, 1998", "ธาตุทอง", "ควรเสริม"})
    EXPECT_NE(text.out.find(expected), std::string::npos) << expected;
  EXPECT_TRUE(oneLetterPage(work() / "sheet.pdf"));
}

// The cases of the hand-over format that matter, each in a fresh folder,
// each read back from the dump of what was written to the PDF.
TEST_F(PrintEndToEnd, hand_over_edge_cases) {
  struct Case {
    const char* what;
    std::vector<std::string> args;  // make-request arguments after the birth
    std::vector<std::pair<int, const char*>> marks, record;  // line edits after make-request
    // Parts of the dump line of a component ("x": the line has nothing after the position).
    std::vector<std::pair<const char*, const char*>> expected;
  };
  const Case cases[] = {
      {"mark T, D, 3: dotted blue, the gender picture and month strength lifted",
       {"--mark", "yybon=blue,dotted"}, {}, {},
       {{"QRShapeyybon", "pen #0000ff 2 dotted"}, {"QRImageGender", ",84 "},
        {"QRLabelFarBetweenFestival", ",314 "}}},
      {"mark T, blank, 9: solid black; F alone: white", {}, {{5, "T 9"}, {6, "F"}}, {},
       {{"QRShapeyybon", "pen #000000 2"}, {"QRShapemmbon", "pen #ffffff 2"}}},
      {"blank lines: no marks, no balance panel, no note, the program title", {}, {}, {},
       {{"QRShapeddttlang", "pen #ffffff"}, {"QRShapeA", "pen #ffffff"}, {"QRShapeB", "pen #ffffff"},
        {"QRLabelA1", "\"\""}, {"QRLabelA7", "\"\""}, {"QRImageIdea", "x"},
        {"QRLabelPowerElements", "\"โปรแกรมผูกดวงจีน Vesprin Version 2.99\""}}},
      {"clash lines T, F, T", {}, {{19, "T"}, {20, "F"}, {21, "T"}}, {},
       {{"QRImagechng1", "chng.bmp"}, {"QRImagechng3", "chng.bmp"}, {"QRLabelFarBetweenFestival", ",320 "}}},
      {"power text of the example",
       {"--power", "ground=5,gold=10,water=3,wood=7,fire=12", "--day-master", "water"}, {}, {},
       {{"QRLabelPowerElements",
         "\"กลุ่มดิถี ธาตุน้ำ กำลัง 3 ธาตุทอง กำลัง 10 ( รวมกำลัง 13 )\\rกลุ่มบริวาร ธาตุไม้ กำลัง 7 ธาตุไฟ "
         "กำลัง 12 ธาตุดิน 5 ( รวมกำลัง 24 )\""}}},
      {"gender 0 is a man", {}, {}, {{6, "0"}}, {{"ComboBoxGender", "\"ชาย\""}, {"QRImageGender", "male.bmp"}}},
      {"gender 1 is a woman", {}, {}, {{6, "1"}}, {{"ComboBoxGender", "\"หญิง\""}, {"QRImageGender", "female.bmp"}}},
      {"gender blank-0 is a woman", {}, {}, {{6, " 0"}}, {{"ComboBoxGender", "\"หญิง\""}}},
      {"gender 00 is a woman", {}, {}, {{6, "00"}}, {{"ComboBoxGender", "\"หญิง\""}}},
      {"prev asks for the preview", {}, {}, {{7, "prev"}}, {{"CheckBoxPagePreview", " checked"}}},
      {"Prev prints", {}, {}, {{7, "Prev"}}, {{"CheckBoxPagePreview", "unchecked"}}},
      {"the one-letter name", {}, {}, {{11, "161"}}, {{"EditName", "\"ก\""}, {"QRLabelHoroscopeOwner", "\"ชื่อ ก "}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fresh();
    std::vector<std::string> args = kBirth;
    args.insert(args.end(), c.args.begin(), c.args.end());
    request(args);
    for (const auto& [file, edits] : {std::pair{work() / "VesprinPrintAnalyze.DAT", c.marks},
                                      std::pair{work() / "VesprinPrint.DAT", c.record}}) {
      auto lines = linesOf(file);
      for (const auto& [line, text] : edits) lines[static_cast<std::size_t>(line)] = text;
      writeLines(file, lines);
    }
    const ProgramRun run = print({"--pdf", "sheet.pdf"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string dump = "\n" + readFile(dir_ / "dump.txt");
    for (const auto& [name, part] : c.expected) {
      const std::size_t at = dump.find("\n" + std::string(name) + " ");
      ASSERT_NE(at, std::string::npos) << name;
      const std::string line = dump.substr(at + 1, dump.find('\n', at + 1) - at - 1);
      if (std::string(part) == "x")
        EXPECT_EQ(line.find_first_of("\"."), std::string::npos) << line;  // no picture, no caption
      else
        EXPECT_NE(line.find(part), std::string::npos) << line << "\n  expected: " << part;
    }
  }
}

TEST_F(PrintEndToEnd, found_under_a_mapped_drive_and_deleted_there) {
  // E is searched before C: its request is served and deleted, the copy on
  // C stays for the next start. Nothing in the current directory.
  request({"--date", "05/03/2530", "--hour", "07", "--gender", "male", "--name", "อี"}, dir_ / "e");
  request({"--date", "05/03/2530", "--hour", "07", "--gender", "male", "--name", "ซี"}, dir_ / "c");
  const std::string drives = "C=" + (dir_ / "c").string() + ";E=" + (dir_ / "e").string() + ";D=" + (dir_ / "d").string();
  const ProgramRun run = print({"--pdf", "sheet.pdf"}, {{"VESPRIN_DRIVES", drives}});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(readFile(dir_ / "dump.txt").find("EditName \"อี\""), std::string::npos);
  EXPECT_FALSE(fs::exists(dir_ / "e" / "VesprinPrint.DAT"));
  EXPECT_FALSE(fs::exists(dir_ / "e" / "VesprinPrintAnalyze.DAT"));
  EXPECT_TRUE(fs::exists(dir_ / "c" / "VesprinPrint.DAT"));
  EXPECT_TRUE(fs::exists(dir_ / "c" / "VesprinPrintAnalyze.DAT"));
}

// A birth whose double hour holds the spring festival (4 February 2541,
// 07:56): printed as asked, the warning on standard error and on the sheet;
// the analysis page follows on A4 when asked for.
TEST_F(PrintEndToEnd, a_festival_in_the_birth_hour_and_the_analysis_page) {
  request({"--date", "04/02/2541", "--hour", "07", "--gender", "female"});
  const ProgramRun run = print({"--pdf", "two.pdf", "--analysis-page"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("vesprin-print: warning: born 56 minutes before the large festival at 07:56; "
                         "on the other side year 4/2, month 10/2"),
            std::string::npos)
      << run.err;
  EXPECT_NE(readFile(dir_ / "dump.txt").find("QRLabelBoundary label 24,712 697x43 \"เกิดก่อนสารทใหญ่ 07.56 น. 56 นาที"),
            std::string::npos);
  const ProgramRun info = runProgram("/usr/bin/pdfinfo", {"-f", "1", "-l", "2", "two.pdf"}, work(), {});
  EXPECT_NE(info.out.find("Page    1 size:  612 x 792 pts (letter)"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("Page    2 size:  595 x 842 pts (A4)"), std::string::npos) << info.out;

  // Without the option: the one Letter page of every run.
  fresh();
  request({"--date", "04/02/2541", "--hour", "07", "--gender", "female"});
  ASSERT_EQ(print({"--pdf", "one.pdf"}).status, 0);
  EXPECT_TRUE(oneLetterPage(work() / "one.pdf"));
}

// Without a usable printer the sheet is not lost: saved as a PDF in the
// current directory, its path on standard error, exit status 3. The same for
// a preview asked for where nobody can see it.
TEST_F(PrintEndToEnd, no_printer_and_no_display_for_the_preview) {
  struct Case {
    const char* what;
    const char* printLine;
    const char* message;
  };
  const Case cases[] = {
      {"print without a printer", "print",
       "vesprin-print: not printed: the print scheduler cannot be reached at /nonexistent/"},
      {"preview without a display", "prev", "vesprin-print: no display for the page preview; the chart sheet was saved as"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fresh();
    request(kBirth);
    auto lines = linesOf(work() / "VesprinPrint.DAT");
    lines[7] = c.printLine;
    writeLines(work() / "VesprinPrint.DAT", lines);
    // A CUPS server that is not there: no printer at all.
    const ProgramRun run = print({}, {{"CUPS_SERVER", "/nonexistent/vesprin-cups.sock"}});
    EXPECT_EQ(run.status, 3) << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    const auto written = pdfs();
    ASSERT_EQ(written.size(), 1u);
    EXPECT_NE(run.err.find(written[0].filename().string()), std::string::npos) << run.err;
    EXPECT_TRUE(oneLetterPage(written[0]));
  }
}

// A real printer: CUPS with the cups-pdf queue as the default destination
// (.ci/run sets it up). The printed page lands as a PDF in ~/PDF.
TEST_F(PrintEndToEnd, prints_on_the_default_printer) {
  const ProgramRun lp = runProgram("/usr/bin/lpstat", {"-d"}, work(), {});
  if (lp.status != 0 || lp.out.find("system default destination:") == std::string::npos)
    GTEST_SKIP() << "no CUPS scheduler with a default printer (scripts/cups-printer.sh start sets one up)";
  const char* home = std::getenv("HOME");
  ASSERT_TRUE(home);
  const fs::path out = fs::path(home) / "PDF";
  std::set<fs::path> before;
  if (fs::exists(out))
    for (const auto& f : fs::directory_iterator(out)) before.insert(f.path());

  request({"--date", "05/03/2530", "--hour", "07", "--gender", "male", "--name", "สมชาย"});
  const ProgramRun run = print({}, {{"CUPS_SERVER", std::nullopt}});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(pdfs().empty());

  // cups-pdf writes the page after the job has left the engine.
  fs::path printed;
  for (int i = 0; i < 300 && printed.empty(); ++i) {
    if (fs::exists(out))
      for (const auto& f : fs::directory_iterator(out))
        if (f.path().extension() == ".pdf" && !before.count(f.path())) printed = f.path();
    if (printed.empty()) ::usleep(200 * 1000);
  }
  ASSERT_FALSE(printed.empty()) << "no new PDF in " << out;
  ProgramRun info;
  for (int i = 0; i < 50; ++i) {  // until cups-pdf has finished writing it
    info = runProgram("/usr/bin/pdfinfo", {printed.string()}, work(), {});
    if (info.status == 0) break;
    ::usleep(200 * 1000);
  }
  EXPECT_TRUE(std::regex_search(info.out, std::regex("Pages:\\s+1\\n"))) << info.out;
  EXPECT_NE(info.out.find("612 x 792 pts (letter)"), std::string::npos) << info.out;
  fs::remove(printed);
}

// A request is served once, whole, by one run. The runs wait at the claim
// (VESPRIN_TEST_CLAIM_DELAY_MS, holding the folder's lock between taking the
// record and taking the marks), so that the moments where a request could
// be lost, served twice or mixed with the next one are hit every time.
// The default queue as an administrator may leave it: rejecting jobs, then
// accepting but stopped, then accepting again. Only a job the queue took is
// printed; one it refused is saved instead, and one that waits is said to.
TEST_F(PrintEndToEnd, the_default_queue_rejecting_stopped_and_accepting_again) {
  const ProgramRun lp = runProgram("/usr/bin/lpstat", {"-d"}, work(), {});
  const std::string marker = "system default destination: ";
  const std::size_t at = lp.out.find(marker);
  if (lp.status != 0 || at == std::string::npos)
    GTEST_SKIP() << "no CUPS scheduler with a default printer (scripts/cups-printer.sh start sets one up)";
  const std::string queue = lp.out.substr(at + marker.size(), lp.out.find('\n', at) - at - marker.size());
  const auto admin = [&](const char* command) {
    return runProgram(std::string("/usr/sbin/") + command, {queue}, work(), {}).status == 0;
  };
  if (!admin("cupsreject")) GTEST_SKIP() << "the queue " << queue << " cannot be changed here (not an administrator)";
  struct Restore {
    std::function<void()> f;
    ~Restore() { f(); }
  } restore{[&] { admin("cupsaccept"), admin("cupsenable"); }};

  // The printed page lands in cups-pdf's folder: taken away again at the end.
  const fs::path printedDir = fs::path(std::getenv("HOME") ? std::getenv("HOME") : "/root") / "PDF";
  std::set<fs::path> before;
  if (fs::exists(printedDir))
    for (const auto& f : fs::directory_iterator(printedDir)) before.insert(f.path());
  struct Case {
    const char* what;
    const char* command;  // what the administrator did before the run
    int status;
    const char* says;     // on standard error ("": nothing)
    bool saved;           // the sheet saved in the current directory
  };
  const Case cases[] = {
      {"rejecting jobs", nullptr, 3, "vesprin-print: not printed: the printer ", true},
      {"accepting but stopped", "cupsaccept", 0, " is stopped", false},
      {"accepting again", "cupsenable", 0, "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fresh();
    if (c.command) {
      ASSERT_TRUE(admin(c.command));
      if (std::string(c.command) == "cupsaccept") {
        ASSERT_TRUE(admin("cupsdisable"));
      }
    }
    request(kBirth);
    const ProgramRun run = print({}, {{"CUPS_SERVER", std::nullopt}});
    EXPECT_EQ(run.status, c.status) << run.err;
    if (*c.says) {
      EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    } else {
      EXPECT_EQ(run.err, "");
    }
    EXPECT_EQ(pdfs().size(), c.saved ? 1u : 0u);
    if (c.saved) {
      EXPECT_NE(run.err.find("did not take the job"), std::string::npos) << run.err;
      EXPECT_TRUE(oneLetterPage(pdfs()[0]));
    }
    if (c.status == 0 && !*c.says) continue;
    if (!c.saved) {
      EXPECT_NE(run.err.find("waits in its queue"), std::string::npos) << run.err;
      // The waiting job is not this test's to print.
      runProgram("/usr/bin/cancel", {"-a", queue}, work(), {});
    }
    // Served either way: the sheet is out or waits in the queue.
    EXPECT_FALSE(fs::exists(work() / "VesprinPrint.DAT"));
    EXPECT_FALSE(fs::exists(work() / "VesprinPrintAnalyze.DAT"));
  }
  // The last run's page, once cups-pdf has written it.
  for (int i = 0; i < 150; ++i) {
    bool removed = false;
    if (fs::exists(printedDir))
      for (const auto& f : fs::directory_iterator(printedDir))
        if (!before.count(f.path()) && f.path().extension() == ".pdf") removed = fs::remove(f.path());
    if (removed) break;
    ::usleep(200 * 1000);
  }
}

class ServedOnce : public PrintEndToEnd {
 protected:
  // A request whose name and decorations say which one it is.
  void requestNamed(const std::string& name, int figure, const fs::path& where) {
    request({"--date", "05/03/2530", "--hour", "07", "--gender", "male", "--name", name, "--balance",
             std::to_string(figure) + "," + std::to_string(figure), "--mark", "yybon=blue"},
            where);
  }
  // What run `k` wrote: its PDF and the dump of its sheet.
  fs::path pdfOf(int k) const { return dir_ / "out" / ("run-" + std::to_string(k) + ".pdf"); }
  fs::path dumpOf(int k) const { return dir_ / "out" / ("run-" + std::to_string(k) + ".txt"); }
  // `args`: none writes the sheet to run k's own PDF.
  StartedProgram start(int k, const std::string& delayMs, std::optional<std::vector<std::string>> args = {}) {
    return startProgram(VESPRIN_PRINT, args.value_or(std::vector<std::string>{"--pdf", pdfOf(k).string()}), work(),
                        {{"VESPRIN_TODAY", "2026-12-09"},
                         {"VESPRIN_DATA_DIR", kSourceData},
                         {"VESPRIN_DRIVES", drives_},
                         {"VESPRIN_SHEET_DUMP", dumpOf(k).string()},
                         {"VESPRIN_TEST_CLAIM_DELAY_MS", delayMs},
                         {"QT_QPA_PLATFORM", "offscreen"},
                         {"XDG_CONFIG_HOME", (dir_ / "config").string()},
                         // No printer: a scheduler socket that is not there (a short
                         // path, or libcups asks the local scheduler instead).
                         {"CUPS_SERVER", "/nonexistent/vesprin-cups.sock"}});
  }
  // The sheet of run `k` is the request of that name, whole: its name and
  // its balance figure, never another request's.
  ::testing::AssertionResult sheetOf(int k, const std::string& name, int figure) const {
    const std::string dump = readFile(dumpOf(k));
    if (dump.find("EditName \"" + name + "\"") != std::string::npos &&
        dump.find("\"กลุ่มดิถี " + std::to_string(figure) + "\"") != std::string::npos)
      return ::testing::AssertionSuccess();
    const auto line = [&](const char* component) {
      const std::size_t at = dump.find(std::string("\n") + component + " ");
      return at == std::string::npos ? std::string("(none)") : dump.substr(at + 1, dump.find('\n', at + 1) - at - 1);
    };
    return ::testing::AssertionFailure() << "run " << k << " printed " << line("EditName") << " / "
                                         << line("QRLabelA1") << ", not " << name << " with figure " << figure;
  }
  void freshRound() {
    fresh();
    fs::create_directories(dir_ / "out");
  }
  std::optional<std::string> drives_;
};

TEST_F(ServedOnce, by_exactly_one_of_the_runs_started_together) {
  for (const int runs : {2, 5}) {
    for (int round = 0; round < 50; ++round) {
      SCOPED_TRACE(std::to_string(runs) + " runs, round " + std::to_string(round));
      freshRound();
      requestNamed("สมชาย", 3, work());
      std::vector<StartedProgram> started;
      for (int k = 0; k < runs; ++k) started.push_back(start(k, "100"));
      int served = 0;
      for (int k = 0; k < runs; ++k) {
        const ProgramRun run = waitProgram(started[static_cast<std::size_t>(k)]);
        if (run.status == 0) {
          ++served;
          EXPECT_TRUE(sheetOf(k, "สมชาย", 3));
          EXPECT_TRUE(oneLetterPage(pdfOf(k)));
        } else {
          EXPECT_EQ(run.status, 2) << run.err;
          EXPECT_NE(run.err.find("no request: VesprinPrint.DAT not found"), std::string::npos) << run.err;
          EXPECT_FALSE(fs::exists(pdfOf(k)));
        }
      }
      EXPECT_EQ(served, 1);
      EXPECT_TRUE(fs::is_empty(work())) << "the request, or a claim of it, is left";
      if (::testing::Test::HasFailure()) return;
    }
  }
}

// The first run is caught between taking the record and taking the marks
// every time (it holds the folder's lock there, and make-request waits for
// it), so a few rounds say as much as many.
TEST_F(ServedOnce, a_request_written_while_a_run_reads_waits_for_the_next_start) {
  for (int round = 0; round < 20; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    freshRound();
    requestNamed("เอ", 1, work());
    const StartedProgram first = start(0, "150");
    // The first run has taken the record and waits before taking the marks:
    // the companion writes the next request now.
    for (int i = 0; i < 2000 && fs::exists(work() / "VesprinPrint.DAT"); ++i) ::usleep(1000);
    requestNamed("บี", 2, work());
    const ProgramRun a = waitProgram(first);
    ASSERT_EQ(a.status, 0) << a.err;
    const ProgramRun b = waitProgram(start(1, "0"));
    ASSERT_EQ(b.status, 0) << b.err;
    EXPECT_TRUE(sheetOf(0, "เอ", 1));
    EXPECT_TRUE(sheetOf(1, "บี", 2));
    EXPECT_TRUE(fs::is_empty(work()));
    if (::testing::Test::HasFailure()) return;
  }
}

// A run killed while it holds a claim loses nothing: the next start takes
// the claim back and serves the request, once.
TEST_F(ServedOnce, a_claim_of_a_run_that_died_is_taken_back) {
  freshRound();
  requestNamed("สมชาย", 3, work());
  const StartedProgram doomed = start(0, "5000");
  for (int i = 0; i < 5000 && fs::exists(work() / "VesprinPrint.DAT"); ++i) ::usleep(1000);
  ASSERT_FALSE(fs::exists(work() / "VesprinPrint.DAT")) << "the run never claimed the request";
  ::kill(doomed.pid, SIGKILL);
  EXPECT_EQ(waitProgram(doomed).status, 128 + SIGKILL);
  EXPECT_FALSE(fs::is_empty(work())) << "the claim is gone with its run";

  const ProgramRun next = waitProgram(start(1, "0"));
  EXPECT_EQ(next.status, 0) << next.err;
  EXPECT_NE(next.err.find("a request claimed by a run that ended is taken back as VesprinPrint.DAT"),
            std::string::npos)
      << next.err;
  EXPECT_TRUE(sheetOf(1, "สมชาย", 3));
  EXPECT_TRUE(fs::is_empty(work()));
}

// Two requests on two drives, two runs at once in one folder without a
// printer: each saves its sheet under a name of its own; with one --pdf name
// the file left is one whole sheet.
TEST_F(ServedOnce, runs_saving_into_one_folder_each_write_whole_files) {
  for (int round = 0; round < 10; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    freshRound();
    requestNamed("ดี", 4, dir_ / "d");
    requestNamed("ซี", 5, dir_ / "c");
    drives_ = "D=" + (dir_ / "d").string() + ";C=" + (dir_ / "c").string();
    const bool samePdf = round % 2 == 1;
    const std::vector<std::string> args =
        samePdf ? std::vector<std::string>{"--pdf", (dir_ / "out" / "same.pdf").string()} : std::vector<std::string>{};
    // Without --pdf: no printer, so each saves its sheet in the current directory.
    std::vector<StartedProgram> started = {start(0, "50", args), start(1, "50", args)};
    std::set<std::string> names;
    for (int k = 0; k < 2; ++k) {
      const ProgramRun run = waitProgram(started[static_cast<std::size_t>(k)]);
      EXPECT_EQ(run.status, samePdf ? 0 : 3) << run.err;
      names.insert(readFile(dumpOf(k)).find("EditName \"ดี\"") != std::string::npos ? "ดี" : "ซี");
    }
    EXPECT_EQ(names, (std::set<std::string>{"ดี", "ซี"})) << "both requests served, each once";
    if (samePdf) {
      EXPECT_TRUE(oneLetterPage(dir_ / "out" / "same.pdf"));
    } else {
      ASSERT_EQ(pdfs().size(), 2u);
      for (const fs::path& pdf : pdfs()) EXPECT_TRUE(oneLetterPage(pdf));
    }
    EXPECT_TRUE(fs::is_empty(dir_ / "d") && fs::is_empty(dir_ / "c"));
    drives_.reset();
    if (::testing::Test::HasFailure()) return;
  }
}

TEST_F(PrintEndToEnd, no_request_at_all) {
  const ProgramRun run = print();
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("request refused, nothing printed: no request: VesprinPrint.DAT not found"), std::string::npos)
      << run.err;
  EXPECT_TRUE(pdfs().empty());
}

TEST_F(PrintEndToEnd, unknown_options_and_help) {
  EXPECT_EQ(print({"--pdf"}).status, 1);
  EXPECT_EQ(print({"--print"}).status, 1);
  EXPECT_EQ(print({}, {{"VESPRIN_TODAY", "2026-13-01"}}).status, 1);
  const ProgramRun help = print({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("Exit status"), std::string::npos);
  const ProgramRun requestHelp = runProgram(MAKE_REQUEST, {"--help"}, work(), {});
  EXPECT_EQ(requestHelp.status, 0);
  EXPECT_NE(requestHelp.out.find("--strip-year"), std::string::npos);
}

// The PDF names the client and the chart, and its text gives the name back
// as typed: tone marks over and under, set lower or further left by the
// fonts, and sara am, which the fonts draw in two parts.
TEST_F(PrintEndToEnd, the_pdf_names_the_client_and_its_text_gives_the_name_back) {
  struct Case {
    const char* name;
    const char* title;
  };
  const Case cases[] = {
      {"น้ำผึ้ง ปิ่นแก้ว", "น้ำผึ้ง ปิ่นแก้ว"},
      {"กุ้ง", "กุ้ง"},
      {"ป้อม ปู่ฟ้า ฐิติญา", "ป้อม ปู่ฟ้า ฐิติญา"},
      {nullptr, "ดวงจีน"},  // no name
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    fresh();
    std::vector<std::string> args = kBirth;
    if (c.name) args.insert(args.end(), {"--name", c.name});
    request(args);
    const ProgramRun run = print({"--pdf", "sheet.pdf"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const fs::path pdf = work() / "sheet.pdf";
    const ProgramRun info = runProgram("/usr/bin/pdfinfo", {pdf.string()}, work(), {});
    EXPECT_NE(info.out.find(std::string("Title:           ") + c.title + "\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("Subject:         ดวงจีน เกิด 5 มีนาคม พ.ศ. 2530 เวลา 07.00 น.\n"), std::string::npos)
        << info.out;
    const ProgramRun text = runProgram("/usr/bin/pdftotext", {pdf.string(), "-"}, work(), {});
    ASSERT_EQ(text.status, 0);
    if (c.name) {
      EXPECT_NE(text.out.find(std::string("ชื่อ ") + c.name + " เกิดวันพฤหัสที่ 05/03/2530"), std::string::npos)
          << text.out.substr(0, 400);
    }
    // Nothing of the fonts' private forms is left in the text.
    EXPECT_EQ(text.out.find("\xEF\x9C"), std::string::npos);
  }
}

// The ink of a page rendered at `dpi`: its box in pixels (left, top, right,
// bottom), from poppler's grey PGM.
std::array<int, 4> inkBox(const fs::path& pdf, int dpi) {
  const ProgramRun r = runProgram("/usr/bin/pdftoppm", {"-r", std::to_string(dpi), "-gray", pdf.string()},
                                  pdf.parent_path(), {});
  std::istringstream in(r.out);
  std::string magic;
  int w = 0, h = 0, max = 0;
  in >> magic >> w >> h >> max;
  in.get();
  std::array<int, 4> box{w, h, -1, -1};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (static_cast<unsigned char>(in.get()) < 200) {
        box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x), std::max(box[3], y)};
      }
  return box;
}

// A4 holds the Letter sheet scaled to fit its width and centred: the ink on
// A4 is the ink on Letter scaled, moved down by half the paper left over.
TEST_F(PrintEndToEnd, on_a4_the_letter_sheet_is_scaled_to_fit_and_centred) {
  struct Case {
    std::vector<std::string> args;
    const char* size;
  };
  const Case cases[] = {{{"--pdf", "letter.pdf"}, "612 x 792 pts (letter)"},
                        {{"--pdf", "default.pdf", "--paper", "letter"}, "612 x 792 pts (letter)"},
                        {{"--pdf", "a4.pdf", "--paper", "a4"}, "595 x 842 pts (A4)"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[1]);
    request(kBirth);
    const ProgramRun run = print(c.args);
    ASSERT_EQ(run.status, 0) << run.err;
    const ProgramRun info = runProgram("/usr/bin/pdfinfo", {c.args[1]}, work(), {});
    EXPECT_NE(info.out.find(c.size), std::string::npos) << info.out;
  }
  constexpr int kDpi = 50;
  const auto letter = inkBox(work() / "letter.pdf", kDpi), a4 = inkBox(work() / "a4.pdf", kDpi);
  ASSERT_GE(letter[2], 0);
  const double scale = 210.0 / 215.9;
  const double down = (297.0 - 279.4 * scale) / 2 / 25.4 * kDpi;  // pixels
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(a4[static_cast<std::size_t>(i)], letter[static_cast<std::size_t>(i)] * scale + (i % 2 ? down : 0), 2.0);
  }
  EXPECT_EQ(print({"--paper", "A5"}).status, 1);
  EXPECT_EQ(print({"--paper"}).status, 1);
}

TEST_F(PrintEndToEnd, make_request_refuses_a_name_code_page_874_cannot_hold) {
  std::vector<std::string> args = kBirth;
  args.insert(args.end(), {"--name", "สมชาย 王", "--dir", work().string()});
  const ProgramRun run = runProgram(MAKE_REQUEST, args, work(), {});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("the character \"王\" (byte 16) has no code in code page 874"), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists(work() / "VesprinPrint.DAT"));
  EXPECT_FALSE(fs::exists(work() / "VesprinPrintAnalyze.DAT"));
}

// --from-cast: the power line and the group figures are the chart's own; it
// takes no figures of its own, and a birth the calendar cannot cast writes
// nothing.
TEST_F(PrintEndToEnd, make_request_from_cast) {
  struct Case {
    std::vector<std::string> extra;
    int status;
    const char* line0;   // the day-master group figure
    const char* line22;  // the power line
  };
  const Case cases[] = {
      // 23/11/2541 10 h, a Wood day master: Ground 6, Gold 0, Water 10, Wood 8, Fire 1.
      {{"--date", "23/11/2541"}, 0, "18", "0060000100080013"},
      {{"--date", "23/11/2541", "--power", "ground=1,gold=1,water=1,wood=1,fire=1"}, 1, nullptr, nullptr},
      {{"--date", "23/11/2541", "--balance", "1,2"}, 1, nullptr, nullptr},
      // Outside the calendar's years: nothing to cast.
      {{"--date", "01/01/2300"}, 3, nullptr, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.extra[1] + (c.extra.size() > 2 ? " " + c.extra[2] : ""));
    fresh();
    std::vector<std::string> args = c.extra;
    args.insert(args.end(), {"--hour", "10", "--gender", "female", "--from-cast", "--dir", work().string()});
    const ProgramRun run = runProgram(MAKE_REQUEST, args, work(), {{"VESPRIN_TODAY", "2026-12-09"}});
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_EQ(fs::exists(work() / "VesprinPrintAnalyze.DAT"), c.status == 0);
    if (c.status != 0) continue;
    const auto lines = linesOf(work() / "VesprinPrintAnalyze.DAT");
    ASSERT_GE(lines.size(), 24u);
    EXPECT_EQ(lines[0], c.line0);
    EXPECT_EQ(lines[1], "7");
    EXPECT_EQ(lines[22], c.line22);
  }
}

// make-request writes no request for a day its month does not have.
TEST_F(PrintEndToEnd, make_request_refuses_a_day_its_month_does_not_have) {
  struct Case {
    const char* date;
    int status;
  };
  for (const Case& c : {Case{"31/02/2530", 1}, Case{"29/02/2542", 1}, Case{"31/04/2500", 1}, Case{"29/02/2443", 1},
                        Case{"29/02/2543", 0}, Case{"30/04/2500", 0}}) {
    SCOPED_TRACE(c.date);
    fresh();
    const ProgramRun run = runProgram(
        MAKE_REQUEST, {"--date", c.date, "--hour", "07", "--gender", "male", "--dir", work().string()}, work(), {});
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_EQ(fs::exists(work() / "VesprinPrint.DAT"), c.status == 0);
    if (c.status != 0) {
      EXPECT_NE(run.err.find(std::string("--date \"") + c.date + "\": the month has no such day (วันเดือนปีเกิดไม่ถูกต้อง)"),
                std::string::npos)
          << run.err;
    }
  }
}

}  // namespace
}  // namespace vesprin
