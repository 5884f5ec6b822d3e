// The driven run up to the print command, over the test calendar: what a
// request leaves on the forms, and every way it is refused before anything
// could be printed.
#include "app/print_run.h"

#include <gtest/gtest.h>

#include "tests/scratch_folder.h"

#include <filesystem>
#include <fstream>

#include "app/scripted_ui.h"
#include "cycles/month_strip.h"
#include "present/request/print_request.h"

namespace vesprin {
namespace {
namespace fs = std::filesystem;

class PrintRunTest : public testing::InScratchFolder {
 protected:

  static PrintRequest request(const char* day, const char* month, const char* year, const char* hour) {
    PrintRequest r;
    r.birth.day = std::stoi(day);
    r.birth.month = std::stoi(month);
    r.birth.year = std::stoi(year);
    r.birth.hour = std::stoi(hour);
    r.birth.gender = Gender::Female;
    r.birth.name = "กข";
    const Pillar jan = januaryPillar(2530);
    r.birth.strip = {jan.stem, jan.branch, "2530", "1987"};
    r.marks.marks.fill(MarkCode{true, false, {}});
    r.marks.marks[0] = MarkCode{false, true, colours::kBlue};
    r.marks.analysisNote = "ดี";
    return r;
  }
  static void write(const fs::path& dir, const PrintRequest& r) {
    const RequestFiles files = writePrintRequest(r);
    ASSERT_EQ(files.error, "");
    ASSERT_EQ(saveRequestFiles(files, dir.string()), "");
  }
  RunOutcome run(std::string dataDir = std::string(VESPRIN_TEST_DIR) + "/fixtures/cal1987",
                 const std::string& drives = "") {
    PrintRun r(forms, ui, clock, DriveMap::parse(drives).map, {fs::current_path().string(), dataDir});
    const RunOutcome out = r.StartUp();
    // As the engine ends a request: served, refused for its content, or kept.
    EXPECT_EQ(r.EndRequest(out.kind == RunOutcome::Kind::Print     ? RequestEnd::Served
                           : out.kind == RunOutcome::Kind::Refused ? RequestEnd::Refused
                                                                   : RequestEnd::Kept),
              "");
    return out;
  }

