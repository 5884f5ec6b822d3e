#pragma once
// The texts that name the person and the dates on the chart: the birth text
// of the main window's header, the owner, age and English date lines of the
// chart sheet, the cast date, and the star pictures of the chart sheet's star
// box.
#include <optional>
#include <string>
#include <string_view>

#include "core/birth_input.h"
#include "core/civil_date.h"
#include "core/sign.h"

namespace vesprin {

// The stars of the star box (interpret/stars.h) as sign pictures (capital "O"
// for an upper sign, "B" for a lower one: the same files as "o3.bmp", "b5.bmp").
struct StarPictures {
  std::string tg;     // เทียงเต็ก, QRImageTG, by the month branch
  int tgTop = 0;      // an upper sign stands in the star box's upper row, a lower one in the lower
  std::string ng;     // ง้วยเต็ก, QRImageNG, by the month branch
  std::string te1;    // เทียงอิก, QRImageTE1 and QRImageTE2, by the day stem
  std::string te2;
  std::string tu;     // เทียงอุย, QRImageTU, by the month branch
  std::string bc;     // บุ่งเชียง, QRImageBC, by the day stem (under the white mask)
};

StarPictures FindStarPictures(Branch monthBranch, Stem dayStem);

// What the owner texts are made of, as the cast holds them at that stage.
struct OwnerInputs {
  const BirthInput& input;   // the birth text shows the entered values, hour 00 included
  std::string_view yearAnimal;     // "ปีมะโรง"
  std::string_view chineseAge;     // "อายุจีน 40 ปี"
  int referenceYear = 0;           // BE: the current year, or a later birth year
  CivilDate today;                 // Christian Era
  Branch monthBranch;
  Stem dayStem;
};

struct OwnerTexts {
  std::string birthText;     // LabelShowDate
  std::string ownerLine;     // QRLabelHoroscopeOwner
  std::string ageLine;       // QRLabelAgeOwner, before the birth-year code is appended
  std::string castDate;      // LabelDate and QRLabelDate
  std::size_t ownerLineTail = 0;  // bytes of the owner line after the name: the birth data
  std::string castDay;       // "dd/mm/yyyy" (BE): the analysis page's date after "ส่งวิเคราะห์เมื่อ"
  std::string castDateHint;  // LabelDate's hint: the long date of today
  // QRLabelDateEN; none when the month is not "01".."12" (the caption is kept).
  std::optional<std::string> englishDate;
  StarPictures stars;
};

OwnerTexts ComputeOwnerTexts(const OwnerInputs& in);

// The range of the hour of birth, "01.00-02.59 น."; empty for no hour 0..23.
// An even hour shows the range that holds it.
std::string_view timeRangeText(int hour);

// "อายุจีน 40 ปี"; "-" for an age below 1.
std::string chineseAgeText(int chineseAge);
// "ปี" + the Thai name of the year branch: "ปีมะโรง".
std::string yearAnimalText(Branch yearBranch);

}  // namespace vesprin
