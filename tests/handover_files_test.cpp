#include "present/binding/bind_handover.h"
#include "present/request/handover_files.h"
#include "present/request/print_request.h"

#include <gtest/gtest.h>

#include "tests/scratch_folder.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>

#include "core/cp874.h"

namespace vesprin {
namespace {
namespace fs = std::filesystem;

// A fresh folder as the current directory, with drive roots inside it.
class HandoverSearch : public testing::InScratchFolder {
 protected:
  static void write(const fs::path& p, const std::string& bytes) {
    fs::create_directories(p.parent_path().empty() ? fs::path(".") : p.parent_path());
    std::ofstream(p, std::ios::binary) << bytes;
  }
};

std::vector<std::string> marksLines() {
  std::vector<std::string> l(24, "blank");
  for (int k = 19; k <= 21; ++k) l[static_cast<std::size_t>(k)] = "F";
  return l;
}

std::vector<std::string> recordLines() {
  return {"KELMARD2", "05", "03", "2530", "07", "09", "0", "print", "0102", "2569", "2026", "blank"};
}

const YearList kYears{{2344, 2345, 2530, 2555, 2742}, 2344};

TEST(handover_files_test, drive_map_order_and_errors) {
  const auto parsed = DriveMap::parse("c=/srv/handover;;H=/h;D=/media/usb0;X;E=/e");
  EXPECT_EQ(parsed.map.searchRoots(), (std::vector<std::string>{"/media/usb0", "/e", "/h", "/srv/handover"}));
  ASSERT_EQ(parsed.errors.size(), 1u);
  EXPECT_NE(parsed.errors[0].find("\"X\""), std::string::npos);
  EXPECT_TRUE(DriveMap::parse("").map.searchRoots().empty());
}

// Every file of the folder, hidden ones included.
std::set<std::string> filesIn(const fs::path& dir) {
  std::set<std::string> out;
  for (const auto& e : fs::directory_iterator(dir)) out.insert(e.path().filename().string());
  return out;
}

const std::string kRecord = "KELMARD2\r\n\xA1\r\n", kMarks = "blank\r\n";

TEST_F(HandoverSearch, claimed_under_a_mapped_drive_deleted_there_only_when_served) {
  // E is searched before C: its request is claimed, the one on C stays;
  // nothing is found in the current directory, and no other file is touched.
  write("e/VesprinPrint.DAT", kRecord);
  write("e/VesprinPrintAnalyze.DAT", kMarks);
  write("c/VesprinPrint.DAT", "other\n");
  write("c/VesprinPrintAnalyze.DAT", kMarks);
  write("e/VesprinPrint.DAT.bak", "keep\n");
  const DriveMap drives = DriveMap::parse("C=" + (dir_ / "c").string() + ";E=" + (dir_ / "e").string()).map;
  RequestSearch search = claimRequest(drives);
  ASSERT_TRUE(search.claimed) << search.refusal;
  EXPECT_EQ(search.claimed->recordPath(), (dir_ / "e" / "VesprinPrint.DAT").string());
  EXPECT_EQ(search.claimed->recordLines(), (std::vector<std::string>{"KELMARD2", "ก"}));
  EXPECT_EQ(search.claimed->marksLines(), std::vector<std::string>{"blank"});
  // Claimed: gone from the bare names, so another run finds the one on C.
  EXPECT_FALSE(fs::exists(dir_ / "e" / "VesprinPrint.DAT"));
  EXPECT_EQ(filesIn(dir_ / "e").size(), 3u);
  EXPECT_EQ(search.claimed->finish(RequestEnd::Served), "");
  EXPECT_EQ(filesIn(dir_ / "e"), std::set<std::string>{"VesprinPrint.DAT.bak"});
  EXPECT_EQ(filesIn(dir_ / "c"), (std::set<std::string>{"VesprinPrint.DAT", "VesprinPrintAnalyze.DAT"}));

  // The current directory comes first; a request not served goes back.
  write("VesprinPrint.DAT", "here\n");
  write("VesprinPrintAnalyze.DAT", kMarks);
  EXPECT_EQ(claimRequest(drives).claimed->recordLines(), std::vector<std::string>{"here"});
  for (const char* expected : {"here", "other"}) {
    RequestSearch next = claimRequest(drives);
    EXPECT_EQ(next.claimed->recordLines(), std::vector<std::string>{expected});
    next.claimed->finish(RequestEnd::Served);
  }
  EXPECT_FALSE(claimRequest(drives).found);
}

TEST_F(HandoverSearch, a_request_kept_goes_back_and_a_dead_runs_claim_is_taken_back) {
  write("VesprinPrint.DAT", kRecord);
  write("VesprinPrintAnalyze.DAT", kMarks);
  const DriveMap none;
  {
    RequestSearch search = claimRequest(none);
    ASSERT_TRUE(search.claimed);
    EXPECT_FALSE(claimRequest(none).found) << "a claimed request is no one else's";
    EXPECT_EQ(search.claimed->finish(RequestEnd::Kept), "");
  }
  EXPECT_EQ(filesIn(dir_), (std::set<std::string>{"VesprinPrint.DAT", "VesprinPrintAnalyze.DAT"}));

  // A run that died holding a claim: its files under claimed names, no lock.
  fs::rename("VesprinPrint.DAT", ".VesprinPrint.DAT.claimed-99999-1");
  fs::rename("VesprinPrintAnalyze.DAT", ".VesprinPrintAnalyze.DAT.claimed-99999-1");
  RequestSearch search = claimRequest(none);
  ASSERT_TRUE(search.claimed) << search.refusal;
  EXPECT_EQ(search.claimed->recordLines(), (std::vector<std::string>{"KELMARD2", "ก"}));
  ASSERT_EQ(search.notes.size(), 1u);
  EXPECT_NE(search.notes[0].find("taken back"), std::string::npos) << search.notes[0];
  search.claimed->finish(RequestEnd::Refused);
  EXPECT_TRUE(filesIn(dir_).empty());
}

TEST_F(HandoverSearch, the_birth_record_decides_the_place_and_odd_files_are_not_read) {
  struct Case {
    const char* what;
    std::function<void()> arrange;  // in the current directory; a sound request waits on drive D
    const char* refusal;            // none: the request on D is claimed
    const char* note;
  };
  const Case cases[] = {
      {"a lone marks file here: noted, left; D served", [] { write("VesprinPrintAnalyze.DAT", kMarks); }, nullptr,
       "VesprinPrintAnalyze.DAT has no birth record VesprinPrint.DAT beside it; left as it is"},
      {"a lone record here: refused, D untouched", [] { write("VesprinPrint.DAT", kRecord); },
       "VesprinPrint.DAT has no analysis marks VesprinPrintAnalyze.DAT beside it; left as it is", nullptr},
      {"a record that is a folder", [] { fs::create_directory("VesprinPrint.DAT"); },
       "VesprinPrint.DAT is a folder, not read; left as it is", nullptr},
      {"a record that is a link to a readable file",
       [] {
         write("secret", "root:x:0:0\n");
         fs::create_symlink("secret", "VesprinPrint.DAT");
         write("VesprinPrintAnalyze.DAT", kMarks);
       },
       "VesprinPrint.DAT is a symbolic link, not read; left as it is", nullptr},
      {"marks that are a FIFO",
       [] {
         write("VesprinPrint.DAT", kRecord);
         ::mkfifo("VesprinPrintAnalyze.DAT", 0600);
       },
       "VesprinPrintAnalyze.DAT is a FIFO, not read; both files left as they are", nullptr},
  };
  const DriveMap drives = DriveMap::parse("D=" + (dir_ / "d").string()).map;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (const auto& e : fs::directory_iterator(dir_)) fs::remove_all(e.path());
    write("d/VesprinPrint.DAT", kRecord);
    write("d/VesprinPrintAnalyze.DAT", kMarks);
    c.arrange();
    const std::set<std::string> here = filesIn(dir_);
    RequestSearch search = claimRequest(drives);
    if (c.refusal) {
      EXPECT_FALSE(search.claimed);
      EXPECT_EQ(search.refusal, c.refusal);
      EXPECT_EQ(search.refusal.find("root:"), std::string::npos);
    } else {
      ASSERT_TRUE(search.claimed) << search.refusal;
      EXPECT_EQ(search.claimed->recordPath(), (dir_ / "d" / "VesprinPrint.DAT").string());
    }
    if (c.note) {
      ASSERT_EQ(search.notes.size(), 1u);
      EXPECT_EQ(search.notes[0], c.note);
    }
    search.claimed.reset();  // put back
    EXPECT_EQ(filesIn(dir_), here);
    EXPECT_EQ(filesIn(dir_ / "d"), (std::set<std::string>{"VesprinPrint.DAT", "VesprinPrintAnalyze.DAT"}));
  }
}

TEST_F(HandoverSearch, files_too_large_or_cut_short_are_faults_of_the_request) {
  struct Case {
    const char* what;
    std::string record;
    const char* fault;
  };
  const Case cases[] = {
      {"a megabyte and one byte", std::string(kRequestFileLimit + 1, '\n'),
       "VesprinPrint.DAT is 1048577 bytes, more than a request file holds (at most 1048576)"},
      {"the last line without its end", "KELMARD2\r\n05",
       "VesprinPrint.DAT: the last line has no line end: the file is cut short"},
      {"a megabyte exactly is read", std::string(kRequestFileLimit, '\n'), ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    write("VesprinPrint.DAT", c.record);
    write("VesprinPrintAnalyze.DAT", kMarks);
    RequestSearch search = claimRequest(DriveMap{});
    ASSERT_TRUE(search.claimed) << search.refusal;
    EXPECT_EQ(search.claimed->fault(), c.fault);
    search.claimed->finish(RequestEnd::Refused);
    EXPECT_TRUE(filesIn(dir_).empty());
  }
}

TEST(handover_files_test, mark_codes) {
  struct Case {
    const char* line;
    MarkCode code;
  };
  const Case cases[] = {
      {"TD3", {false, true, colours::kBlue}},
      {"T 9", {false, false, std::nullopt}},
      {"F", {true, false, std::nullopt}},
      {"FD3", {true, false, std::nullopt}},
      {"xS1", {false, false, colours::kMaroon}},
      {"TD2", {false, true, colours::kOlive}},
      {"TS4", {false, false, colours::kGreen}},
      {"TS5", {false, false, colours::kRed}},
      {"blank", {false, false, std::nullopt}},
      {"", {false, false, std::nullopt}},
  };
  for (const Case& c : cases) EXPECT_EQ(parseMarkCode(c.line), c.code) << '"' << c.line << '"';
}

TEST(handover_files_test, element_group_power_text) {
  // Ground 5, Gold 10, Water 3, Wood 7, Fire 12 with group code 2: Water with
  // its producer Gold; Wood, Fire, Ground the entourage, the last without "กำลัง".
  auto lines = marksLines();
  lines[22] = "0050100030070122";
  const auto parsed = parseAnalysisMarks(lines, "m.DAT");
  ASSERT_TRUE(parsed.value);
  ASSERT_TRUE(parsed.value->powers);
  EXPECT_EQ(elementGroupPowerText(*parsed.value->powers),
            "กลุ่มดิถี ธาตุน้ำ กำลัง 3 ธาตุทอง กำลัง 10 ( รวมกำลัง 13 )\r"
            "กลุ่มบริวาร ธาตุไม้ กำลัง 7 ธาตุไฟ กำลัง 12 ธาตุดิน 5 ( รวมกำลัง 24 )");
  lines[22] = "0050100030070120";
  EXPECT_EQ(elementGroupPowerText(*parseAnalysisMarks(lines, "m.DAT").value->powers).rfind(
                "กลุ่มดิถี ธาตุดิน กำลัง 5 ธาตุไฟ กำลัง 12 ( รวมกำลัง 17 )\rกลุ่มบริวาร ธาตุทอง", 0),
            0u);
  // A group code outside 0..4, or a shorter line, leaves the title alone.
  for (const char* other : {"0050100030070125", "005010003007012", "blank"}) {
    lines[22] = other;
    EXPECT_FALSE(parseAnalysisMarks(lines, "m.DAT").value->powers) << other;
  }
}

TEST(handover_files_test, analysis_marks_read_once_into_values) {
  auto lines = marksLines();
  lines[0] = "12";
  lines[1] = "30";
  lines[2] = "VH";
  lines[3] = "H70%";
  lines[4] = "C30%";
  lines[5] = "TD3";
  lines[19] = "T";
  lines[21] = "Tx";
  lines[23] = "161";
  lines.push_back("417");  // 417 mod 256 = 161
  const auto m = parseAnalysisMarks(lines, "m.DAT");
  ASSERT_TRUE(m.value) << m.error->message();
  ASSERT_TRUE(m.value->balance);
  EXPECT_EQ(m.value->balance->dayMasterGroup, 12);
  EXPECT_EQ(m.value->balance->entourageGroup, 30);
  EXPECT_FALSE(m.value->marksBlank);
  EXPECT_EQ(m.value->clashes, (std::array<bool, 3>{true, false, true}));
  EXPECT_EQ(m.value->analysisNote, "กก");

  // "blank" in line 0 switches the panel off whatever lines 1 to 4 hold.
  lines[0] = "blank";
  lines[1] = "not a number";
  EXPECT_FALSE(parseAnalysisMarks(lines, "m.DAT").value->balance);
}

TEST(handover_files_test, malformed_files_are_refused_with_file_line_and_expectation) {
  struct Case {
    const char* what;
    bool record;
    std::size_t line;  // 99: cut the file to 23 / 11 lines
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"short marks", false, 99, "", "m.DAT: expected at least 24 lines of analysis marks, found 23"},
      {"day-master figure", false, 0, "12a", "m.DAT, line 0 (lines count from 0): expected the day-master group figure or \"blank\", found \"12a\""},
      {"entourage figure", false, 1, "", "line 1 (lines count from 0): expected the entourage group figure, found \"\""},
      {"power figures", false, 22, "00501000300701x2", "line 22 (lines count from 0): expected five three-digit powers"},
      {"note code", false, 23, "ก", "line 23 (lines count from 0): expected a character code 0..255 of the analysis note, found \"ก\""},
      {"negative note code", false, 23, "-1", "line 23"},
      {"short record", true, 99, "", "r.DAT: expected at least 12 lines of birth record, found 11"},
      {"marker", true, 0, "KELMARD1", "line 0 (lines count from 0): expected the marker \"KELMARD2\", found \"KELMARD1\""},
      {"day", true, 1, "32", "line 1 (lines count from 0): expected the day of birth \"01\"..\"31\", found \"32\""},
      {"day digits", true, 1, "5", "line 1"},
      {"month", true, 2, "13", "line 2 (lines count from 0): expected the month of birth \"01\"..\"12\", found \"13\""},
      {"month zero", true, 2, "00", "line 2"},
      {"year", true, 3, "2343", "line 3 (lines count from 0): expected a Buddhist-Era year of birth 2344..2742, found \"2343\""},
      {"year text", true, 3, "25x0", "line 3"},
      {"hour", true, 4, "24", "line 4 (lines count from 0): expected the hour of birth \"00\"..\"23\", found \"24\""},
      {"pregnancy", true, 5, "06", "line 5 (lines count from 0): expected the pregnancy length \"07\"..\"10\", found \"06\""},
      {"month strip", true, 8, "1102", "line 8 (lines count from 0): expected the month strip's first pillar"},
      {"name code", true, 11, "x", "line 11 (lines count from 0): expected a character code 0..255 of the name, found \"x\""},
  };
  for (const Case& c : cases) {
    auto lines = c.record ? recordLines() : marksLines();
    if (c.line == 99)
      lines.pop_back();
    else
      lines[c.line] = c.text;
    if (!c.record && c.line == 1) lines[0] = "5";  // the panel on, so its figures count
    const std::optional<HandoverError> error =
        c.record ? parseBirthRecord(lines, "r.DAT", kYears).error : parseAnalysisMarks(lines, "m.DAT").error;
    ASSERT_TRUE(error) << c.what;
    EXPECT_NE(error->message().find(c.message), std::string::npos) << c.what << ": " << error->message();
  }
}

TEST(handover_files_test, birth_record_values) {
  auto lines = recordLines();
  EXPECT_TRUE(parseBirthRecord(lines, "r.DAT", kYears).value->gender == Gender::Male);
  struct Case {
    const char* gender;
    const char* print;
    bool male, preview;
  };
  // Only "0" is a man; only "prev" asks for the preview.
  const Case cases[] = {{"0", "prev", true, true},    {"1", "Prev", false, false},
                        {" 0", "prev ", false, false}, {"00", "print", false, false}};
  for (const Case& c : cases) {
    lines[6] = c.gender;
    lines[7] = c.print;
    const auto r = parseBirthRecord(lines, "r.DAT", kYears);
    ASSERT_TRUE(r.value);
    EXPECT_EQ(r.value->gender == Gender::Male, c.male) << c.gender;
    EXPECT_EQ(r.value->preview, c.preview) << c.print;
  }
  // The one-letter name ก is one line, 161; a name of n characters is n lines.
  lines[11] = "161";
  EXPECT_EQ(parseBirthRecord(lines, "r.DAT", kYears).value->name, "ก");
  lines.push_back("32");
  lines.push_back("65");
  EXPECT_EQ(parseBirthRecord(lines, "r.DAT", kYears).value->name, "ก A");
}

TEST(handover_files_test, cp874_round_trip_and_refusal) {
  std::string all;
  for (int c = 1; c < 256; ++c) {
    const std::string utf8 = cp874Char(static_cast<unsigned char>(c));
    if (utf8 == "\xEF\xBF\xBD") continue;  // undefined in the code page
    all += utf8;
    const auto back = utf8ToCp874(utf8);
    ASSERT_TRUE(back.ok()) << c;
    EXPECT_EQ(back.bytes, std::string(1, static_cast<char>(c))) << c;
  }
  EXPECT_EQ(cp874ToUtf8(utf8ToCp874(all).bytes), all);
  const auto bad = utf8ToCp874("สม日ชาย");
  EXPECT_FALSE(bad.ok());
  EXPECT_EQ(bad.badChar, "日");
  EXPECT_EQ(bad.badOffset, 6u);
  EXPECT_FALSE(utf8ToCp874("a\xFFz").ok());  // not UTF-8 at all
}

}  // namespace
}  // namespace vesprin
