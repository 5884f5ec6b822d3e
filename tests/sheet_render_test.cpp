// The chart sheet as the renderer paints it, read from the record of what was
// painted rather than from pixels: frames, the mask, the hidden stems on the
// page, fonts and captions that do not fit.
#include <gtest/gtest.h>

#include <set>

#include <QFontDatabase>
#include <QImage>
#include <QPainter>

#include "app/cast_pipeline.h"
#include "app/cast_request.h"
#include "app/scripted_ui.h"
#include "app/sheet_pdf.h"
#include "core/calendar_session.h"
#include "core/clock.h"
#include "interpret/hidden_stems.h"
#include "present/binding/bind_hidden_stems.h"
#include "present/binding/print_steps.h"
#include "present/pictures/picture_store.h"
#include "present/render/report_output.h"
#include "tests/cast_on.h"

namespace vesprin {
namespace {

class SheetRenderTest : public ::testing::Test {
 protected:
  void SetUp() override { ensureGuiApplication(); }

  void cast(const char* birth) {
    ASSERT_EQ(castOn(forms, {2026, 12, 9}, birth).status, CastOutcome::Status::Cast);
    prepareChartSheetWithoutHandOver(forms);
  }

  std::vector<PaintedComponent> paint() {
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    return renderer.paint(painter, forms.chartSheet, 1.0);
  }

  static const PaintedComponent* find(const std::vector<PaintedComponent>& painted, const std::string& name) {
    for (const auto& p : painted)
      if (p.name == name) return &p;
    return nullptr;
  }

