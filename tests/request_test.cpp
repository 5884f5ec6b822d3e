#include "tools/make-request/request.h"

#include <gtest/gtest.h>

#include "core/cp874.h"
#include "present/handover_files.h"

namespace vesprin {
namespace {

std::vector<std::string> decoded(const std::vector<std::string>& lines) {
  std::vector<std::string> out;
  for (const auto& l : lines) out.push_back(cp874ToUtf8(l));
  return out;
}

PrintRequest birth() {
  PrintRequest r;
  r.day = "05";
  r.month = "03";
  r.year = "2530";
  r.hour = "07";
  r.stripYear = 2569;
  std::tie(r.stripStem, r.stripBranch) = januaryPillar(2569);
  return r;
}

TEST(request_test, january_pillars) {
  // January 2024 (BE 2567) is the Ox month of the Water-Rabbit year: 2/2;
  // January 1987 (BE 2530) that of the Fire-Tiger year: 8/2, as the calendar has them.
  EXPECT_EQ(januaryPillar(2567), (std::pair<int, int>{2, 2}));
  EXPECT_EQ(januaryPillar(2530), (std::pair<int, int>{8, 2}));
  EXPECT_EQ(januaryPillar(2569), (std::pair<int, int>{6, 2}));
}

TEST(request_test, the_engine_reads_back_what_was_asked) {
  PrintRequest r = birth();
  r.male = false;
  r.preview = true;
  r.toBeBorn = "10";
  r.name = "ก";
  r.marks[0] = MarkStyle{false, true, 3};
  r.marks[13] = MarkStyle{false, false, 5};
  r.clashes = {true, false, true};
  r.balance = std::pair{12, 30};
  r.climate = "VH";
  r.shares = {"H70%", "Cเย็น"};
  r.powers = std::array<int, 5>{5, 10, 3, 7, 12};
  r.dayMaster = 2;
  r.analysis = "ดี\nมาก";
  const RequestFiles files = writeRequest(r);
  ASSERT_EQ(files.error, "");
  EXPECT_EQ(files.record[11], "161");  // the one-letter name is one line
  EXPECT_EQ(files.marks[5], "TD3");
  EXPECT_EQ(files.marks[6], "FS0");  // marks not named stay white
  EXPECT_EQ(files.marks[22], "0050100030070122");

  const auto marks = parseAnalysisMarks(decoded(files.marks), "m");
  ASSERT_TRUE(marks.value) << marks.error->message();
  EXPECT_EQ(marks.value->marks[0], (MarkCode{false, true, colours::kBlue}));
  EXPECT_EQ(marks.value->marks[13], (MarkCode{false, false, colours::kRed}));
  EXPECT_TRUE(marks.value->marks[1].white);
  EXPECT_FALSE(marks.value->marksBlank);
  EXPECT_EQ(marks.value->clashes, (std::array<bool, 3>{true, false, true}));
  EXPECT_EQ(marks.value->balance->secondShare, "Cเย็น");
  EXPECT_EQ(marks.value->analysisNote, "ดี\rมาก");
  EXPECT_EQ(marks.value->powers->powers, (std::array<int, 5>{5, 10, 3, 7, 12}));

  const auto record = parseBirthRecord(decoded(files.record), "r", YearList{{2530}, 2530});
  ASSERT_TRUE(record.value) << record.error->message();
  EXPECT_EQ(record.value->day, "05");
  EXPECT_EQ(record.value->month, 3);
  EXPECT_EQ(record.value->hour, "07");
  EXPECT_EQ(record.value->toBeBorn, "10");
  EXPECT_FALSE(record.value->male);
  EXPECT_TRUE(record.value->preview);
  EXPECT_EQ(record.value->name, "ก");
  EXPECT_EQ(record.value->lines[8], "0602");
  EXPECT_EQ(record.value->lines[9], "2569");
  EXPECT_EQ(record.value->lines[10], "2026");
}

TEST(request_test, nothing_asked_is_blank) {
  const RequestFiles files = writeRequest(birth());
  ASSERT_EQ(files.marks.size(), 24u);
  for (std::size_t k : {0u, 5u, 13u, 18u, 22u, 23u}) EXPECT_EQ(files.marks[k], "blank") << k;
  EXPECT_EQ(files.marks[19], "F");
  EXPECT_EQ(files.record.size(), 12u);
  EXPECT_EQ(files.record[7], "print");
  EXPECT_EQ(files.record[11], "blank");
  EXPECT_EQ(joinLines({"a", "b"}), "a\r\nb\r\n");
}

TEST(request_test, a_name_code_page_874_cannot_hold_is_refused) {
  PrintRequest r = birth();
  r.name = "สมชาย 王";
  const RequestFiles files = writeRequest(r);
  EXPECT_NE(files.error.find("name \"สมชาย 王\": the character \"王\""), std::string::npos) << files.error;
}

}  // namespace
}  // namespace vesprin
