#include "present/texts/cycle_texts.h"

#include <array>
#include <cstdlib>

#include "core/text.h"

namespace vesprin {
namespace {

// Start-age month names by month code 0..11 (0 February, 1 March ... 11 January).
constexpr std::array<std::string_view, 12> kStartMonthNames = {
    "ก.พ.", "มี.ค.", "เม.ย.", "พ.ค.", "มิ.ย.", "ก.ค.", "ส.ค.", "ก.ย.", "ต.ค.", "พ.ย.", "ธ.ค.", "ม.ค."};

}  // namespace

std::string luckStartText(LuckStart s) {
  return std::to_string(s.years) + (s.monthCode < 10 ? ".0" : ".") + std::to_string(s.monthCode);
}

std::string_view startMonthName(int monthCode) {
  return monthCode >= 0 && monthCode < 12 ? kStartMonthNames[static_cast<std::size_t>(monthCode)] : "";
}

std::string hundredthsText(int hundredths) {
  const int a = std::abs(hundredths);
  std::string s = (hundredths < 0 ? "-" : "") + std::to_string(a / 100);
  const int fraction = a % 100;
  if (fraction == 0) return s;
  if (fraction % 10 == 0) return s + "." + std::to_string(fraction / 10);
  return s + (fraction < 10 ? ".0" : ".") + std::to_string(fraction);
}

CurrentPeriodTexts currentPeriodTexts(const CurrentPeriod& p, LuckStart first, int chineseAge,
                                      int currentYearBE) {
  CurrentPeriodTexts t;
  if (!p.half) return t;
  t.startText = *p.half == HalfPeriod{1, HalfPart::On} ? luckStartText(first) : hundredthsText(p.startHundredths);
  t.periodText = concat({"(พ.ศ.", hundredthsText(p.firstYearHundredths), "-",
                         hundredthsText(p.firstYearHundredths + 400), ") อายุจีน ", t.startText, " - ",
                         hundredthsText(p.startHundredths + 400), " ปัจจุบัน ", std::to_string(currentYearBE),
                         " อายุจีน ", std::to_string(chineseAge), " ปี"});
  if (p.element) t.elementName = std::string(elementThaiName(*p.element));
  return t;
}

}  // namespace vesprin