  Forms forms = makeForms();
  PictureStore pictures{VESPRIN_SOURCE_DATA_DIR, std::cerr};
  FormRenderer renderer{[this](std::string_view n) { return pictures.find(n); }};
};

std::vector<std::string> periodFramesPainted(const std::vector<PaintedComponent>& painted) {
  std::vector<std::string> frames;
  for (const auto& p : painted)
    if (p.name.starts_with("QRShapeAgeOnGo") || p.name.starts_with("QRShapeAgeBelowGo"))
      frames.push_back(p.name);
  return frames;
}

TEST_F(SheetRenderTest, only_the_enabled_current_period_frame_is_painted) {
  cast("05 03 2530 07 30 m 09");
  // Chinese age 40 in 2569 lies in the upper half of the fourth luck pillar (39-43).
  EXPECT_EQ(periodFramesPainted(paint()), std::vector<std::string>{"QRShapeAgeOnGo4"});
  for (const char* frame : {"QRShapeAgeOnGo3", "QRShapeAgeBelowGo10", "QRShapeAgeOnGo1"}) {
    for (int k = 1; k <= 10; ++k) {
      forms.chartSheet[numbered("QRShapeAgeOnGo", k)].enabled = false;
      forms.chartSheet[numbered("QRShapeAgeBelowGo", k)].enabled = false;
    }
    forms.chartSheet[frame].enabled = true;
    EXPECT_EQ(periodFramesPainted(paint()), std::vector<std::string>{frame});
  }
}

TEST_F(SheetRenderTest, the_long_year_table_and_the_hidden_star_never_show) {
  cast("05 03 2530 07 30 m 09");
  ASSERT_EQ(forms.chartSheet.at("QRImageBC").picture, "B4.bmp");  // filled by the cast all the same
  for (int childFrame : {209, 247}) {  // the mask's width without and with a child sign
    forms.chartSheet["QRShape27"].width = childFrame;
    std::set<std::string> hidden = {"QRImageBC", "QRLabelShowAge", "QRLabelShowPS", "QRLabelShowKS",
                                    "QRLabelParkedBC"};
    for (int c = 1; c <= 10; ++c) hidden.insert(numbered("QRImageChineseOnyy", c));
    for (int k = 1; k <= 60; ++k) hidden.insert(numbered("QRImageChineseBelowyy", k));
    for (int r = 1; r <= 12; ++r) {
      hidden.insert(numbered("QRLabelShowPS", r));
      hidden.insert(numbered("QRLabelShowKS", r));
      hidden.insert(numbered("QRLabelShowAge", 10 * r - 9));
    }
    const auto painted = paint();
    for (const auto& p : painted) EXPECT_FALSE(hidden.contains(p.name)) << p.name;
    // The treasury box prints over the mask.
    ASSERT_TRUE(find(painted, "QRImageChaiCoo"));
    EXPECT_EQ(find(painted, "QRImageChaiCoo")->picture, std::string(VESPRIN_SOURCE_DATA_DIR) + "/pictures/b11.bmp");
    EXPECT_TRUE(find(painted, "QRLabelChaiCoo"));
  }
}

TEST_F(SheetRenderTest, hidden_stems_on_the_page) {
  // Year, month, day, time branches 1, 2, 7 and 12: one stem, three stems,
  // and the two pairs that move right to stand under their column.
  bindHiddenStemRow(forms, ComputeHiddenStemRow(signs<Branch>(1, 2, 7, 12)));
  const auto painted = paint();
  struct Case {
    int hide;
    double pageLeft;  // band left + 38
    const char* picture;
  };
  const Case cases[] = {
      {1, 343, "os0.bmp"}, {2, 332, "os10.bmp"}, {3, 320, "os0.bmp"},  // branch 1: the middle only
      {4, 303, "os10.bmp"}, {5, 292, "os8.bmp"}, {6, 280, "os6.bmp"},  // branch 2: three
      {7, 263, "os0.bmp"}, {8, 258, "os6.bmp"}, {9, 246, "os4.bmp"},   // branch 7: pair shifted
      {10, 223, "os0.bmp"}, {11, 218, "os1.bmp"}, {12, 206, "os9.bmp"},  // branch 12: pair shifted
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hide);
    const PaintedComponent* p = find(painted, numbered("QRImageChineseOnHide", c.hide));
    ASSERT_TRUE(p);
    EXPECT_EQ(p->left, c.pageLeft);
    EXPECT_EQ(p->top, 240 + 38);
    EXPECT_EQ(std::filesystem::path(p->picture).filename(), c.picture);
  }
}

TEST_F(SheetRenderTest, marks_print_on_the_page_over_the_band) {
  cast("05 03 2530 07 30 m 09");
  forms.chartSheet["QRShapeyymmlang"].penColour = colours::kBlue;
  forms.chartSheet["QRImagechng1"].picture = "chng.bmp";
  const auto painted = paint();
  const PaintedComponent* mark = find(painted, "QRShapeyymmlang");
  const PaintedComponent* clash = find(painted, "QRImagechng1");
  ASSERT_TRUE(mark && clash);
  // Measured from the paper's corner: between the year (band 286) and month (246) columns.
  EXPECT_GT(clash->left, 246 + 26 + 38 - 8);
  EXPECT_LT(clash->left + clash->width, 286 + 38 + 8);
  // Painted after every component of the band.
  EXPECT_GT(mark - painted.data(), find(painted, "QRLabelPT") - painted.data());
}

TEST_F(SheetRenderTest, thai_text_uses_a_thai_font_and_long_captions_are_cut_whole) {
  for (const FontSpec& font : {cordia(21), tahoma(19), arial(13)}) {
    const QString family = resolvedFamily(font);
    SCOPED_TRACE(font.family + " -> " + family.toStdString());
    EXPECT_FALSE(family.isEmpty());
    if (font.family == "CordiaUPC") {
      EXPECT_TRUE(QFontDatabase::writingSystems(family).contains(QFontDatabase::Thai));
    }
  }
  // A caption far too long for its box is cut after a whole character cluster, with an ellipsis.
  std::string name;
  for (int i = 0; i < 120; ++i) name += "กิ่";  // consonant, vowel above, tone mark
  forms.chartSheet["QRLabelHoroscopeOwner"].caption = "ชื่อ " + name + " เกิดวันพฤหัสที่ 05/03/2530";
  const auto painted = paint();
  const PaintedComponent* owner = find(painted, "QRLabelHoroscopeOwner");
  ASSERT_TRUE(owner);
  ASSERT_EQ(owner->lines.size(), 1u);
  const std::string& line = owner->lines.front();
  EXPECT_TRUE(line.ends_with("…"));
  // Whole clusters only: the character before the ellipsis is the tone mark of a full cluster.
  EXPECT_TRUE(line.substr(0, line.size() - std::string("…").size()).ends_with("กิ่"));
  // A long name gives way before the birth data after it: on the sheet and
  // on the analysis page the name is cut, the date, hour, gender and year
  // animal stay whole.
  std::string longName = "นางสาวประภาพรรณ ศรีสุวรรณวงศ์ ณ อยุธยา";
  while (longName.size() < 300) longName += " กิตติวรรณเจริญรุ่งเรือง";
  ASSERT_EQ(castOn(forms, {2026, 12, 9}, "04 02 2541 07 40 f 09", longName).status, CastOutcome::Status::Cast);
  const std::string birthData = " เกิดวันพุธที่ 04/02/2541 เวลา 07.00-08.59 น. เพศหญิง ปีขาล";
  for (const Form* form : {&forms.chartSheet, &forms.analysisPage}) {
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    const auto page = renderer.paint(painter, *form, 1.0);
    const PaintedComponent* cut = find(page, "QRLabelHoroscopeOwner");
    ASSERT_TRUE(cut);
    ASSERT_EQ(cut->lines.size(), 1u);
    EXPECT_TRUE(cut->lines.front().starts_with("ชื่อ นางสาวประภาพรรณ")) << cut->lines.front();
    EXPECT_TRUE(cut->lines.front().ends_with("…" + birthData)) << form->name() << ": " << cut->lines.front();
  }
  // A two-line caption keeps its lines (separated by a single CR).
  forms.chartSheet["QRLabelPowerElements"].caption = "ดิน 3\rทอง 2";
  const auto repainted = paint();
  EXPECT_EQ(find(repainted, "QRLabelPowerElements")->lines, (std::vector<std::string>{"ดิน 3", "ทอง 2"}));
}

}  // namespace
}  // namespace vesprin