  FixedClock clock{{1987, 6, 1}};
  ScriptedUserInterface ui;
  Forms forms = makeForms();
};

TEST_F(PrintRunTest, a_request_given_as_a_value_leaves_the_forms_as_its_files_do) {
  PrintRequest r = request("11", "05", "2530", "07");
  r.marks.balance = BalancePanel{3, 4, "H", "H60%", "C40%"};
  r.marks.clashes = {false, true, false};
  r.marks.powers = ElementGroupPowers{{1, 2, 3, 4, 5}, 3};
  write(dir_, r);
  ASSERT_EQ(run().kind, RunOutcome::Kind::Print);
  const std::string fromFiles = printedStateDump(forms);

  forms = makeForms();
  PrintRun value(forms, ui, clock, {}, {fs::current_path().string(), std::string(VESPRIN_TEST_DIR) + "/fixtures/cal1987"});
  ASSERT_EQ(value.StartUp(r).kind, RunOutcome::Kind::Print);
  EXPECT_EQ(printedStateDump(forms), fromFiles);
  EXPECT_EQ(forms.main.find("MemoVesprinPrint")->lines, requestLines(r).record);
}

TEST_F(PrintRunTest, a_request_is_cast_and_bound_and_its_files_are_gone) {
  PrintRequest r = request("11", "05", "2530", "00");
  r.birth.preview = true;
  write(dir_ / "d", r);
  const RunOutcome out = run(std::string(VESPRIN_TEST_DIR) + "/fixtures/cal1987", "D=" + (dir_ / "d").string());
  ASSERT_EQ(out.kind, RunOutcome::Kind::Print) << out.cause;
  EXPECT_TRUE(out.preview);
  EXPECT_FALSE(fs::exists(dir_ / "d" / "VesprinPrint.DAT"));
  EXPECT_FALSE(fs::exists(dir_ / "d" / "VesprinPrintAnalyze.DAT"));
  const Form& m = forms.main;
  EXPECT_EQ(m.caption("EditName"), "กข");
  EXPECT_EQ(m.caption("ComboBoxdd"), "11");
  EXPECT_EQ(m.caption("ComboBoxmm"), "05 = พฤษภาคม");
  EXPECT_EQ(m.caption("ComboBoxth"), "00");
  EXPECT_EQ(m.caption("LabelAn"), "ดี");
  EXPECT_EQ(m.find("MemoVesprinPrint")->lines.at(8), "0802");  // the record file as it came
  EXPECT_EQ(m.find("PanelHoro")->hint.rfind("เฉพาะผู้ที่เกิดก่อนปี", 0), 0u);
  // The request's chart, not the warm-up's: year (4,4), day (7,9) of 11/05/2530.
  EXPECT_EQ(forms.chartSheet.find("QRImageChineseOnyy")->picture, "o4.bmp");
  EXPECT_EQ(forms.chartSheet.find("QRImageZodiacOndd")->picture, "n7.bmp");
  EXPECT_EQ(forms.chartSheet.find("QRImageGender")->picture, "female.bmp");
  EXPECT_EQ(forms.chartSheet.find("QRShapeyybon")->penColour, colours::kBlue);
  // The month strip from the record's line 8: January 2530 is 8/2.
  EXPECT_EQ(forms.chartSheet.find("QRImage12")->picture, "o8.bmp");
  // The warm-up cast (2555) is beyond the test calendar: both of its prompts
  // (current year, birth year) gave up at once, with the cast error between
  // them because no calendar lines were loaded yet.
  EXPECT_EQ(ui.messages, (std::vector<std::string>{"กรุณาใส่แผ่นข้อมูล ", "มีข้อผิดพลาดในการผูกดวง",
                                                   "กรุณาใส่แผ่นข้อมูล "}));
}

TEST_F(PrintRunTest, a_festival_inside_the_birth_hour_is_warned_about_and_still_printed) {
  // 6 May 2530: the large festival at 04:30 turns the month 1/5 to 2/6 with
  // the double hour 03:00-04:59. A record says only the hour.
  struct Case {
    const char* hour;
    std::vector<std::string> warnings;
    const char* line;
  };
  const Case cases[] = {
      {"04",
       {"warning: born 30 minutes before the large festival at 04:30; on the other side year 4/4, "
        "month 1/5, day 2/4, time 5/3 (stem/branch)"},
       "เกิดก่อนสารทใหญ่ 04.30 น. 30 นาที · อีกด้าน ปี 4/4 เดือน 1/5 วัน 2/4 ยาม 5/3"},
      {"03",
       {"warning: born 90 minutes before the large festival at 04:30; on the other side year 4/4, "
        "month 1/5, day 2/4, time 5/3 (stem/branch)"},
       "เกิดก่อนสารทใหญ่ 04.30 น. 90 นาที · อีกด้าน ปี 4/4 เดือน 1/5 วัน 2/4 ยาม 5/3"},
      // The next double hour, and the edge at 05:00: no warning for a record.
      {"05", {}, ""},
  };
  for (const Case& c : cases) {
    forms = makeForms();
    write(dir_, request("06", "05", "2530", c.hour));
    const RunOutcome out = run();
    ASSERT_EQ(out.kind, RunOutcome::Kind::Print) << out.cause;
    EXPECT_EQ(out.warnings, c.warnings) << c.hour;
    EXPECT_EQ(forms.chartSheet.caption("QRLabelBoundary"), c.line) << c.hour;
    EXPECT_EQ(forms.chartSheet.caption("QRLabelRuleStamp"), "วันจีนเริ่ม 23.00 น. · ปฏิทิน CAL2528.DAT");
  }
}

// A day its month does not have, given as a value (a desk that casts in
// process): refused like its file, never cast on the month's last day.
TEST_F(PrintRunTest, a_request_value_for_a_day_its_month_does_not_have_is_refused) {
  struct Case {
    const char *day, *month, *year, *cause;
  };
  for (const Case& c : {Case{"31", "02", "2530", "the birth date 31/02/2530 does not exist (วันเดือนปีเกิดไม่ถูกต้อง)"},
                        Case{"31", "04", "2531", "the birth date 31/04/2531 does not exist (วันเดือนปีเกิดไม่ถูกต้อง)"}}) {
    SCOPED_TRACE(c.cause);
    forms = makeForms();
    ui.messages.clear();
    PrintRun value(forms, ui, clock, {}, {fs::current_path().string(), std::string(VESPRIN_TEST_DIR) + "/fixtures/cal1987"});
    const RunOutcome out = value.StartUp(request(c.day, c.month, c.year, "07"));
    EXPECT_EQ(out.kind, RunOutcome::Kind::Refused);
    EXPECT_EQ(out.cause, c.cause);
    EXPECT_TRUE(ui.messages.empty());  // refused before any cast could correct the day
  }
}

TEST_F(PrintRunTest, refusals) {
  struct Case {
    const char* what;
    std::function<void(const fs::path&)> prepare;
    const char* cause;
    bool left = false;  // the files are left as they are (the place was refused)
  };
  const auto good = [](const fs::path& d) { write(d, request("11", "05", "2530", "07")); };
  const Case cases[] = {
      {"no request at all", [](const fs::path&) {}, "no request: VesprinPrint.DAT not found in the current directory (VESPRIN_DRIVES maps no drive)"},
      {"no marks file",
       [&](const fs::path& d) {
         good(d);
         fs::remove(d / "VesprinPrintAnalyze.DAT");
       },
       "VesprinPrint.DAT has no analysis marks VesprinPrintAnalyze.DAT beside it; left as it is", true},
      {"wrong marker",
       [&](const fs::path& d) {
         good(d);
         std::ofstream(d / "VesprinPrint.DAT", std::ios::binary)
             << "KELMARD1\n11\n05\n2530\n07\n09\n0\nprint\n0802\n2530\n1987\nblank\n";
       },
       "VesprinPrint.DAT, line 0 (lines count from 0): expected the marker \"KELMARD2\", found \"KELMARD1\""},
      {"year outside the year list", [](const fs::path& d) { write(d, request("11", "05", "2532", "07")); },
       "expected a Buddhist-Era year of birth 2529..2531, found \"2532\""},
      // Before the first line of the test calendar's file: the warm-up chart
      // must not be printed in its place.
      {"no calendar line", [](const fs::path& d) { write(d, request("05", "01", "2529", "07")); },
       "the chart of 05/01/2529 07 h cannot be cast: no calendar line for this birth"},
      // A man born after the file's last large festival counts forward to
      // the next one, which the file does not hold: the start age is unknown.
      {"incomplete chart",
       [](const fs::path& d) {
         PrintRequest r = request("20", "12", "2531", "07");
         r.birth.gender = Gender::Male;
         write(d, r);
       },
       "the chart of 20/12/2531 07 h cannot be cast: no large festival"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    forms = makeForms();
    c.prepare(dir_);
    const RunOutcome out = run();
    EXPECT_EQ(out.kind, RunOutcome::Kind::Refused);
    EXPECT_NE(out.cause.find(c.cause), std::string::npos) << out.cause;
    EXPECT_EQ(fs::exists(dir_ / "VesprinPrint.DAT"), c.left);
    EXPECT_FALSE(fs::exists(dir_ / "VesprinPrintAnalyze.DAT"));
    fs::remove(dir_ / "VesprinPrint.DAT");
  }
}

TEST_F(PrintRunTest, the_data_disk_given_up_and_no_index) {
  // An index naming a file that is nowhere: the prompt gives up, and the
  // installation cannot serve the request, which is kept for a mended one.
  fs::create_directories(dir_ / "data");
  std::ofstream(dir_ / "data" / "HOROSCOPE.INI") << "[DATA CALENDAR]\n2528    2532   MISSING.DAT\n[END OF DATA]\n";
  write(dir_, request("11", "05", "2530", "07"));
  RunOutcome out = run((dir_ / "data").string());
  EXPECT_EQ(out.kind, RunOutcome::Kind::Installation);
  EXPECT_TRUE(fs::exists(dir_ / "VesprinPrint.DAT"));
  EXPECT_TRUE(fs::exists(dir_ / "VesprinPrintAnalyze.DAT"));
  EXPECT_NE(out.cause.find("calendar data file MISSING.DAT not found (กรุณาใส่แผ่นข้อมูล MISSING.DAT)"),
            std::string::npos) << out.cause;

  forms = makeForms();
  ui.messages.clear();
  write(dir_, request("11", "05", "2530", "07"));
  out = run((dir_ / "nowhere").string());
  EXPECT_EQ(out.kind, RunOutcome::Kind::NoIndex);
  EXPECT_EQ(ui.messages, std::vector<std::string>{"โปรแกรมไม่สามารถทำงานได้"});
  EXPECT_TRUE(fs::exists(dir_ / "VesprinPrint.DAT"));  // the request waits for a working engine
}

}  // namespace
}  // namespace vesprin
