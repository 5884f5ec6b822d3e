// The interpretation inside a whole cast: its results land in ChartResult
// and in the forms, and a second cast leaves nothing of the first.
#include <gtest/gtest.h>

#include "app/cast_pipeline.h"
#include "app/scripted_ui.h"
#include "core/clock.h"

namespace vesprin {
namespace {

class CastInterpretationTest : public ::testing::Test {
 protected:
  CastInterpretationTest()
      : clock_(CivilDate{2026, 6, 1}),
        session_(std::move(*CalendarSession::LoadCalendarIndex({VESPRIN_SOURCE_DATA_DIR}).index),
                 {VESPRIN_SOURCE_DATA_DIR}, clock_, ui_) {}

  CastOutcome cast(Gender gender, int year) {
    Birth b;
    b.gender = gender;
    b.date = {10, 5, year};
    b.time = {8, 0};
    return CastPipeline(session_, forms_, ui_).Cast(b);
  }

  FixedClock clock_;
  ScriptedUserInterface ui_;
  CalendarSession session_;
  Forms forms_ = makeForms();
};

TEST_F(CastInterpretationTest, a_woman_then_a_man) {
  const CastOutcome woman = cast(Gender::Female, 2530);
  ASSERT_EQ(woman.status, CastOutcome::Status::Cast) << woman.error;
  const ChartResult& r = woman.result;
  ASSERT_TRUE(r.powers && r.patterns && r.analysis && r.birthYearCode);
  // Year pillar (4, 4): child branch 3; BE 2530 has branch 4, so the code is not moved.
  EXPECT_EQ(r.childBranch, 3);
  EXPECT_EQ(*r.birthYearCode, 2);
  EXPECT_EQ(r.patterns->ptCode, "P3 / T10 / H2");
  EXPECT_EQ(forms_.main.caption("LabelCodePerson"), "รหัสปีเกิด 2");
  EXPECT_EQ(forms_.chartSheet.caption("QRLabelPT"), "P3 / T10 / H2");
  EXPECT_EQ(forms_.analysis["MemoAnalyse"].lines, r.analysis->lines);
  EXPECT_EQ(forms_.analysis["MemoAnalyse"].lines.back(), "P3 / T10");
  EXPECT_EQ(forms_.main["ImageChineseBelowtt"].hint, r.powers->summaryHint);
  EXPECT_EQ(forms_.chartSheet.caption("QRLabelPowerElements"), r.powers->summaryLine);
  EXPECT_EQ(forms_.chartSheet["QRImage26"].picture, "b3.bmp");

  const CastOutcome man = cast(Gender::Male, 2524);
  ASSERT_EQ(man.status, CastOutcome::Status::Cast) << man.error;
  EXPECT_EQ(man.result.childBranch, std::nullopt);
  EXPECT_EQ(forms_.chartSheet["QRImage26"].picture, "os0.bmp");
  EXPECT_FALSE(forms_.main["ShapeNumNengKeng"].visible);
  EXPECT_EQ(forms_.main.caption("LabelCodePerson"), "รหัสปีเกิด 1");
  EXPECT_EQ(forms_.analysis["MemoAnalyse"].lines, man.result.analysis->lines);
}

}  // namespace
}  // namespace vesprin
