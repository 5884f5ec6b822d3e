// The cast through the forms: what a cast leaves in the main window and on
// the chart sheet, over the test calendar in tests/fixtures/cal1987.
#include <gtest/gtest.h>

#include "app/cast_pipeline.h"
#include "app/scripted_ui.h"

namespace vesprin {
namespace {

class PipelineTest : public ::testing::Test {
 protected:
  PipelineTest()
      : clock({1987, 6, 1}),
        calendar(index(), {std::string(VESPRIN_TEST_DIR) + "/fixtures/cal1987"}, clock, ui),
        forms(makeForms()),
        pipeline(calendar, forms, ui) {}

  static CalendarIndex index() {
    auto load = CalendarSession::LoadCalendarIndex({std::string(VESPRIN_TEST_DIR) + "/fixtures/cal1987"});
    EXPECT_TRUE(load.index) << load.error;
    return *load.index;
  }
  // The birth as the fields show it: the month as its item text "05 = พฤษภาคม".
  CastOutcome cast(const char* day, const char* monthItem, const char* year, const char* hour,
                   Gender gender = Gender::Male, int pregnancyMonths = 9) {
    Birth b;
    b.date = {std::stoi(day), std::stoi(std::string(monthItem).substr(0, 2)), std::stoi(year)};
    b.time = {std::stoi(hour), 10};
    b.gender = gender;
    b.pregnancyMonths = pregnancyMonths;
    return pipeline.Cast(b);
  }
  std::string picture(const Form& f, const char* name) { return f.find(name) ? f.find(name)->picture : "?"; }

