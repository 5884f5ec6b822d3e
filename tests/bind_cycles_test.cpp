#include "present/binding/bind_cycles.h"

#include <gtest/gtest.h>

namespace vesprin {
namespace {

// The worked example: forward from month pillar (3, 3), start age 2.05.
LuckCycle exampleLuck() {
  LuckCycle l;
  l.direction = LuckDirection::Go;
  for (int k = 0; k < 10; ++k) {
    l.pillars[k] = Pillar{3, 3} + (k + 1);
    l.onAges[k] = 2 + 10 * k;
    l.belowAges[k] = 7 + 10 * k;
  }
  l.monthStrengthDays = 10;
  l.festivalDays = 7;
  l.startYears = 2;
  l.startMonthCode = 5;
  return l;
}

struct Expect {
  const char* name;
  const char* text;
};

TEST(bind_cycles_test, luck_pillars_ages_and_month_labels) {
  Forms f = makeForms();
  bindLuckCycle(f, exampleLuck());
  const Expect mainPictures[] = {
      {"ImageChineseOn1", "o4.bmp"},  {"ImageChineseBelow1", "b4.bmp"}, {"ImageZodiacOn1", "n4.bmp"},
      {"ImageZodiacBelow1", "n4.bmp"}, {"ImageChineseOn9", "o2.bmp"},   {"ImageChineseBelow9", "b12.bmp"},
      {"ImageZodiacBelow9", "n12.bmp"},
  };
  for (const Expect& e : mainPictures) EXPECT_EQ(f.main[e.name].picture, e.text) << e.name;
  EXPECT_EQ(f.main.find("ImageChineseOn10"), nullptr);  // the main window shows nine
  const Expect sheetPictures[] = {
      {"QRImageChineseOn1", "o4.bmp"},  {"QRImageChineseOn10", "o3.bmp"},
      {"QRImageChineseBelow10", "b1.bmp"}, {"QRImageZodiacOn10", "n3.bmp"},
      {"QRImageZodiacBelow10", "n1.bmp"},
  };
  for (const Expect& e : sheetPictures) EXPECT_EQ(f.chartSheet[e.name].picture, e.text) << e.name;
  const Expect hints[] = {
      {"ImageChineseOn1", "Fire"},  {"ImageChineseBelow1", "Wood"}, {"ImageChineseOn2", "Earth"},
      {"ImageChineseOn4", "Metal"}, {"ImageChineseBelow9", "Water"}, {"ImageChineseBelow2", "Earth"},
      {"LabelFarBetweenFestival", "กำลังของเดือน"}, {"LabelFarFestival", "จำนวนวันห่างสารท"},
      {"LabelAgeOn1", "Age (Year.Month)"},
  };
  for (const Expect& e : hints) EXPECT_EQ(f.main[e.name].hint, e.text) << e.name;
  const Expect mainCaptions[] = {
      {"LabelFarBetweenFestival", "[ 10 D ]"}, {"LabelFarFestival", "7"}, {"LabelAgeOn1", "2.05"},
      {"LabelAgeOn2", "12"},  {"LabelAgeOn9", "82"},  {"labelAgeOn10", "92"},
      {"LabelAgeBelow1", "7"}, {"LabelAgeBelow9", "87"}, {"labelAgeBelow10", "97"},
      {"labelmonthdecimal", "( เริ่ม ก.ค. )"},
  };
  for (const Expect& e : mainCaptions) EXPECT_EQ(f.main.caption(e.name), e.text) << e.name;
  const Expect sheetCaptions[] = {
      {"QRLabelFarBetweenFestival", "[ 10 D ]"}, {"QRLabelFarFestival", "7"},
      {"QRLabelAgeOn1", "2.05"}, {"QRLabelAgeOn10", "92"}, {"QRLabelAgeBelow1", "7"},
      {"QRLabelAgeBelow10", "97"}, {"QRlabelmonthdecimal", "( เริ่ม ก.ค. )"},
  };
  for (const Expect& e : sheetCaptions) EXPECT_EQ(f.chartSheet.caption(e.name), e.text) << e.name;
  EXPECT_EQ(f.analysisPage.caption("QRLabelmonthdecimal"), "ก.ค.");
  for (const char* d : {"BevelLine", "BevelLine1", "BevelLine2", "ShapeBox", "ShapeDot", "ShapeFarFestival"})
    EXPECT_TRUE(f.main[d].visible) << d;

  // An undetermined direction draws no pillar; the ages still follow.
  LuckCycle none = exampleLuck();
  none.direction = LuckDirection::Undetermined;
  none.pillars = {};
  none.startYears = 5;
  none.startMonthCode = 0;
  bindLuckCycle(f, none);
  EXPECT_EQ(f.main["ImageChineseOn1"].picture, "o4.bmp");
  EXPECT_EQ(f.chartSheet["QRImageChineseBelow10"].picture, "b1.bmp");
  EXPECT_EQ(f.chartSheet.caption("QRLabelAgeOn1"), "5.00");
}

// Transits in 2553 (pillar (7, 3)) at a given Chinese age, ascendant (5, 7).
AnnualTransits transitsAtAge(int age, int startYears) {
  const Pillar birth = Pillar{7, 3} - (age - 1);
  return computeAnnualTransits(birth, 2553 - age + 1, 2553, {7, 3}, {5, 7}, startYears);
}

TEST(bind_cycles_test, transit_window_marks_only_the_current_column) {
  struct Case {
    int age, startYears;
    std::optional<int> column;
  };
  const Case cases[] = {{33, 3, 6}, {37, 3, 10}, {2, 3, std::nullopt}, {3, 3, 6}};
  struct Copy {
    const char* page;
    const char* sheet;
  };
  const Copy copies[] = {{"QRImageyearon", "QRImageChineseOnyyGo"},
                         {"QRImageyearbelow", "QRImageChineseBelowyyGo"},
                         {"QRImageyearonJorn", "QRImageLakKaNaJornOn"},
                         {"QRImageyearbelowJorn", "QRImageLakKaNaJornBelow"}};
  Forms f = makeForms();
  for (const Case& c : cases) {
    const Form pageBefore = f.analysisPage;
    bindAnnualTransits(f, transitsAtAge(c.age, c.startYears), Branch(4));
    const std::string what = "age " + std::to_string(c.age);
    EXPECT_EQ(f.main.caption("LabelAge"), std::to_string(c.age)) << what;
    for (int j = 1; j <= 15; ++j) {
      const bool current = c.column == j;
      for (const char* row : {"LabelYearGo", "LabelAge"}) {
        const Component& label = f.main[numbered(row, j)];
        EXPECT_EQ(label.bold, current) << what << " " << row << j;
        EXPECT_EQ(label.fontColour, current ? colours::kRed : colours::kWindowText) << what << row << j;
      }
    }
    for (int i = 1; i <= 5; ++i)
      EXPECT_EQ(f.chartSheet[numbered("QRShapeyy", i)].enabled, c.column == i + 5) << what << " " << i;
    // The analysis page shows the current column and the two after it; with
    // no current column 6..10 it keeps what it held.
    for (const Copy& copy : copies)
      for (int n = 1; n <= 3; ++n) {
        const std::string name = numbered(copy.page, n);
        const std::string expected =
            c.column ? f.chartSheet[numbered(copy.sheet, *c.column + n - 1)].picture
                     : pageBefore.find(name)->picture;
        EXPECT_EQ(f.analysisPage[name].picture, expected) << what << " " << name;
      }
  }
  EXPECT_EQ(f.main.caption("LabelYears"), "ปีเถาะ");
  EXPECT_TRUE(f.main["LabelNameAge"].visible);
  // Last cast: age 3, window of ages -2..12; the current column is 6.
  EXPECT_EQ(f.main.caption("LabelYearGo6"), "2553");
  EXPECT_EQ(f.chartSheet.caption("QRLabelYearGo6"), "2553");
  EXPECT_EQ(f.chartSheet.caption("QRLabelYearKSGo6"), "2010");
  EXPECT_EQ(f.chartSheet.caption("QRLabelYearKSGo1"), "2005");
  for (int j = 1; j <= 3; ++j) {
    EXPECT_EQ(f.main.caption(numbered("LabelAge", j)), "") << j;  // ages -2, -1, 0
    EXPECT_EQ(f.chartSheet.caption(numbered("QRLabelAge", j)), "") << j;
    EXPECT_FALSE(f.chartSheet[numbered("QRImageChineseOnyyGo", j)].picture.empty()) << j;
  }
  EXPECT_EQ(f.main.caption("LabelAge4"), "1");
  EXPECT_EQ(f.chartSheet.caption("QRLabelAge4"), "1");
  EXPECT_EQ(f.chartSheet["QRImageLakKaNaJornOn4"].picture, "o5.bmp");  // the ascendant at age 1
  EXPECT_EQ(f.chartSheet["QRImageLakKaNaJornBelow4"].picture, "b7.bmp");
}

TEST(bind_cycles_test, current_period_frames_marks_and_worksheet_line) {
  struct Case {
    int age;
    const char* frame;      // the one enabled frame, or nullptr
    const char* screen;     // the one red label, or nullptr
    const char* picture;    // analysis page after the cast
    const char* element;
    const char* endYear;
  };
  const Case cases[] = {
      {35, "QRShapeAgeOnGo4", "LabelAgeOn4", "o7.bmp", "ทอง", "2556"},
      {8, "QRShapeAgeBelowGo1", "LabelAgeBelow1", "b4.bmp", "ไม้", "2558"},
      {93, "QRShapeAgeOnGo10", nullptr, "b4.bmp", "ไม้", "2558"},  // the tenth pillar leaves the line
      {2, nullptr, nullptr, "OS0.BMP", "", ""},
      {103, nullptr, nullptr, "OS0.BMP", "", ""},
      {5, "QRShapeAgeOnGo1", "LabelAgeOn1", "o4.bmp", "ไฟ", "2556"},
      {90, "QRShapeAgeBelowGo9", "LabelAgeBelow9", "b12.bmp", "น้ำ", "2556"},
  };
  Forms f = makeForms();
  LuckCycle luck = exampleLuck();
  for (int k = 0; k < 10; ++k) {
    luck.onAges[k] = 3 + 10 * k;
    luck.belowAges[k] = 8 + 10 * k;
  }
  luck.startYears = 3;
  luck.startMonthCode = 5;
  bindLuckCycle(f, luck);
  for (const Case& c : cases) {
    const CurrentPeriod p = findCurrentPeriod(luck.onAges, luck.belowAges, {3, 5}, c.age, 2553, luck.pillars);
    bindCurrentPeriod(f, p, luck, c.age, 2553);
    const std::string what = "age " + std::to_string(c.age);
    for (const char* row : {"QRShapeAgeOnGo", "QRShapeAgeBelowGo"})
      for (int k = 1; k <= 10; ++k) {
        const std::string name = numbered(row, k);
        EXPECT_EQ(f.chartSheet[name].enabled, c.frame && name == c.frame) << what << " " << name;
      }
    for (const char* row : {"LabelAgeOn", "LabelAgeBelow"})
      for (int k = 1; k <= 9; ++k) {
        const std::string name = numbered(row, k);
        const bool marked = c.screen && name == c.screen;
        EXPECT_EQ(f.main[name].bold, marked) << what << " " << name;
        EXPECT_EQ(f.main[name].fontColour, marked ? colours::kRed : colours::kWindowText) << what << name;
      }
    EXPECT_FALSE(f.main["labelAgeOn10"].bold || f.main["labelAgeBelow10"].bold) << what;
    EXPECT_EQ(f.analysisPage["QRImageveijorn"].picture, c.picture) << what;
    EXPECT_EQ(f.analysisPage.caption("QRLabelelementveijorn"), c.element) << what;
    EXPECT_EQ(f.analysisPage.caption("QRLabelEndYearJorn"), c.endYear) << what;
    EXPECT_EQ(f.main.caption("LabelAge"), "อายุจีน " + std::to_string(c.age) + " ปี") << what;
  }
  EXPECT_EQ(f.analysisPage.caption("QRLabel_r_u_jorn"),
            "(พ.ศ.2551-2555) อายุจีน 88 - 92 ปัจจุบัน 2553 อายุจีน 90 ปี");
  bindCurrentPeriod(f, {}, luck, 0, 2553);
  EXPECT_EQ(f.main.caption("LabelAge"), "อายุจีน - ปี");
}

TEST(bind_cycles_test, long_year_table_and_month_strip) {
  Forms f = makeForms();
  bindLongYearTable(f, computeLongYearTable({5, 7}, 2553, 33));
  const Expect table[] = {
      {"QRLabelShowPS1", "2521"}, {"QRLabelShowPS12", "2631"}, {"QRLabelShowKS1", "1978"},
      {"QRLabelShowKS12", "2088"},
  };
  for (const Expect& e : table) EXPECT_EQ(f.chartSheet.caption(e.name), e.text) << e.name;
  EXPECT_EQ(f.chartSheet["QRImageChineseOnyy1"].picture, "o5.bmp");
  EXPECT_EQ(f.chartSheet["QRImageChineseOnyy10"].picture, "o4.bmp");
  EXPECT_EQ(f.chartSheet["QRImageChineseBelowyy1"].picture, "b7.bmp");
  EXPECT_EQ(f.chartSheet["QRImageChineseBelowyy60"].picture, "b6.bmp");

  std::vector<std::string> record(8, "x");
  record.insert(record.end(), {"0102", "2553", "2010"});
  bindMonthStrip(f, readMonthStrip(record));
  // December at the left, January at the right.
  const Expect strip[] = {
      {"QRImage12", "o1.bmp"}, {"QRImage24", "b2.bmp"},  {"QRImage11", "o2.bmp"},
      {"QRImage23", "b3.bmp"}, {"QRImage1", "o2.bmp"},   {"QRImage13", "b1.bmp"},
      {"QRImage2", "o1.bmp"},  {"QRImage14", "b12.bmp"},
  };
  for (const Expect& e : strip) EXPECT_EQ(f.chartSheet[e.name].picture, e.text) << e.name;
  EXPECT_EQ(f.chartSheet.caption("QRLabel6"), "2553");
  EXPECT_EQ(f.chartSheet.caption("QRLabel20"), "2010");

  // A record without a usable line 8 leaves the strip as it was.
  record[8] = "xx02";
  bindMonthStrip(f, readMonthStrip(record));
  for (const Expect& e : strip) EXPECT_EQ(f.chartSheet[e.name].picture, e.text) << e.name;
  EXPECT_EQ(f.chartSheet.caption("QRLabel6"), "2553");
}

}  // namespace
}  // namespace vesprin
