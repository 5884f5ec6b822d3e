// Bad requests through the whole engine: each row writes a sound request with
// make-request into a fresh folder, spoils it, and runs vesprin-print there
// unattended, with today's date fixed and the sheet going to a PDF, so that
// nothing reaches a printer. Whatever the input, the engine ends with the
// documented status and a cause on standard error, never by a signal; a
// refused request leaves no PDF behind; and of the files in the folders it
// can see, only the hand-over files it found are gone afterwards.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>

#include "tests/run_program.h"

namespace vesprin {
namespace {
namespace fs = std::filesystem;
using testing::ProgramRun;
using testing::readFile;
using testing::runProgram;

const std::string kSourceData = VESPRIN_SOURCE_DATA_DIR;
constexpr const char* kMarks = "VesprinPrintAnalyze.DAT";
constexpr const char* kRecord = "VesprinPrint.DAT";
constexpr int kNobody = 65534;

void spit(const fs::path& p, const std::string& bytes) {
  std::ofstream(p, std::ios::binary | std::ios::trunc) << bytes;
}

// The file with its line `index` (counted from 0) replaced by `text`; lines
// beyond the last are added. The ends stay CR LF.
void setLine(const fs::path& p, std::size_t index, const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(readFile(p));
  for (std::string l; std::getline(in, l);) {
    if (!l.empty() && l.back() == '\r') l.pop_back();
    lines.push_back(l);
  }
  if (lines.size() <= index) lines.resize(index + 1);
  lines[index] = text;
  std::string out;
  for (const auto& l : lines) out += l + "\r\n";
  spit(p, out);
}

// The file cut after line `count`: the lines from there on are dropped.
void keepLines(const fs::path& p, std::size_t count, const std::vector<std::string>& added = {}) {
  std::istringstream in(readFile(p));
  std::string out;
  std::size_t n = 0;
  for (std::string l; n < count && std::getline(in, l); ++n) out += l + "\n";
  for (const auto& a : added) out += a + "\r\n";
  spit(p, out);
}

// Bytes of every value, newlines among them, the same at every run.
std::string garbage(std::size_t size, unsigned seed) {
  std::string out(size, '\0');
  for (char& c : out) {
    seed = seed * 1103515245u + 12345u;
    c = static_cast<char>(seed >> 16);
  }
  return out;
}

// Every file and folder under `root`, by its path relative to it.
std::set<std::string> contents(const fs::path& root) {
  std::set<std::string> out;
  for (const auto& e : fs::recursive_directory_iterator(root))
    out.insert(fs::relative(e.path(), root).string() + (e.is_directory() ? "/" : ""));
  return out;
}

// Whether a process of user nobody can run the engine of this build (the
// folders above the build tree must let it through).
bool nobodyCanRun() {
  const ProgramRun r = runProgram("/usr/bin/setpriv",
                                  {"--reuid=65534", "--regid=65534", "--clear-groups", VESPRIN_PRINT, "--help"},
                                  "/", {});
  return r.status == 0;
}

class BadRequest : public ::testing::Test {
 public:  // the rows arrange their folders through it
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("vesprin-bad-request-" + std::to_string(::getpid()));
  }
  void TearDown() override {
    if (fs::exists(work())) fs::permissions(work(), fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(dir_);
  }
  fs::path work() const { return dir_ / "work"; }
  fs::path scene() const { return dir_ / "scene"; }  // all the engine may see: work, drives, data

  void fresh() {
    if (fs::exists(work())) fs::permissions(work(), fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(dir_);
    fs::create_directories(work());
    fs::create_directories(dir_ / "config");
    env_ = {
        {"VESPRIN_TODAY", "2026-12-09"},
        {"VESPRIN_DATA_DIR", kSourceData},
        {"VESPRIN_DRIVES", std::nullopt},
        {"VESPRIN_SHEET_DUMP", (dir_ / "dump.txt").string()},
        {"QT_QPA_PLATFORM", "offscreen"},
        {"XDG_CONFIG_HOME", (dir_ / "config").string()},
        {"CUPS_SERVER", (dir_ / "no-cups.sock").string()},  // no printer, whatever the run asks for
    };
  }
  void request(const fs::path& where, std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {"--date", "05/03/2530", "--hour", "07", "--gender", "male",
                                     "--name", "สมชาย", "--balance", "3,5", "--share", "hot:55%",
                                     "--dir", where.string()};
    args.insert(args.end(), extra.begin(), extra.end());
    const ProgramRun r = runProgram(MAKE_REQUEST, args, work(), {{"VESPRIN_TODAY", "2026-12-09"}});
    ASSERT_EQ(r.status, 0) << r.err;
  }
  // A data directory of its own: the shipped calendar, and the shipped
  // pictures but those named.
  void dataWithout(const std::set<std::string>& pictures) {
    const fs::path data = dir_ / "data";
    fs::create_directories(data / "pictures");
    for (const auto& f : fs::directory_iterator(kSourceData))
      if (f.is_regular_file()) fs::create_symlink(f.path(), data / f.path().filename());
    for (const auto& f : fs::directory_iterator(fs::path(kSourceData) / "pictures"))
      if (!pictures.count(f.path().filename().string())) fs::copy_file(f.path(), data / "pictures" / f.path().filename());
    env_["VESPRIN_DATA_DIR"] = data.string();
  }

  std::map<std::string, std::optional<std::string>> env_;
  fs::path dir_;
};

struct Row {
  const char* what;
  std::function<void(BadRequest&)> arrange;  // after make-request has written a sound request in work/
  int status;
  std::vector<std::string> says;    // parts of standard error
  std::set<std::string> served;     // the hand-over files found and deleted, relative to the test folder
  bool readOnlyWork = false;        // the current directory cannot be written (run as user nobody under root)
  std::vector<std::string> dump = {};  // parts of the printed sheet's dump
};

const std::set<std::string> kBothServed = {"work/VesprinPrintAnalyze.DAT", "work/VesprinPrint.DAT"};

TEST_F(BadRequest, each_gets_its_cause_and_nothing_half_done) {
  const auto w = [](BadRequest& t, const char* file) { return t.work() / file; };
  const std::vector<Row> rows = {
      {"empty files",
       [&](BadRequest& t) { spit(w(t, kMarks), ""), spit(w(t, kRecord), ""); }, 2,
       {"request refused, nothing printed: VesprinPrintAnalyze.DAT: expected at least 24 lines of analysis marks, found 0"},
       kBothServed},
      {"empty birth record", [&](BadRequest& t) { spit(w(t, kRecord), ""); }, 2,
       {"VesprinPrint.DAT: expected at least 12 lines of birth record, found 0"}, kBothServed},
      {"binary garbage in both files",
       [&](BadRequest& t) { spit(w(t, kMarks), garbage(4096, 1)), spit(w(t, kRecord), garbage(4096, 2)); }, 2,
       {"VesprinPrintAnalyze.DAT: expected at least 24 lines of analysis marks, found "}, kBothServed},
      {"binary garbage after a sound marker",
       [&](BadRequest& t) { spit(w(t, kRecord), "KELMARD2\r\n" + garbage(65536, 3)); }, 2,
       {"VesprinPrint.DAT, line 1 (lines count from 0): expected the day of birth"}, kBothServed},
      {"a megabyte in the marker line",
       [&](BadRequest& t) { setLine(w(t, kRecord), 0, std::string(1 << 20, 'K')); }, 2,
       {"line 0 (lines count from 0): expected the marker \"KELMARD2\", found \"KKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKK...\" (1048576 bytes)"},
       kBothServed},
      {"a megabyte in the analysis note",
       [&](BadRequest& t) { setLine(w(t, kMarks), 23, std::string(1 << 20, 'x')); }, 2,
       {"line 23 (lines count from 0): expected a character code 0..255 of the analysis note, found \"xxxx"},
       kBothServed},
      {"a megabyte in a climate share is printed, cut to its box",
       [&](BadRequest& t) { setLine(w(t, kMarks), 3, "H" + std::string(1 << 20, '9')); }, 0, {}, kBothServed},
      {"a megabyte in the month strip's year text is printed, cut to its box",
       [&](BadRequest& t) { setLine(w(t, kRecord), 9, std::string(1 << 20, '2')); }, 0, {}, kBothServed},
      {"a character code of a megabyte of digits counts modulo 256",
       [&](BadRequest& t) { setLine(w(t, kRecord), 11, std::string(1 << 20, '9')); }, 0, {}, kBothServed},
      {"character codes 0 and above 255 count modulo 256",
       [&](BadRequest& t) { keepLines(w(t, kRecord), 11, {"417", "256", "99999999999999999999999", "162"}); },
       0, {}, kBothServed, false, {std::string("EditName \"ก\0\xef\xbf\xbdข\"", 21)}},
      {"a name of 10,000 characters is cut to 120",
       [&](BadRequest& t) { keepLines(w(t, kRecord), 11, std::vector<std::string>(10000, "161")); }, 0, {},
       kBothServed, false, {"EditName \"" + [] { std::string n; for (int i = 0; i < 120; ++i) n += "ก"; return n; }() + "\"\n"}},
      {"the birth record is a folder",
       [&](BadRequest& t) {
         fs::remove(w(t, kRecord));
         fs::create_directory(w(t, kRecord));
         spit(w(t, kRecord) / "inside.txt", "kept");
       },
       2, {"no request: VesprinPrint.DAT not found in the current directory (VESPRIN_DRIVES maps no drive); "
           "VesprinPrint.DAT is a folder, left as it is"},
       {"work/VesprinPrintAnalyze.DAT"}},
      {"both files are folders",
       [&](BadRequest& t) {
         for (const char* f : {kMarks, kRecord}) fs::remove(w(t, f)), fs::create_directory(w(t, f));
       },
       2, {"no request: VesprinPrint.DAT not found", "VesprinPrint.DAT is a folder, left as it is"}, {}},
      // A day its month does not have is refused, never cast as the last day
      // of the month under the person's name.
      {"31 February", [&](BadRequest& t) { setLine(w(t, kRecord), 1, "31"), setLine(w(t, kRecord), 2, "02"); }, 2,
       {"VesprinPrint.DAT, line 1 (lines count from 0): expected a day that 02/2530 has "
        "(วันเดือนปีเกิดไม่ถูกต้อง 31/02/2530), found \"31\""},
       kBothServed},
      {"31 April", [&](BadRequest& t) { setLine(w(t, kRecord), 1, "31"), setLine(w(t, kRecord), 2, "04"); }, 2,
       {"วันเดือนปีเกิดไม่ถูกต้อง 31/04/2530"}, kBothServed},
      {"29 February of a common year (CE 1999)",
       [&](BadRequest& t) {
         setLine(w(t, kRecord), 1, "29"), setLine(w(t, kRecord), 2, "02"), setLine(w(t, kRecord), 3, "2542");
       },
       2, {"วันเดือนปีเกิดไม่ถูกต้อง 29/02/2542"}, kBothServed},
      {"29 February 1900, no leap year in the civil calendar",
       [&](BadRequest& t) {
         setLine(w(t, kRecord), 1, "29"), setLine(w(t, kRecord), 2, "02"), setLine(w(t, kRecord), 3, "2443");
       },
       2, {"วันเดือนปีเกิดไม่ถูกต้อง 29/02/2443"}, kBothServed},
      {"29 February 2000 is printed",
       [&](BadRequest& t) {
         setLine(w(t, kRecord), 1, "29"), setLine(w(t, kRecord), 2, "02"), setLine(w(t, kRecord), 3, "2543");
       },
       0, {}, kBothServed, false, {"ComboBoxdd \"29\"", "ComboBoxyy \"2543\""}},
      {"a missing picture leaves its image empty and is reported",
       [&](BadRequest& t) { t.dataWithout({"male.bmp", "o4.bmp"}); }, 0,
       {"picture male.bmp not found", "picture o4.bmp not found"}, kBothServed},
      {"no balance pictures on the drive roots: the panel without them",
       [&](BadRequest& t) {
         fs::create_directories(t.scene() / "d");
         t.env_["VESPRIN_DRIVES"] = "D=" + (t.scene() / "d").string();
       },
       0, {}, kBothServed},
      {"a mapped drive that does not exist is passed over",
       [&](BadRequest& t) {
         fs::create_directories(t.scene() / "c");
         for (const char* f : {kMarks, kRecord}) fs::rename(w(t, f), t.scene() / "c" / f);
         t.env_["VESPRIN_DRIVES"] = "D=" + (t.scene() / "no-such-drive").string() + ";C=" + (t.scene() / "c").string();
       },
       0, {}, {"scene/c/VesprinPrintAnalyze.DAT", "scene/c/VesprinPrint.DAT"}},
      {"only mapped drives that do not exist",
       [&](BadRequest& t) {
         for (const char* f : {kMarks, kRecord}) fs::remove(w(t, f));
         t.env_["VESPRIN_DRIVES"] = "D=" + (t.scene() / "no-such-drive").string();
       },
       2, {"no request: VesprinPrint.DAT not found in the current directory, " + (dir_ / "scene" / "no-such-drive").string()},
       {}},
      {"a birth record without its analysis marks",
       [&](BadRequest& t) { fs::remove(w(t, kMarks)); }, 2,
       {"request refused, nothing printed: VesprinPrintAnalyze.DAT not found in the current directory"},
       {"work/VesprinPrint.DAT"}},
      {"a read-only current directory: nothing deleted, nothing written",
       [&](BadRequest&) {}, 5,
       {"cannot delete VesprinPrintAnalyze.DAT", "cannot delete VesprinPrint.DAT", "the same request may be served again",
        "cannot write sheet.pdf"},
       {}, true},
  };

  const bool root = ::geteuid() == 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    fresh();
    request(work());
    row.arrange(*this);
    if (row.readOnlyWork) {
      if (root && !nobodyCanRun()) {
        std::cout << "[ SKIPPED ROW ] " << row.what
                  << ": as root every folder is writable, and user nobody cannot run this build\n";
        continue;
      }
      fs::permissions(work(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                  fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    }
    const std::set<std::string> before = contents(dir_);

    std::string program = VESPRIN_PRINT;
    std::vector<std::string> args = {"--pdf", "sheet.pdf"};
    if (row.readOnlyWork && root) {
      // Root writes into any folder: the run is made as user nobody, who
      // owns the test folder but not the right to write into work/.
      for (const auto& e : fs::recursive_directory_iterator(dir_)) ::lchown(e.path().c_str(), kNobody, kNobody);
      ::lchown(dir_.c_str(), kNobody, kNobody);
      args.insert(args.begin(), {"--reuid=65534", "--regid=65534", "--clear-groups", program});
      program = "/usr/bin/setpriv";
    }
    const ProgramRun run = runProgram(program, args, work(), env_);

    EXPECT_EQ(run.status, row.status) << run.err;
    for (const std::string& part : row.says)
      EXPECT_NE(run.err.find(part), std::string::npos) << part << "\n" << run.err;
    EXPECT_LT(run.err.size(), 4096u) << "a bad line is echoed in full";
    EXPECT_EQ(std::count_if(run.err.begin(), run.err.end(),
                            [](char c) { return (static_cast<unsigned char>(c) < 0x20 && c != '\n') || c == 0x7F; }),
              0)
        << "control characters of the request reach standard error";

    // Only the hand-over files found are gone; the only new file is the
    // whole sheet of a request that was served.
    std::set<std::string> after = contents(dir_);
    for (const std::string& f : before) {
      if (f.rfind("config", 0) == 0) continue;
      EXPECT_EQ(after.count(f), row.served.count(f) ? 0u : 1u) << f;
    }
    std::set<std::string> added;
    for (const std::string& f : after)
      if (!before.count(f) && f.rfind("config", 0) != 0) added.insert(f);
    const std::string dump = readFile(dir_ / "dump.txt");
    for (const std::string& part : row.dump) EXPECT_NE(dump.find(part), std::string::npos) << part;
    if (row.status == 0) {
      EXPECT_EQ(added, (std::set<std::string>{"dump.txt", "work/sheet.pdf"}));
      const ProgramRun info = runProgram("/usr/bin/pdfinfo", {"sheet.pdf"}, work(), {});
      EXPECT_NE(info.out.find("612 x 792 pts (letter)"), std::string::npos) << info.out << info.err;
    } else {
      EXPECT_EQ(added, std::set<std::string>{});
    }
  }
}

}  // namespace
}  // namespace vesprin