  FixedClock clock;
  ScriptedUserInterface ui;
  CalendarSession calendar;
  Forms forms;
  CastPipeline pipeline;
};

TEST_F(PipelineTest, a_cast_binds_the_chart_and_shows_the_entered_values_again) {
  forms.analysis["MemoAnalyse"].lines = {"left over"};
  const CastOutcome out = cast("11", "05 = พฤษภาคม", "2530", "00", Gender::Female);
  ASSERT_EQ(out.status, CastOutcome::Status::Cast) << out.error;
  // The analysis text of the earlier cast is replaced, not added to.
  EXPECT_EQ(forms.analysis["MemoAnalyse"].lines, out.result.analysis->lines);
  const Form& m = forms.main;
  const Form& qr = forms.chartSheet;
  // Year (4,4), month (2,6), day (7,9), time (3,1) on the line of 11/05/2530.
  EXPECT_EQ(picture(m, "ImageChineseOnyy"), "o4.bmp");
  EXPECT_EQ(picture(qr, "QRImageChineseBelowmm"), "b6.bmp");
  EXPECT_EQ(picture(m, "ImageZodiacOndd"), "n7.bmp");
  EXPECT_EQ(picture(qr, "QRImageZodiacBelowtt"), "n1.bmp");
  EXPECT_EQ(picture(m, "ImageElementOndd"), "egold.bmp");
  EXPECT_EQ(m.find("ImageElementOndd")->hint, "Metal");
  EXPECT_EQ(picture(qr, "QRImageElementBelowyy"), "ewood.bmp");
  EXPECT_EQ(picture(m, "ImageGender"), "female.bmp");
  EXPECT_EQ(m.find("ImageGender")->hint, "หญิง");
  EXPECT_EQ(picture(qr, "QRImageGender"), "female.bmp");
  // The conception fits at 93%: plain pictures on the chart sheet, no neighbours.
  EXPECT_EQ(m.caption("LabelCheckErrorToBeBorn"), "[ 93% ]");
  EXPECT_EQ(qr.caption("QRLabelCheckErrorToBeBorn"), "[ 93% ]");
  EXPECT_EQ(picture(qr, "QRImageChineseOntb"), "o3.bmp");
  EXPECT_EQ(picture(qr, "QRImageZodiacBelowtb"), "n9.bmp");
  EXPECT_EQ(picture(qr, "QRImageCheckErrorOnToBeBorn"), "os0.bmp");
  EXPECT_EQ(picture(m, "ImageCheckErrorBelowToBeBorn"), "bs0.bmp");
  // The entered values are back in the fields, hour 24 as "00".
  EXPECT_EQ(m.caption("ComboBoxdd"), "11");
  EXPECT_EQ(m.caption("ComboBoxmm"), "05 = พฤษภาคม");
  EXPECT_EQ(m.caption("ComboBoxyy"), "2530");
  EXPECT_EQ(m.caption("ComboBoxth"), "00");
  EXPECT_TRUE(m.find("ButtonPrintHoroscope")->enabled);
  EXPECT_TRUE(m.find("LabelAgeGo")->visible);
  EXPECT_EQ(m.caption("LabelCurrentYearGo"), "2530");
  EXPECT_EQ(m.caption("LabelZodiacOnYearNow"), "4");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PipelineTest, uncertain_conception_shows_neighbours_and_uncertain_pictures) {
  ASSERT_EQ(cast("10", "05 = พฤษภาคม", "2530", "10", Gender::Male, 8).status, CastOutcome::Status::Cast);
  // Month (2,6), eight months: conception (4,10), neighbours (3,9).
  EXPECT_EQ(forms.main.caption("LabelCheckErrorToBeBorn"), "[ 8 M ]");
  EXPECT_EQ(picture(forms.chartSheet, "QRImageChineseOntb"), "o4_.bmp");
  EXPECT_EQ(picture(forms.chartSheet, "QRImageChineseBelowtb"), "b10_.bmp");
  EXPECT_EQ(picture(forms.chartSheet, "QRImageZodiacOntb"), "n4_.bmp");
  EXPECT_EQ(picture(forms.main, "ImageChineseOntb"), "o4.bmp");
  EXPECT_EQ(picture(forms.main, "ImageCheckErrorOnToBeBorn"), "os3.bmp");
  EXPECT_EQ(picture(forms.chartSheet, "QRImageCheckErrorBelowToBeBorn"), "bs9.bmp");
  EXPECT_EQ(picture(forms.main, "ImageGender"), "male.bmp");
}

TEST_F(PipelineTest, a_birth_without_a_line_keeps_the_previous_chart) {
  ASSERT_EQ(cast("10", "05 = พฤษภาคม", "2530", "10").status, CastOutcome::Status::Cast);
  const auto before = forms.chartSheet.components();
  // The last day of the test calendar at 23:10 would need the day after it.
  const CastOutcome out = cast("31", "12 = ธันวาคม", "2531", "23");
  EXPECT_EQ(out.status, CastOutcome::Status::NoBirthLine);
  EXPECT_EQ(out.error, "no calendar line for this birth");
  EXPECT_EQ(forms.chartSheet.components().size(), before.size());
  EXPECT_EQ(picture(forms.chartSheet, "QRImageChineseOnyy"), "o4.bmp");
  EXPECT_EQ(forms.main.caption("ComboBoxdd"), "31");
}

TEST_F(PipelineTest, an_invalid_day_is_corrected_with_the_message) {
  const CastOutcome out = cast("31", "04 = เมษายน", "2530", "10");
  ASSERT_EQ(out.status, CastOutcome::Status::Cast);
  EXPECT_EQ(ui.messages, std::vector<std::string>{"วันเดือนปีเกิดไม่ถูกต้อง"});
  EXPECT_EQ(out.result.natal->birthLineDate, "2530 04 30");
  EXPECT_EQ(forms.main.caption("ComboBoxdd"), "30");
}

TEST_F(PipelineTest, giving_up_the_data_disk_leaves_the_normalised_fields) {
  // 2534 has no file in the test index: the prompt names no file and is given
  // up, first for the current year (the birth lies ahead of today, so its own
  // year is looked up; nothing is in memory yet), then for the birth year.
  const CastOutcome out = cast("01", "03 = มีนาคม", "2534", "00");
  EXPECT_EQ(out.status, CastOutcome::Status::GaveUp);
  EXPECT_EQ(ui.messages, (std::vector<std::string>{"กรุณาใส่แผ่นข้อมูล ", "มีข้อผิดพลาดในการผูกดวง",
                                                   "กรุณาใส่แผ่นข้อมูล "}));
  EXPECT_EQ(forms.main.caption("ComboBoxdd"), "28");
  EXPECT_EQ(forms.main.caption("ComboBoxmm"), "02");
  EXPECT_EQ(forms.main.caption("ComboBoxth"), "24");
  EXPECT_EQ(forms.main.caption("ComboBoxyy"), "2534");
  EXPECT_FALSE(forms.main.find("ButtonPrintHoroscope")->enabled);
}

TEST_F(PipelineTest, owner_texts_are_written_afresh_by_every_cast) {
  // Three casts into one set of forms: the age line carries one birth-year
  // code, the last cast's, and the owner texts are the last birth's.
  ASSERT_EQ(cast("10", "05 = พฤษภาคม", "2530", "10").status, CastOutcome::Status::Cast);
  ASSERT_EQ(cast("11", "05 = พฤษภาคม", "2530", "00", Gender::Female).status, CastOutcome::Status::Cast);
  const CastOutcome last = cast("06", "05 = พฤษภาคม", "2530", "02");
  ASSERT_EQ(last.status, CastOutcome::Status::Cast) << last.error;
  const Form& qr = forms.chartSheet;
  const std::string code = "รหัสปีเกิด " + std::to_string(*last.result.birthYearCode);
  EXPECT_EQ(qr.caption("QRLabelAgeOwner"), "พ.ศ. 2530  " + forms.main.caption("LabelAge") + "  " + code);
  EXPECT_EQ(forms.main.caption("LabelShowDate"), "เกิดวันพุธที่ 06/05/2530 เวลา 01.00-02.59 น. เพศชาย");
  EXPECT_EQ(qr.caption("QRLabelHoroscopeOwner"),
            "ชื่อ" + std::string(35, ' ') + forms.main.caption("LabelShowDate") + " " +
                forms.main.caption("LabelYears"));
  EXPECT_EQ(qr.caption("QRLabelDateEN"), "May 06, 1987");
  EXPECT_EQ(forms.main.caption("LabelDate"), "ผูกดวงวันที่ 01/06/2530");
  EXPECT_EQ(qr.caption("QRLabelDate"), "ผูกดวงวันที่ 01/06/2530");
}

TEST_F(PipelineTest, a_birth_after_the_current_year_dates_the_cast_in_its_own_year) {
  const CastOutcome out = cast("10", "05 = พฤษภาคม", "2531", "10");
  ASSERT_EQ(out.status, CastOutcome::Status::Cast) << out.error;
  EXPECT_EQ(forms.main.caption("LabelDate"), "ผูกดวงวันที่ 01/06/2531");
  EXPECT_EQ(forms.chartSheet.caption("QRLabelAgeOwner").rfind("พ.ศ. 2531  อายุจีน ", 0), 0u)
      << forms.chartSheet.caption("QRLabelAgeOwner");
}

}  // namespace
}  // namespace vesprin
