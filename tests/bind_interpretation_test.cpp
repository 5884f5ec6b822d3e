#include "present/binding/bind_interpretation.h"

#include <gtest/gtest.h>

namespace vesprin {
namespace {

const std::string kDots(214, '.');

// Water day master in a Ground month with a complete Water trio: powers Wood
// 2, Fire 0, Ground 10, Gold 4, Water 8 after the transfer.
const NatalPillars kChart = {{1, 1}, {5, 5}, {9, 9}, {7, 11}};

struct Cast {
  ElementPowerTable powers = ComputeElementPowers(kChart);
  ChartPatterns patterns = FindChartPatterns(kChart, powers, Gender::Male);
  Analysis analysis = WriteAnalysis(kChart, patterns);
};

TEST(bind_interpretation_test, power_table_and_summary) {
  Forms forms = makeForms();
  bindElementPowers(forms, Cast().powers);
  struct Row {
    const char *name, *hint, *power, *weight, *amount;
  };
  const Row rows[] = {
      {"น้ำ", "Water", "8", "1", "8"},  {"ไม้", "Wood", "2", "2", "1"},  {"ไฟ", "Fire", "0", "3", "0"},
      {"ดิน", "Ground", "10", "5", "2"}, {"ทอง", "Gold", "4", "4", "1"},
  };
  const Form& page = forms.analysisPage;
  for (int k = 1; k <= 5; ++k) {
    const Row& r = rows[k - 1];
    EXPECT_EQ(page.caption(numbered("QRLabelnamepowerelement", k)), r.name) << k;
    EXPECT_EQ(page.find(numbered("QRLabelnamepowerelement", k))->hint, r.hint) << k;
    EXPECT_EQ(page.caption(numbered("QRLabelpowerelement", k)), r.power) << k;
    EXPECT_EQ(page.caption(numbered("QRLabelpower", k)), r.weight) << k;
    EXPECT_EQ(page.caption(numbered("QRLabelamountpower", k)), r.amount) << k;
  }
  EXPECT_EQ(page.caption("QRLabelseason"), "ใบไม้ผลิ");

  const std::string hint =
      "กลุ่มดิถี\r  ส่งเสริม ธาตุทอง  กำลัง 4\r  ดิถี ธาตุน้ำ  กำลัง 8\r  รวมกำลัง: 12\r"
      "กลุ่มบริวาร\r  ถ่ายเท ธาตุไม้  กำลัง 2\r  ลาภ ธาตุไฟ  กำลัง 0\r  ขุนนาง ธาตุดิน  กำลัง 10\r"
      "  รวมกำลัง: 12";
  for (const char* picture : {"ImageChineseOnyy", "ImageChineseBelowyy", "ImageChineseOnmm",
                              "ImageChineseBelowmm", "ImageChineseOndd", "ImageChineseBelowdd",
                              "ImageChineseOntt", "ImageChineseBelowtt"})
    EXPECT_EQ(forms.main[picture].hint, hint) << picture;
  EXPECT_EQ(forms.chartSheet.caption("QRLabelPowerElements"),
            "กลุ่มดิถี ธาตุน้ำ กำลัง 8 ธาตุทอง กำลัง 4 (รวมกำลัง 12)\r"
            "กลุ่มบริวาร ธาตุไม้ กำลัง 2 ธาตุไฟ กำลัง 0 ธาตุดิน กำลัง 10 (รวมกำลัง 12)");
}

TEST(bind_interpretation_test, pattern_captions_and_the_hand_over_note) {
  ChartPatterns special = Cast().patterns;
  special.specialChart = true;
  struct Case {
    const char* what;
    ChartPatterns patterns;
    const char* note;  // the request's analysis note
    const char* analyze;
  };
  const Case cases[] = {
      {"plain", Cast().patterns, "", ""},
      {"special", special, "", "*** มีสิทธิเป็นดวงพิเศษ (ดวงตามกระแส) ***"},
      {"special, note handed over", special, "ดวงดี", "ดวงดี"},
      {"plain, note handed over", Cast().patterns, "ดวงดี", "ดวงดี"},
  };
  for (const Case& c : cases) {
    Forms forms = makeForms();
    bindChartPatterns(forms, c.patterns, c.note);
    EXPECT_EQ(forms.chartSheet.caption("QRLabelPaKey"), "*** ในดวงมี ไตรภาคีธาตุน้ำ ***") << c.what;
    EXPECT_EQ(forms.chartSheet.caption("QRLabelAnalyze"), c.analyze) << c.what;
    EXPECT_EQ(forms.chartSheet.caption("QRLabelPT"), "P4 / T3 / H2") << c.what;
  }
}

TEST(bind_interpretation_test, birth_year_code_joins_the_age_line) {
  Forms forms = makeForms();
  forms.chartSheet["QRLabelAgeOwner"].caption = "พ.ศ. 2569  อายุจีน 47 ปี";
  bindBirthYearCode(forms, 2);
  EXPECT_EQ(forms.main.caption("LabelCodePerson"), "รหัสปีเกิด 2");
  EXPECT_EQ(forms.chartSheet.caption("QRLabelAgeOwner"), "พ.ศ. 2569  อายุจีน 47 ปี  รหัสปีเกิด 2");
}

TEST(bind_interpretation_test, analysis_text_and_captions) {
  Forms forms = makeForms();
  forms.analysis["MemoAnalyse"].lines = {"left from an earlier cast"};
  clearAnalysisText(forms);
  EXPECT_TRUE(forms.analysis["MemoAnalyse"].lines.empty());

  const Cast cast;
  bindAnalysis(forms, cast.analysis);
  const std::vector<std::string>& memo = forms.analysis["MemoAnalyse"].lines;
  ASSERT_EQ(memo.size(), 22u);
  EXPECT_EQ(memo[0], "");
  EXPECT_EQ(memo[1], "- ในดวงมี ไตรภาคีธาตุน้ำ");
  EXPECT_EQ(memo[21], "P4 / T3");
  const Form& page = forms.analysisPage;
  EXPECT_EQ(page.caption("QRLabelRasriTep"),
            "จิ้งซิ้ง (เด่นดัง ก้าวหน้า) เทียงเต็ก (เทพสุริยัน) ดิถีเป็น (เทพจันทรา) ");
  EXPECT_EQ(page.caption("QRLabel38"), "ในดวงมีราศีเทพคุ้มครอง ดังนี้");
  EXPECT_EQ(page.caption("QRlabela2"),
            "อุปนิสัยโดยทั่วไป ด้านดี และด้อย คือ เฉลียวฉลาด ปัญญาดี ปรับตัวเก่ง ... เสเพล");
  EXPECT_EQ(page.caption("QRLabelAnalyze"), "ในดวงมีไฉ่โข่ว ( ขุมทรัพย์ ) หมายถึง มีมรดก หรือ มีเงินเก็บ");
  EXPECT_EQ(forms.chartSheet["QRImageChaiCoo"].picture, "B11.bmp");
  EXPECT_EQ(forms.chartSheet["QRImageChaiCooN"].picture, "N11.bmp");

  // A chart without stars and treasury clears what the earlier one left.
  const NatalPillars plain = {{2, 2}, {2, 2}, {10, 10}, {3, 3}};
  bindAnalysis(forms, WriteAnalysis(plain, FindChartPatterns(plain, ComputeElementPowers(plain), Gender::Male)));
  EXPECT_EQ(forms.analysis["MemoAnalyse"].lines.size(), 4u);
  EXPECT_EQ(page.caption("QRLabelRasriTep"), "");
  EXPECT_EQ(page.caption("QRLabel38"), kDots);
  EXPECT_EQ(page.caption("QRLabelAnalyze"), "");
  EXPECT_EQ(forms.chartSheet["QRImageChaiCoo"].picture, "B11.bmp");
}

TEST(bind_interpretation_test, child_sign_of_a_woman_then_a_man) {
  Forms forms = makeForms();
  bindChildSign(forms, FindChildSign(Gender::Female, Stem(1)));
  const Form& main = forms.main;
  const Form& sheet = forms.chartSheet;
  EXPECT_TRUE(main.find("ShapeNumNengKeng")->visible);
  EXPECT_EQ(main.caption("LabelNumNengKeng"), "ราศี");
  EXPECT_EQ(main.caption("LabelNumNengKeng2"), "ลูก");
  EXPECT_EQ(main.find("ImageNumNengKeng")->picture, "b11.bmp");
  EXPECT_EQ(main.find("ImageNumNengKengN")->picture, "n11.bmp");
  const Component* frame = sheet.find("QRShape11");
  EXPECT_EQ((std::array{frame->left, frame->top, frame->width, frame->height}),
            (std::array{537, 346, 43, 143}));
  EXPECT_EQ(sheet.caption("QRLabelNumNengKeng"), "ราศีลูก");
  EXPECT_EQ(sheet.find("QRShape27")->width, 247);
  EXPECT_EQ(sheet.find("QRImageNumNengKeng")->left, 637);
  EXPECT_EQ(sheet.find("QRImageNumNengKeng")->picture, "b11.bmp");
  EXPECT_EQ(sheet.find("QRImageNumNengKengN")->picture, "n11.bmp");
  EXPECT_EQ(sheet.find("QRImage26")->picture, "b11.bmp");
  EXPECT_EQ(sheet.find("QRImage27")->picture, "n11.bmp");
  EXPECT_EQ(forms.analysisPage.find("QRImageNumNengKeng")->picture, "os0.bmp");

  bindChildSign(forms, FindChildSign(Gender::Male, Stem(1)));
  EXPECT_FALSE(main.find("ShapeNumNengKeng")->visible);
  EXPECT_EQ(main.caption("LabelNumNengKeng"), "");
  EXPECT_EQ(main.caption("LabelNumNengKeng2"), "");
  EXPECT_EQ(main.find("ImageNumNengKeng")->picture, "os0.bmp");
  EXPECT_EQ(main.find("ImageNumNengKengN")->picture, "os0.bmp");
  EXPECT_EQ((std::array{frame->left, frame->top, frame->width, frame->height}),
            (std::array{27, 115, 1, 1}));
  EXPECT_EQ(sheet.caption("QRLabelNumNengKeng"), "");
  EXPECT_EQ(sheet.find("QRShape27")->width, 209);
  EXPECT_EQ(sheet.find("QRImageNumNengKeng")->left, 610);
  for (const char* picture : {"QRImageNumNengKeng", "QRImageNumNengKengN", "QRImage26", "QRImage27"})
    EXPECT_EQ(sheet.find(picture)->picture, "os0.bmp") << picture;
}

TEST(bind_interpretation_test, child_chance_form) {
  Forms forms = makeForms();
  bindChildChance(forms, ChildChance(Gender::Female, 45));
  EXPECT_EQ(forms.analysisPage.caption("QRLabel42"),
            "โอกาสในการมีบุตร     […..] ปกติ     […..] มียาก มีน้อย มีแต่ลูกหญิง     [..…] น้อยมาก "
            "มีความเสี่ยงสูง       /       (ยกเว้น ได้ฤกษ์แต่งงานดี)");
  EXPECT_EQ(forms.analysisPage.caption("QRLabel43"),
            "หากต้องการเพิ่มโอกาสในการมีบุตร ต้องรับมอบเหรียญ .........................................."
            " ถอดเหรียญออกหลังคลอด     *ต้องดูดวงสามีประกอบ*");
  bindChildChance(forms, ChildChance(Gender::Female, 46));
  EXPECT_EQ(forms.analysisPage.caption("QRLabel42"), kDots);
  EXPECT_EQ(forms.analysisPage.caption("QRLabel43"), kDots);
}

}  // namespace
}  // namespace vesprin