namespace vesprin {
namespace {

// The chart sheet is laid out on Letter; on A4 the Letter page is scaled to
// fit the width and centred, its margins scaled with it.
TEST(PaperPlacement, letter_on_a4_is_scaled_to_fit_and_centred) {
  const PageSetup letter{215.9, 279.4};
  struct Row {
    Paper paper;
    double scale, left, top;  // the band's corner on the paper, mm
    QPageSize::PageSizeId size;
  };
  const double s = 210.0 / 215.9;  // the width limits: A4 is narrower, but taller
  for (const Row& r : {Row{Paper::Letter, 1.0, 10.0, 10.0, QPageSize::Letter},
                       Row{Paper::A4, s, 10.0 * s, (297.0 - 279.4 * s) / 2 + 10.0 * s, QPageSize::A4}}) {
    SCOPED_TRACE(std::string(paperName(r.paper)));
    const PaperPlacement p = placeOnPaper(letter, r.paper);
    EXPECT_NEAR(p.scale, r.scale, 1e-9);
    EXPECT_EQ(p.layout.pageSize().id(), r.size);
    const QMarginsF m = p.layout.margins(QPageLayout::Millimeter);
    EXPECT_NEAR(m.left(), r.left, 1e-6);
    EXPECT_NEAR(m.top(), r.top, 1e-6);
    // Centred: the same margin on either side, above and below.
    EXPECT_NEAR(m.right(), m.left(), 1e-6);
    EXPECT_NEAR(m.bottom(), m.top(), 1e-6);
    // The scaled page fills the paper's width.
    const QSizeF paper = p.layout.fullRect(QPageLayout::Millimeter).size();
    EXPECT_NEAR(m.left() + m.right() + (215.9 - 20) * p.scale, paper.width(), 0.01);
  }
  // A paper chosen in a print dialog: A5, the width limits again.
  const PaperPlacement a5 = placeOnPaper(letter, PaperSize{148, 210});
  EXPECT_NEAR(a5.scale, 148 / 215.9, 1e-9);
  EXPECT_EQ(a5.layout.pageSize().id(), QPageSize::A5);
}

TEST(PaperPlacement, names_as_options_write_them) {
  for (Paper p : {Paper::Letter, Paper::A4}) EXPECT_EQ(parsePaper(paperName(p)), p);
  EXPECT_EQ(parsePaper("A4"), std::nullopt);
  EXPECT_EQ(parsePaper(""), std::nullopt);
}

}  // namespace
}  // namespace vesprin
