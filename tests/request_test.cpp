#include "present/request/print_request.h"

#include <gtest/gtest.h>

#include "cycles/month_strip.h"
#include "tests/scratch_folder.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace vesprin {
namespace {

const YearList kYears{{2344, 2530, 2569, 2742}, 2530};

PrintRequest birth() {
  PrintRequest r;
  r.birth.day = 5;
  r.birth.month = 3;
  r.birth.year = 2530;
  r.birth.hour = 7;
  r.birth.strip = {Stem(6), Branch(2), "2569", "2026"};
  r.marks.marksBlank = true;
  return r;
}

// Writes the request as the companion does, then reads its bytes back as the engine does.
PrintRequest roundTrip(const PrintRequest& r) {
  const RequestFiles files = writePrintRequest(r);
  EXPECT_EQ(files.error, "");
  const auto marks = parseAnalysisMarks(decodeRequestFile(files.marks), "m");
  const auto record = parseBirthRecord(decodeRequestFile(files.record), "r", kYears);
  EXPECT_TRUE(marks.value) << marks.error->message();
  EXPECT_TRUE(record.value) << record.error->message();
  if (!marks.value || !record.value) return {};
  return {*record.value, *marks.value};
}

TEST(request_test, january_pillars) {
  // January 2024 (BE 2567) is the Ox month of the Water-Rabbit year: 2/2;
  // January 1987 (BE 2530) that of the Fire-Tiger year: 8/2, as the calendar has them.
  EXPECT_EQ(januaryPillar(2567), (Pillar{2, 2}));
  EXPECT_EQ(januaryPillar(2530), (Pillar{8, 2}));
  EXPECT_EQ(januaryPillar(2569), (Pillar{6, 2}));
}

TEST(request_test, written_and_read_back_is_the_same_request) {
  struct Case {
    const char* what;
    PrintRequest request;
  };
  std::vector<Case> cases;
  cases.push_back({"nothing but the birth", birth()});
  {
    PrintRequest r = birth();
    r.birth.day = 31;
    r.birth.month = 12;
    r.birth.year = 2742;
    r.birth.hour = 23;
    r.birth.pregnancy = 10;
    r.birth.gender = Gender::Female;
    r.birth.preview = true;
    r.birth.name = "ก";
    r.marks.marksBlank = false;
    r.marks.marks.fill(MarkCode{true, false, {}});
    r.marks.marks[0] = {false, true, colours::kBlue};
    r.marks.marks[13] = {false, false, colours::kRed};
    r.marks.marks[6] = {false, false, std::nullopt};  // black: the colour left as it is
    r.marks.clashes = {true, false, true};
    r.marks.balance = BalancePanel{12, 30, "VH", "H70%", "Cเย็น"};
    r.marks.powers = ElementGroupPowers{{5, 10, 3, 7, 12}, 2};
    r.marks.analysisNote = "ดี\rมาก";
    cases.push_back({"every field set", r});
  }
  {
    PrintRequest r = birth();
    r.birth.year = 2344;
    r.birth.hour = 0;
    r.birth.pregnancy = 7;
    // A Thai name of 120 characters with tone marks above and below the line.
    for (int i = 0; i < 24; ++i) r.birth.name += "น้ำผึ้";
    r.marks.balance = BalancePanel{-5, 0, "X", "", ""};  // an unknown verdict is kept
    r.marks.powers = ElementGroupPowers{{0, 999, 0, 999, 0}, 4};
    r.marks.analysisNote = std::string(1, '\r') + "ก่อน";
    cases.push_back({"edges of the fields", r});
  }
  {
    PrintRequest r = birth();
    r.birth.name = "Somchai Jaidee";
    r.birth.strip = {Stem(10), Branch(12), "", "2026 AD"};
    r.marks.marksBlank = false;
    r.marks.marks.fill(MarkCode{false, true, colours::kOlive});
    cases.push_back({"latin name, empty strip text, all marks dotted", r});
  }
  for (const Case& c : cases) EXPECT_EQ(roundTrip(c.request), c.request) << c.what;
}

TEST(request_test, the_files_hold_what_the_companion_writes) {
  PrintRequest r = birth();
  r.birth.gender = Gender::Female;
  r.birth.preview = true;
  r.birth.pregnancy = 10;
  r.birth.name = "ก";
  r.marks.marksBlank = false;
  r.marks.marks.fill(MarkCode{true, false, {}});
  r.marks.marks[0] = {false, true, colours::kBlue};
  r.marks.powers = ElementGroupPowers{{5, 10, 3, 7, 12}, 2};
  const RequestLines lines = requestLines(r);
  ASSERT_EQ(lines.error, "");
  EXPECT_EQ(lines.record, (std::vector<std::string>{"KELMARD2", "05", "03", "2530", "07", "10", "1", "prev",
                                                    "0602", "2569", "2026", "161"}));
  EXPECT_EQ(lines.marks[5], "TD3");
  EXPECT_EQ(lines.marks[6], "FS0");  // marks not named stay white
  EXPECT_EQ(lines.marks[22], "0050100030070122");

  const RequestFiles blank = writePrintRequest(birth());
  std::vector<std::string> marks = decodeRequestFile(blank.marks);
  ASSERT_EQ(marks.size(), 24u);
  for (std::size_t k : {0u, 5u, 22u, 23u}) EXPECT_EQ(marks[k], "blank") << k;
  EXPECT_EQ(marks[19], "F");
  EXPECT_EQ(blank.record.substr(0, 10), "KELMARD2\r\n");  // every line ends CR LF
  EXPECT_EQ(blank.record.substr(blank.record.size() - 7), "blank\r\n");
}

TEST(request_test, a_text_code_page_874_cannot_hold_is_refused) {
  PrintRequest r = birth();
  r.birth.name = "สมชาย 王";
  RequestFiles files = writePrintRequest(r);
  EXPECT_NE(files.error.find("name \"สมชาย 王\": the character \"王\""), std::string::npos) << files.error;
  EXPECT_EQ(files.record, "");

  r = birth();
  r.marks.balance = BalancePanel{1, 2, "B", "H😀", ""};
  files = writePrintRequest(r);
  EXPECT_NE(files.error.find("😀"), std::string::npos) << files.error;
  EXPECT_EQ(files.marks, "");
}

class SavedRequest : public testing::InScratchFolder {};

TEST_F(SavedRequest, both_files_written_whole_into_a_new_folder) {
  const RequestFiles files = writePrintRequest(birth());
  ASSERT_EQ(saveRequestFiles(files, "out/spool"), "");
  for (const auto& [name, bytes] : {std::pair{kMarksFileName, files.marks}, std::pair{kRecordFileName, files.record}}) {
    std::ifstream in(std::filesystem::path("out/spool") / name, std::ios::binary);
    std::ostringstream got;
    got << in.rdbuf();
    EXPECT_EQ(got.str(), bytes) << name;
  }
  // No temporary file is left beside them.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("out/spool"), {}), 2);
  std::ofstream("file") << "x";
  EXPECT_NE(saveRequestFiles(files, "file"), "");
}

}  // namespace
}  // namespace vesprin
