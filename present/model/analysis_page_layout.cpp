// The analysis page (A4), top to bottom: title and owner, the element power
// table, the month and the groups, temperament and stars, the current
// transit age, the three current years, the child-chance form and the
// hand-filled check lines. Band coordinates at 96 pixels per inch inside the
// 10 mm margins (718 x 1047).
#include <string>

#include "present/model/form.h"
#include "present/model/layouts.h"

namespace vesprin {
namespace {

constexpr Colour kNavy = colours::kNavy;
constexpr Colour kGrey{128, 128, 128};
const std::string kDots(60, '.');

std::string named(std::string_view row, int k) { return numbered(row, k); }

void title(LayoutBuilder& b) {
  b.label("QRLabelTitle", 0, 0, 718, 44, "ผลการวิเคราะห์ดวง", cordia(34, true), Align::Centre)
      .fontColour = kNavy;
  b.label("QRLabelSentOn", 0, 48, 100, 26, "ส่งวิเคราะห์เมื่อ", cordia(20));
  b.label("QRLabelDate", 100, 48, 320, 26, {}, cordia(20));
  b.label("QRLabelHoroscopeOwner", 0, 76, 718, 30, {}, cordia(21, true));
  b.horizontalLine("QRShapeTitleRule", 0, 718, 110, 1, kNavy);
}

void powerTable(LayoutBuilder& b) {
  // Columns left to right by role: support, day master | drain, wealth, officer.
  constexpr int kRoleOrder[] = {5, 1, 2, 3, 4};
  const char* roleCaptions[] = {"ส่งเสริม", "ดิถี", "ถ่ายเท", "ลาภ", "ขุนนาง"};
  constexpr int kLeft = 120, kWidth = 110, kTop = 120;
  b.rectangle("QRShapePowerTable", kLeft, kTop, 5 * kWidth, 152, 1);
  b.label("QRLabelGroupDayMaster", kLeft, kTop + 2, 2 * kWidth, 24, "กลุ่มดิถี", cordia(20, true),
          Align::Centre);
  b.label("QRLabelGroupEntourage", kLeft + 2 * kWidth, kTop + 2, 3 * kWidth, 24, "กลุ่มบริวาร",
          cordia(20, true), Align::Centre);
  b.verticalLine("QRShapePowerTableSplit", kLeft + 2 * kWidth, kTop, kTop + 152, 2);
  b.label("QRLabelRowAmount", 0, kTop + 74, 116, 24, "จำนวน", cordia(18), Align::Right);
  b.label("QRLabelRowWeight", 0, kTop + 98, 116, 24, "กำลัง x", cordia(18), Align::Right);
  b.label("QRLabelRowTotal", 0, kTop + 122, 116, 24, "= รวม", cordia(18, true), Align::Right);
  for (int i = 0; i < 5; ++i) {
    const int k = kRoleOrder[i], x = kLeft + i * kWidth;
    b.label(named("QRLabelRole", k), x, kTop + 26, kWidth, 24, roleCaptions[i], cordia(18),
            Align::Centre);
    b.label(named("QRLabelnamepowerelement", k), x, kTop + 50, kWidth, 24, {}, cordia(20, true),
            Align::Centre);
    b.label(named("QRLabelamountpower", k), x, kTop + 74, kWidth, 24, {}, cordia(18), Align::Centre);
    b.label(named("QRLabelpower", k), x, kTop + 98, kWidth, 24, {}, cordia(18), Align::Centre);
    b.label(named("QRLabelpowerelement", k), x, kTop + 122, kWidth, 24, {}, cordia(18, true),
            Align::Centre);
  }
}

void monthAndGroups(LayoutBuilder& b) {
  b.label("QRLabelBornIn", 0, 286, 80, 26, "เกิดในเดือน", cordia(20));
  b.label("QRLabelBornInCheck", 88, 286, 150, 26, "[ ..... ] " + std::string(20, '.'), cordia(20));
  b.label("QRLabelSeasonCaption", 240, 286, 40, 26, "ฤดู", cordia(20));
  b.label("QRLabelseason", 280, 286, 200, 26, {}, cordia(20, true));
  b.label("QRLabelGroups", 0, 314, 260, 26, "ในดวงมี (ภาคี / ไตรภาคี / กลุ่มทิศ )", cordia(20));
  b.label("QRLabelGroupsCheck", 260, 314, 458, 26, kDots + kDots, cordia(20));
}

void temperamentAndStars(LayoutBuilder& b) {
  LayoutItem& temperament = b.label("QRlabela2", 0, 346, 718, 52, {}, cordia(20));
  temperament.wordWrap = true;
  b.label("QRLabel38", 0, 402, 718, 26, {}, cordia(20, true));
  LayoutItem& stars = b.label("QRLabelRasriTep", 0, 428, 718, 52, {}, cordia(20));
  stars.wordWrap = true;
  b.label("QRLabelAnalyze", 0, 484, 718, 26, {}, cordia(20));
}

void currentTransitAge(LayoutBuilder& b) {
  b.label("QRLabelTransitAgeCaption", 0, 520, 96, 28, "วัยจรปัจจุบัน", cordia(20, true));
  b.image("QRImageveijorn", 98, 520, 26, 26);
  b.label("QRLabelelementveijorn", 128, 520, 40, 28, {}, cordia(20, true));
  b.label("QRLabel_r_u_jorn", 170, 520, 548, 28, {}, cordia(20));
  b.label("QRLabelCarryUntil", 0, 552, 60, 28, "พกจนถึง", cordia(20));
  b.label("QRLabelCarryDots", 60, 552, 260, 28, kDots, cordia(20)).fontColour = kGrey;
  b.label("QRLabel22", 70, 550, 24, 28, "10", cordia(20, true), Align::Centre);
  b.label("QRLabelmonthdecimal", 96, 550, 60, 28, {}, cordia(20, true), Align::Centre);
  b.label("QRLabelEndYearJorn", 160, 550, 60, 28, {}, cordia(20, true), Align::Centre);
  // The child picture has a place here but the cast always leaves it blank.
  b.image("QRImageNumNengKeng", 690, 552, 26, 26);
}

void currentYears(LayoutBuilder& b) {
  b.label("QRLabelYearsCaption", 0, 596, 110, 26, "ปีจร / ลัคนาจร", cordia(20, true));
  for (int n = 1; n <= 3; ++n) {
    const int x = 120 + 150 * (n - 1);
    b.label(named("QRLabelyyyy", n), x, 596, 100, 26, {}, cordia(20, true), Align::Centre);
    b.image(named("QRImageyearon", n), x + 10, 626, 26, 26);
    b.image(named("QRImageyearbelow", n), x + 10, 656, 26, 26);
    b.image(named("QRImageyearonJorn", n), x + 64, 626, 26, 26);
    b.image(named("QRImageyearbelowJorn", n), x + 64, 656, 26, 26);
  }
}

void childChanceAndNotes(LayoutBuilder& b) {
  LayoutItem& chance = b.label("QRLabel42", 0, 700, 718, 52, {}, cordia(20));
  chance.wordWrap = true;
  LayoutItem& advice = b.label("QRLabel43", 0, 756, 718, 52, {}, cordia(20));
  advice.wordWrap = true;
  b.label("QRLabelNote", 0, 820, 80, 26, "หมายเหตุ", cordia(20, true));
  for (int i = 1; i <= 6; ++i)
    b.label(named("QRLabelCheckLine", i), 0, 820 + 30 * i, 718, 26,
            "[ ..... ] " + kDots + kDots + kDots, cordia(20))
        .fontColour = kGrey;
}

Layout buildAnalysisPage() {
  LayoutBuilder b;
  title(b);
  powerTable(b);
  monthAndGroups(b);
  temperamentAndStars(b);
  currentTransitAge(b);
  currentYears(b);
  childChanceAndNotes(b);
  PageSetup a4;
  a4.paperWidthMm = 210.0;
  a4.paperHeightMm = 297.0;
  a4.bandWidth = 718;
  a4.bandHeight = 1047;
  return b.build("TFormPrintHoroscope2", a4);
}

}  // namespace

const Layout& analysisPageLayout() {
  static const Layout layout = buildAnalysisPage();
  return layout;
}

}  // namespace vesprin
