#include "interpret/analysis.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "interpret/element_powers.h"

namespace vesprin {
namespace {

const std::string kDots(214, '.');
const std::string kWaterMaster = "- ดิถีเป็น ธาตุน้ำ คือ ปัญญาธรรม อุปนิสัย ข้อดี: มีสติปัญญา วาทะดี เฉลียวฉลาด "
                                 "ลึกลับ ปรับตามสภาพ ข้อเสีย: เสเพล โง่เขลา มัวเมา จรจัด ซึมเศร้า เปลี่ยนแปลง";

Analysis analyse(const NatalPillars& p, Gender gender = Gender::Male) {
  return WriteAnalysis(p, FindChartPatterns(p, ComputeElementPowers(p), gender));
}

// The line stands in the text and is followed by an empty line.
bool holdsLine(const Analysis& a, const std::string& line) {
  const auto it = std::find(a.lines.begin(), a.lines.end(), line);
  return it != a.lines.end() && it + 1 != a.lines.end() && (it + 1)->empty();
}

TEST(analysis_test, chart_without_optional_rules_writes_four_lines) {
  const Analysis a = analyse({{2, 2}, {2, 2}, {10, 10}, {3, 3}});
  const std::vector<std::string> lines = {"", kWaterMaster, "", "P5 / T8"};
  EXPECT_EQ(a.lines, lines);
  EXPECT_EQ(a.protectiveStars, "");
  EXPECT_EQ(a.starsHeading, kDots);
  EXPECT_EQ(a.treasuryNote, "");
}

TEST(analysis_test, full_order_of_the_text) {
  // Water trio, all yang, treasury in the time pillar, JingSing in the year,
  // TengTeg and NungTeg by the Ground month, both voids on branch 11 of the
  // time pillar, JabAkTaiPai in the day.
  const Analysis a = analyse({{1, 1}, {5, 5}, {9, 9}, {7, 11}});
  const std::vector<std::string> lines = {
      "",
      "- ในดวงมี ไตรภาคีธาตุน้ำ",
      "",
      kWaterMaster,
      "",
      "- ราศี /11 หลักยาม ไช่โข่ว มีมรดกอยู่ที่บุตร หลาน ",
      "",
      "- ราศีในดวงเป็นพลังเอี๊ยงทั้งหมด",
      "",
      "- หลักปี เป็น จิ้งซิ้ง เป็นที่รู้จักของปวงชน มีมนุษย์สัมพันธ์ดี ชอบก้าวหน้า",
      "",
      "- ดิถีเป็น เทียงเต็ก จะปลอดภัยจากอันตรายต่าง ๆ",
      "",
      "- ดิถีเป็น ง้วยเต็ก จะปลอดภัยจากอันตรายต่าง ๆ",
      "",
      "- ราศี /11 เป็น คงบ้วง (ดิถี) มีบุตรน้อย  (หากถูกภาคีไม่เป็นคงบ้วง)",
      "",
      "- ราศี /11 เป็น คงบ้วง (ปี) มีบุตรน้อย  (หากถูกภาคีไม่เป็นคงบ้วง)",
      "",
      "- หลักวัน เป็น จับอั๊กไต่ไป่ ชีวิตเร่ร่อน ล้มลุกคลุกคลาน",
      "",
      "P4 / T3",
  };
  EXPECT_EQ(a.lines, lines);
  EXPECT_EQ(a.protectiveStars, "จิ้งซิ้ง (เด่นดัง ก้าวหน้า) เทียงเต็ก (เทพสุริยัน) ดิถีเป็น (เทพจันทรา) ");
  EXPECT_EQ(a.starsHeading, "ในดวงมีราศีเทพคุ้มครอง ดังนี้");
}

TEST(analysis_test, special_chart_line_comes_before_the_day_master) {
  // All Water: special; Log by month branch 1; the day void 1 held by the
  // year and the month; JabAkTaiPai in the day and the time.
  const Analysis a = analyse({{9, 1}, {9, 1}, {10, 12}, {10, 12}});
  const std::vector<std::string> lines = {
      "",
      "- มีสิทธิเป็นดวงพิเศษ (ดวงตามกระแส)",
      "",
      kWaterMaster,
      "",
      "- ดิถี เกิดในเดือนลก สร้างอนาคตด้วยตนเอง ไม่อยู่ที่เดิม ไปดีต่างถิ่น",
      "",
      "- ราศี /1 เป็น คงบ้วง (ดิถี) มรดกน้อย หรือ ได้มรดกมาก็สูญหาย พี่น้อง ไม่ส่งเสริม  "
      "(หากถูกภาคีไม่เป็นคงบ้วง)",
      "",
      "- หลักวัน หลักยาม เป็น จับอั๊กไต่ไป่ ชีวิตเร่ร่อน ล้มลุกคลุกคลาน",
      "",
      "P4 / T3",
  };
  EXPECT_EQ(a.lines, lines);
  EXPECT_EQ(a.starsHeading, kDots);
}

TEST(analysis_test, treasury) {
  const std::string stemNote = "ราศีบนไช่โข่ว เป็นลาภผลในดวง ห้ามไช่โข่วถูกชง (ปะทะ) ";
  struct Case {
    const char* what;
    NatalPillars pillars;
    std::string line;  // empty: no treasury line
    ZodiacBelow branch;
  };
  // Day stem 1: treasury branch 5, wealth element Ground (stems 5, 6).
  const Case cases[] = {
      {"month, Ground stem", {{2, 2}, {5, 5}, {1, 1}, {3, 3}},
       "- ราศี /5 หลักเดือน ไช่โข่ว มีมรดกอยู่ที่ผู้หลักผู้ใหญ่ " + stemNote, 5},
      {"month, Gold stem", {{2, 2}, {7, 5}, {1, 1}, {3, 3}},
       "- ราศี /5 หลักเดือน ไช่โข่ว มีมรดกอยู่ที่ผู้หลักผู้ใหญ่ ", 5},
      {"day only", {{2, 2}, {3, 3}, {1, 5}, {4, 4}}, "- ราศี /5 หลักดิถี ไช่โข่ว มีมรดกอยู่ที่คู่ครอง ", 5},
      {"year and time, note once", {{5, 5}, {3, 3}, {1, 1}, {5, 5}},
       "- ราศี /5 หลักปีเป็น ไช่โข่ว มีมรดกอยู่ที่ผู้หลักผู้ใหญ่ หลักยาม ไช่โข่ว มีมรดกอยู่ที่บุตร หลาน " +
           stemNote,
       5},
      {"absent", {{2, 2}, {3, 3}, {1, 1}, {4, 4}}, "", 5},
      {"Water day master, absent", {{2, 2}, {3, 3}, {9, 1}, {4, 4}}, "", 11},
  };
  for (const Case& c : cases) {
    const Analysis a = analyse(c.pillars);
    const auto it = std::find_if(a.lines.begin(), a.lines.end(), [](const std::string& l) {
      return l.find("ไช่โข่ว") != std::string::npos;
    });
    EXPECT_EQ(it == a.lines.end() ? "" : *it, c.line) << c.what;
    EXPECT_TRUE(c.line.empty() || holdsLine(a, c.line)) << c.what;
    EXPECT_EQ(a.treasuryNote,
              c.line.empty() ? "" : "ในดวงมีไฉ่โข่ว ( ขุมทรัพย์ ) หมายถึง มีมรดก หรือ มีเงินเก็บ")
        << c.what;
    EXPECT_EQ(a.treasuryBranch, c.branch) << c.what;
  }
  EXPECT_EQ(treasuryPicture(11), "B11.bmp");
  EXPECT_EQ(treasuryNumberPicture(11), "N11.bmp");
  EXPECT_EQ(treasuryPicture(5), "B5.bmp");
}

TEST(analysis_test, protective_stars) {
  struct Case {
    const char* what;
    NatalPillars pillars;
    const char* line;
    const char* stars;
  };
  const Case cases[] = {
      {"JingSing in year and day", {{1, 1}, {3, 3}, {1, 7}, {4, 4}},
       "- หลักปี หลักวัน เป็น จิ้งซิ้ง เป็นที่รู้จักของปวงชน มีมนุษย์สัมพันธ์ดี ชอบก้าวหน้า",
       "จิ้งซิ้ง (เด่นดัง ก้าวหน้า) "},
      {"TengXieng, autumn day (5, 9)", {{4, 4}, {7, 9}, {5, 9}, {4, 4}},
       "- ในดวงมี เที่ยงเสี่ย จะมีราศีคุ้มครอง มีลางสังหรณ์", "เทียงเสี่ย (ฟ้าอภัย) "},
      {"TengTeg by the day branch", {{4, 4}, {3, 7}, {2, 12}, {4, 4}},
       "- ดิถีเป็น เทียงเต็ก จะปลอดภัยจากอันตรายต่าง ๆ", "เทียงเต็ก (เทพสุริยัน) "},
      {"NungTeg", {{4, 4}, {2, 12}, {1, 3}, {4, 4}}, "- ดิถีเป็น ง้วยเต็ก จะปลอดภัยจากอันตรายต่าง ๆ",
       "ดิถีเป็น (เทพจันทรา) "},
      {"TengIkKuiNang, branches in table order", {{5, 7}, {3, 3}, {8, 8}, {4, 4}},
       "- ราศี /7 /3 เป็น เทียงอิกกุ้ยนั้ง จะมีชื่อเสียง มีสังคมชั้นสูง ได้รับการช่วยโดยบังเอิญ",
       "เทียงอิกกุ้ยนั้ง (เทพอุปถัมภ์) "},
  };
  for (const Case& c : cases) {
    const Analysis a = analyse(c.pillars);
    EXPECT_TRUE(holdsLine(a, c.line)) << c.what;
    EXPECT_EQ(a.protectiveStars, c.stars) << c.what;
    EXPECT_EQ(a.starsHeading, "ในดวงมีราศีเทพคุ้มครอง ดังนี้") << c.what;
  }
}

TEST(analysis_test, rules_without_a_star) {
  struct Case {
    const char* what;
    NatalPillars pillars;
    const char* line;
  };
  const Case cases[] = {
      {"BungChiang", {{2, 2}, {3, 3}, {1, 1}, {4, 6}},
       "- ราศี /6 เป็น บุ้งเชียง (อักษรศาสตร์) มีปัญญาดี รู้หลบหลีก ปรับตัว หลีกเลี่ยงภัย ทำให้มีความก้าวหน้า"},
      {"void of the day pillar in the year", {{3, 11}, {3, 3}, {1, 1}, {4, 4}},
       "- ราศี /11 เป็น คงบ้วง (ดิถี) มรดกน้อย หรือ ได้มรดกมาก็สูญหาย  (หากถูกภาคีไม่เป็นคงบ้วง)"},
      {"void held by year and time", {{5, 11}, {3, 3}, {1, 1}, {7, 11}},
       "- ราศี /11 เป็น คงบ้วง (ดิถี) มรดกน้อย หรือ ได้มรดกมาก็สูญหาย มีบุตรน้อย  "
       "(หากถูกภาคีไม่เป็นคงบ้วง)"},
      {"day pillar (1, 11) voids 9 and 10", {{7, 9}, {4, 10}, {1, 11}, {3, 3}},
       "- ราศี /9 /10 เป็น คงบ้วง (ดิถี) มรดกน้อย หรือ ได้มรดกมาก็สูญหาย พี่น้อง ไม่ส่งเสริม  "
       "(หากถูกภาคีไม่เป็นคงบ้วง)"},
      {"void of the year pillar", {{1, 1}, {3, 3}, {6, 12}, {4, 4}},
       "- ราศี /12 เป็น คงบ้วง (ปี) มีคู่ยาก หรือไม่ค่อยมีโอกาสอยู่ด้วยกัน  (หากถูกภาคีไม่เป็นคงบ้วง)"},
      {"JabAkTaiPai in month and time", {{2, 2}, {3, 9}, {1, 1}, {3, 9}},
       "- หลักเดือน หลักยาม เป็น จับอั๊กไต่ไป่ ชีวิตเร่ร่อน ล้มลุกคลุกคลาน"},
      {"Log", {{2, 2}, {1, 3}, {1, 1}, {4, 4}},
       "- ดิถี เกิดในเดือนลก สร้างอนาคตด้วยตนเอง ไม่อยู่ที่เดิม ไปดีต่างถิ่น"},
  };
  for (const Case& c : cases) EXPECT_TRUE(holdsLine(analyse(c.pillars), c.line)) << c.what;
}

TEST(analysis_test, temperament_caption_by_day_master) {
  const char* captions[] = {
      "อุปนิสัยโดยทั่วไป ด้านดี และด้อย คือ เมตตา ปราณี ก้าวหน้า เคลื่อนไหว ... มุทะลุ",
      "อุปนิสัยโดยทั่วไป ด้านดี และด้อย คือ มารยาท มนุษยสัมพันธ์ รักการศึกษา ผู้นำ ... เจ้าอารมณ์",
      "อุปนิสัยโดยทั่วไป ด้านดี และด้อย คือ ซื่อสัตย์ หนักแน่น มั่นคง มานะ สัจจะ ... ดื้อรั้น",
      "อุปนิสัยโดยทั่วไป ด้านดี และด้อย คือ กล้าหาญ กตัญญู มีน้ำใจ ... ยอมหักไม่ยอมงอ",
      "อุปนิสัยโดยทั่วไป ด้านดี และด้อย คือ เฉลียวฉลาด ปัญญาดี ปรับตัวเก่ง ... เสเพล",
  };
  for (int ds = 1; ds <= 10; ++ds) {
    const Pillar day{ds, ds % 2 ? 1 : 2};
    const Analysis a = analyse({{2, 2}, {3, 3}, day, {4, 4}});
    EXPECT_EQ(a.temperament, captions[(ds - 1) / 2]) << ds;
    EXPECT_TRUE(holdsLine(a, "- ดิถีเป็น " + std::string(ElementTemperament(ds)))) << ds;
  }
}

}  // namespace
}  // namespace vesprin
