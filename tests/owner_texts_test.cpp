// Owner and date texts: the birth text and its hour ranges, the owner and age
// lines, the cast date, the English date (a day back for hour 00) and the
// star pictures.
#include "present/binding/owner_texts.h"

#include <gtest/gtest.h>

#include "present/binding/bind_owner.h"

namespace vesprin {
namespace {

// The birth as the fields show it: the month as its item text "03 = มีนาคม".
BirthInput birth(const char* day, const char* monthItem, const char* year, const char* hour,
                 const char* name = "", Gender gender = Gender::Male) {
  Birth b;
  b.name = name;
  b.gender = gender;
  b.date = {std::stoi(day), std::stoi(std::string(monthItem).substr(0, 2)), std::stoi(year)};
  b.time = {std::stoi(hour), 0};
  return NormaliseBirth(b);
}

OwnerTexts texts(const BirthInput& in, CivilDate today = {2026, 12, 9}, int referenceYear = 2569) {
  return ComputeOwnerTexts({.input = in,
                            .yearAnimal = "ปีเถาะ",
                            .chineseAge = "อายุจีน 40 ปี",
                            .referenceYear = referenceYear,
                            .today = today,
                            .monthBranch = Branch(6),
                            .dayStem = Stem(7)});
}

TEST(owner_texts_test, time_range_of_every_kind_of_hour) {
  const struct {
    int hour;
    const char* range;
  } cases[] = {
      {0, "00.00-00.59 น."}, {1, "01.00-02.59 น."}, {2, "01.00-02.59 น."},
      {7, "07.00-08.59 น."}, {12, "11.00-12.59 น."}, {22, "21.00-22.59 น."},
      {23, "23.00-23.59 น."}, {24, ""}, {-1, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(timeRangeText(c.hour), c.range) << c.hour;
}

TEST(owner_texts_test, birth_text_and_english_date_by_hour) {
  const struct {
    const char* day;
    const char* month;
    const char* year;
    const char* hour;
    const char* birthText;
    const char* englishDate;
  } cases[] = {
      {"05", "03 = มีนาคม", "2530", "07", "เกิดวันพฤหัสที่ 05/03/2530 เวลา 07.00-08.59 น. เพศชาย",
       "Mar 05, 1987"},
      // Hour 00 belongs to the day before: the birth text keeps the date as
      // entered, the English date steps back (1987 has no 29 February).
      {"01", "03 = มีนาคม", "2530", "00", "เกิดวันอาทิตย์ที่ 01/03/2530 เวลา 00.00-00.59 น. เพศชาย",
       "Feb 28, 1987"},
      {"01", "03 = มีนาคม", "2531", "00", "เกิดวันอังคารที่ 01/03/2531 เวลา 00.00-00.59 น. เพศชาย",
       "Feb 29, 1988"},
      {"01", "01 = มกราคม", "2530", "00", "เกิดวันพฤหัสที่ 01/01/2530 เวลา 00.00-00.59 น. เพศชาย",
       "Dec 31, 1986"},
      // An even hour shows the range that holds it.
      {"10", "05 = พฤษภาคม", "2530", "02", "เกิดวันอาทิตย์ที่ 10/05/2530 เวลา 01.00-02.59 น. เพศชาย",
       "May 10, 1987"},
      {"10", "05 = พฤษภาคม", "2530", "23", "เกิดวันอาทิตย์ที่ 10/05/2530 เวลา 23.00-23.59 น. เพศชาย",
       "May 10, 1987"},
  };
  for (const auto& c : cases) {
    const OwnerTexts t = texts(birth(c.day, c.month, c.year, c.hour));
    EXPECT_EQ(t.birthText, c.birthText) << c.day << "/" << c.month << " " << c.hour;
    EXPECT_EQ(t.englishDate, c.englishDate) << c.day << "/" << c.month << " " << c.hour;
  }
  // A month field that names no month leaves the English date as it was.
  EXPECT_EQ(texts(birth("05", "13", "2530", "07")).englishDate, std::nullopt);
}

TEST(owner_texts_test, owner_line_with_and_without_a_name) {
  const char* birthText = "เกิดวันอาทิตย์ที่ 10/05/2530 เวลา 23.00-23.59 น. เพศหญิง";
  const struct {
    const char* name;
    std::string line;
  } cases[] = {
      {"  สมศรี ใจดี ", std::string("ชื่อ สมศรี ใจดี ") + birthText + " ปีเถาะ"},
      {"", "ชื่อ" + std::string(35, ' ') + birthText + " ปีเถาะ"},
      {"   ", "ชื่อ" + std::string(35, ' ') + birthText + " ปีเถาะ"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(texts(birth("10", "05 = พฤษภาคม", "2530", "23", c.name, Gender::Female)).ownerLine, c.line)
        << "[" << c.name << "]";
}

TEST(owner_texts_test, age_line_and_cast_date_use_the_reference_year) {
  const BirthInput in = birth("10", "05 = พฤษภาคม", "2530", "10");
  OwnerTexts t = texts(in, {2026, 3, 4}, 2569);
  EXPECT_EQ(t.ageLine, "พ.ศ. 2569  อายุจีน 40 ปี");
  EXPECT_EQ(t.castDate, "ผูกดวงวันที่ 04/03/2569");
  EXPECT_EQ(t.castDateHint, "Wednesday, March 4, 2026");
  // A birth ahead of today: the reference year is the birth year; a system
  // calendar counting in the Buddhist Era gives the same long date.
  t = texts(in, {2569, 3, 4}, 2575);
  EXPECT_EQ(t.ageLine, "พ.ศ. 2575  อายุจีน 40 ปี");
  EXPECT_EQ(t.castDate, "ผูกดวงวันที่ 04/03/2575");
  EXPECT_EQ(t.castDateHint, "Wednesday, March 4, 2026");
}

TEST(owner_texts_test, star_pictures) {
  // Month branches 1 and 2 put เทียงเต็ก in different rows; day stems 3 and 4
  // share their เทียงอิก pair but not their บุ่งเชียง.
  const struct {
    int month;
    int day;
    StarPictures stars;
  } cases[] = {
      {1, 3, {"B6.bmp", 820, "O9.bmp", "B12.bmp", "B10.bmp", "B9.bmp", "B9.bmp"}},
      {2, 4, {"O7.bmp", 791, "O7.bmp", "B12.bmp", "B10.bmp", "B10.bmp", "B10.bmp"}},
      {7, 1, {"B12.bmp", 820, "O3.bmp", "B2.bmp", "B8.bmp", "B3.bmp", "B6.bmp"}},
      {12, 10, {"O2.bmp", 791, "O1.bmp", "B4.bmp", "B6.bmp", "B8.bmp", "B4.bmp"}},
  };
  for (const auto& c : cases) {
    const StarPictures s = FindStarPictures(Branch(c.month), Stem(c.day));
    const std::string what = "month " + std::to_string(c.month) + " day " + std::to_string(c.day);
    EXPECT_EQ(s.tg, c.stars.tg) << what;
    EXPECT_EQ(s.tgTop, c.stars.tgTop) << what;
    EXPECT_EQ(s.ng, c.stars.ng) << what;
    EXPECT_EQ(s.te1, c.stars.te1) << what;
    EXPECT_EQ(s.te2, c.stars.te2) << what;
    EXPECT_EQ(s.tu, c.stars.tu) << what;
    EXPECT_EQ(s.bc, c.stars.bc) << what;
  }
}

TEST(owner_texts_test, binding_writes_every_text_and_moves_tg) {
  Forms forms = makeForms();
  ShowOwnerAndDates(forms, texts(birth("01", "03 = มีนาคม", "2530", "00", "นายก")));
  const Form& m = forms.main;
  const Form& qr = forms.chartSheet;
  EXPECT_EQ(m.caption("LabelShowDate"), "เกิดวันอาทิตย์ที่ 01/03/2530 เวลา 00.00-00.59 น. เพศชาย");
  EXPECT_EQ(qr.caption("QRLabelHoroscopeOwner"),
            "ชื่อ นายก เกิดวันอาทิตย์ที่ 01/03/2530 เวลา 00.00-00.59 น. เพศชาย ปีเถาะ");
  EXPECT_EQ(qr.caption("QRLabelAgeOwner"), "พ.ศ. 2569  อายุจีน 40 ปี");
  EXPECT_EQ(m.caption("LabelDate"), "ผูกดวงวันที่ 09/12/2569");
  EXPECT_EQ(m.find("LabelDate")->hint, "Wednesday, December 9, 2026");
  EXPECT_EQ(qr.caption("QRLabelDate"), "ผูกดวงวันที่ 09/12/2569");
  EXPECT_EQ(qr.caption("QRLabelDateEN"), "Feb 28, 1987");
  // Month branch 6: เทียงเต็ก an upper sign, in the upper row.
  EXPECT_EQ(qr.find("QRImageTG")->picture, "O8.bmp");
  EXPECT_EQ(qr.find("QRImageTG")->top, 791);
  EXPECT_EQ(qr.find("QRImageBC")->picture, "B12.bmp");

  // A month that names no month keeps the English date the sheet showed.
  ShowOwnerAndDates(forms, texts(birth("05", "13", "2530", "07")));
  EXPECT_EQ(qr.caption("QRLabelDateEN"), "Feb 28, 1987");
}

}  // namespace
}  // namespace vesprin
