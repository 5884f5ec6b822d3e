// The time-cycle stages inside the cast, on the committed calendar data.
#include <gtest/gtest.h>

#include "app/cast_pipeline.h"
#include "app/cast_request.h"
#include "app/scripted_ui.h"
#include "core/calendar_session.h"
#include "core/clock.h"
#include "present/texts/cycle_texts.h"
#include "tests/cast_on.h"

namespace vesprin {
namespace {


TEST(cast_cycles_test, stages_fill_the_result_and_the_forms) {
  Forms forms = makeForms();
  // Male, year pillar (4, 4): backward from month (2, 6), four days after the
  // festival that opened the month; Chinese age 24 in 2553.
  const CastOutcome out =
      castOn(forms, {2010, 6, 15}, "10 05 2530 10 30 m 09", {}, MonthStripStart{Stem(1), Branch(2), "2553", "2010"});
  ASSERT_EQ(out.status, CastOutcome::Status::Cast) << out.error;
  const ChartResult& r = out.result;
  EXPECT_EQ(luckStartText({r.luck->startYears, r.luck->startMonthCode}), "1.08");
  EXPECT_EQ(r.transits->chineseAge, 24);
  EXPECT_EQ(r.transits->currentColumn, 9);
  EXPECT_EQ(r.currentPeriod->half, (HalfPeriod{3, HalfPart::On}));
  ASSERT_TRUE(r.monthStrip);

  EXPECT_EQ(forms.main.caption("LabelAge"), "อายุจีน 24 ปี");
  EXPECT_EQ(forms.main.caption("LabelAgeOn1"), "1.08");
  EXPECT_TRUE(forms.main["LabelYearGo9"].bold);
  EXPECT_TRUE(forms.main["LabelAgeOn3"].bold);
  EXPECT_TRUE(forms.chartSheet["QRShapeyy4"].enabled);
  EXPECT_TRUE(forms.chartSheet["QRShapeAgeOnGo3"].enabled);
  EXPECT_EQ(forms.chartSheet["QRImage12"].picture, "o1.bmp");
  EXPECT_EQ(forms.chartSheet.caption("QRLabelShowPS1"), "2530");
  EXPECT_EQ(forms.analysisPage.caption("QRLabel_r_u_jorn"),
            "(พ.ศ.2550-2554) อายุจีน 21 - 25 ปัจจุบัน 2553 อายุจีน 24 ปี");
}

TEST(cast_cycles_test, unknown_chinese_age_refuses_the_cast) {
  Forms forms = makeForms();
  // No calendar file holds the current year 2793: its pillar is missing.
  const CastOutcome out = castOn(forms, {2250, 6, 15}, "10 05 2530 10 30 m 09");
  EXPECT_EQ(out.status, CastOutcome::Status::CyclesUnknown);
  EXPECT_EQ(out.error, "no pillar for the current year 2793: Chinese age unknown");
  // Nothing bound: the chart is as it was designed (the main window holds the input).
  const Forms fresh = makeForms();
  EXPECT_EQ(forms.main.caption("LabelAge"), "");
  EXPECT_TRUE(forms.chartSheet.components() == fresh.chartSheet.components());
  EXPECT_TRUE(forms.analysisPage.components() == fresh.analysisPage.components());
}

}  // namespace
}  // namespace vesprin
